// A fixture with an application object whose profile is a private scratch tree, wiped before and after
// each test. Setting objects made by the tests therefore start from an empty store.
#pragma once

#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <memory>

class ProfileFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CWinApp& App() { return *m_app; }
    // TRUE when (section, key) holds any integer value.
    bool HasInt(const char* section, const char* key);

    std::unique_ptr<CWinApp> m_app;
#ifndef _WIN32
    CString m_storeFile;
#endif
};
