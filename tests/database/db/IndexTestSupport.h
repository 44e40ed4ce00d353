// Helpers for the index tests: a record as the key code sees it, a paged file
// that several trees share, and a record set as a std::set.
#pragma once

#include "database/db/DBRecordSet.h"
#include "database/file/BTPagedFile.h"
#include "database/sort/SortKeyRecord.h"
#include "database/text/StyledString.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

class TestRecord : public SortKeyRecord
{
public:
    explicit TestRecord(LONG number = 0, const char* workform = "Journal Article")
        : number(number), workform(workform)
    {
    }
    const StyledString& GetField(int n) const override
    {
        static const StyledString none;
        return n >= 1 && n <= 45 ? fields[n] : none;
    }
    CString GetRecordIdText() const override { return CString("10"); }
    LONG GetRecordNumber() const override { return number; }
    CString GetWorkformName() const override { return CString(workform.c_str()); }
    TestRecord& Set(int n, const char* text)
    {
        fields[n].SetPlainText(text);
        return *this;
    }

    LONG number;
    std::string workform;
    StyledString fields[46];
};

// A scratch paged file named after the running test, removed afterwards.
class IndexFileFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_name =
            std::string("index_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".tmp";
        std::remove(m_name.c_str());
        m_file.SetDocumentType(0x7E57);
        m_file.SetVersion(1);
        m_file.SetPathName(m_name.c_str());
        m_file.CreateNew();
        CFileException error;
        ASSERT_TRUE(m_file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error));
    }
    void TearDown() override
    {
        if (m_file.IsOpen())
            m_file.Close();
        std::remove(m_name.c_str());
    }

    std::string m_name;
    BTPagedFile m_file;
};

inline std::set<int> Members(const DBRecordSet& set)
{
    std::set<int> members;
    for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
        members.insert(n);
    return members;
}
