// A test fixture with one tree of the given kind on a fresh paged file named
// after the test, removed again afterwards; and a check that a step raises a
// class-library exception of a given class.
#pragma once

#include "BTreeTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

template <class Tree> class TreeFileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_name = TestFileName(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_file.SetTree(&m_tree);
        ASSERT_TRUE(CreateAndOpen(m_file, m_name));
        m_tree.Attach(&m_file);
    }
    void TearDown() override
    {
        if (m_file.IsOpen())
            m_file.Close();
        std::remove(m_name.c_str());
    }
    // Closes the file (writing everything back) and opens it again.
    void Reopen()
    {
        m_file.Close();
        ASSERT_TRUE(OpenExisting(m_file, m_name));
    }

    std::string m_name;
    TreeTestFile m_file;
    Tree m_tree;
};

// Whether f raises an E (deleted); any other exception passes through.
template <class E, class F> bool Raises(F f)
{
    try {
        f();
    } catch (E* e) {
        e->Delete();
        return true;
    }
    return false;
}
