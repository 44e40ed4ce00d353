#include "database/db/DatabaseDefaults.h"

#include "app/core/BinarySetting.h"
#include "app/core/TempFile.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MemFile.h"
#include "classlib/Profile.h"
#include "classlib/WinApp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// An application whose profile is a scratch tree of this process, wiped
// before and after each test.
class DatabaseDefaultsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifndef _WIN32
        m_storeFile = MakeTempFileName();
        CProfile::SetStoreFile(AfxNativePath(m_storeFile));
#endif
        m_app = std::make_unique<CWinApp>("Lorvane5 Tests");
        m_app->SetRegistryKey("Quenmark");
        char profileName[64];
#ifdef _WIN32
        std::snprintf(profileName, sizeof profileName, "Lorvane 5 DB Tests\\%lu", ::GetCurrentProcessId());
#else
        std::snprintf(profileName, sizeof profileName, "Lorvane 5 DB Tests\\%ld",
                      static_cast<long>(::getpid()));
#endif
        m_app->SetProfileName(profileName);
        m_app->DeleteProfileTree();
    }
    void TearDown() override
    {
        m_app->DeleteProfileTree();
        m_app.reset();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
        try {
            CFile::Remove(m_storeFile);
        } catch (CException* e) {
            e->Delete();
        }
#endif
    }

    // The stored bytes of a binary value; empty when there is none.
    std::vector<BYTE> Stored(const char* key)
    {
        LPBYTE data = nullptr;
        UINT bytes = 0;
        if (!m_app->GetProfileBinary("Database Settings", key, &data, &bytes))
            return {};
        std::vector<BYTE> copy(data, data + bytes);
        delete[] data;
        return copy;
    }
    // Stores the first n bytes of the value again.
    void Cut(const char* key, UINT n)
    {
        std::vector<BYTE> bytes = Stored(key);
        ASSERT_GT(bytes.size(), n);
        m_app->WriteProfileBinary("Database Settings", key, bytes.data(), n);
    }

    std::unique_ptr<CWinApp> m_app;
#ifndef _WIN32
    CString m_storeFile;
#endif
};

TEST_F(DatabaseDefaultsTest, AnEmptyProfileGivesTheBuiltInDefaults)
{
    DatabaseDefaults d;
    ReadDatabaseDefaults(d);
    EXPECT_EQ(10, d.startingRecordId);
    EXPECT_EQ(10, d.recordIdIncrement);
    EXPECT_EQ(1, d.languageSortId);
    EXPECT_EQ(0, d.discardDuplicates);
    EXPECT_EQ(0, d.warnDuplicates);
    EXPECT_EQ(0, d.authorStopList.GetSize());
    ASSERT_EQ(7, d.genericStopList.GetSize());
    const char* const words[] = {"a", "an", "the", "l", "la", "le", "les"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(words[i], d.genericStopList[i]);
    ASSERT_EQ(1, d.customSort.keyCount);
    EXPECT_EQ(255, d.customSort.keys[0].fieldCode);
    EXPECT_NE(0, d.customSort.keys[0].ascending);
    ASSERT_EQ(3, d.duplicateSettings.fieldCount);
    EXPECT_EQ(255, d.duplicateSettings.fields[0]);
    EXPECT_EQ(254, d.duplicateSettings.fields[1]);
    EXPECT_EQ(253, d.duplicateSettings.fields[2]);
    EXPECT_EQ(0, d.duplicateSettings.lastNameOnly);
    EXPECT_EQ(0, d.duplicateSettings.yearOnly);
    EXPECT_TRUE(Stored("Custom Sort").empty());
}

TEST_F(DatabaseDefaultsTest, WrittenDefaultsAreReadBack)
{
    DatabaseDefaults builtIn;
    ReadDatabaseDefaults(builtIn);
    DatabaseDefaults d;
    ReadDatabaseDefaults(d);
    d.startingRecordId = 1000;
    d.recordIdIncrement = 5;
    d.languageSortId = 4;
    d.discardDuplicates = 1;
    d.warnDuplicates = 1;
    d.authorStopList = CLineStringArray("von\nvan");
    d.genericStopList = CLineStringArray("der\ndie");
    d.customSort = DBSortSpec();
    d.customSort.AddKey(DBSortKey(253, 0));
    d.customSort.AddKey(DBSortKey(254, 1));
    const BYTE codes[] = {254, 12};
    d.duplicateSettings.SetFields(codes, 2);
    d.duplicateSettings.yearOnly = 1;
    WriteDatabaseDefaults(d);

    DatabaseDefaults back;
    ReadDatabaseDefaults(back);
    EXPECT_EQ(1000, back.startingRecordId);
    EXPECT_EQ(5, back.recordIdIncrement);
    EXPECT_EQ(4, back.languageSortId);
    EXPECT_EQ(1, back.discardDuplicates);
    EXPECT_EQ(1, back.warnDuplicates);
    ASSERT_EQ(2, back.authorStopList.GetSize());
    EXPECT_STREQ("van", back.authorStopList[1]);
    ASSERT_EQ(2, back.genericStopList.GetSize());
    EXPECT_TRUE(back.customSort == d.customSort);
    EXPECT_TRUE(back.duplicateSettings == d.duplicateSettings);
    // The integer settings keep what they read: leave them as other tests expect.
    WriteDatabaseDefaults(builtIn);
}

TEST_F(DatabaseDefaultsTest, DamagedBinaryValuesKeepWhatWasReadBeforeTheCut)
{
    // A custom sort of three keys cut after its second.
    DBSortSpec three;
    three.AddKey(DBSortKey(255, 1));
    three.AddKey(DBSortKey(254, 0));
    three.AddKey(DBSortKey(253, 1));
    DatabaseSettings::CustomSort.Set(three);
    ASSERT_EQ(26u, Stored("Custom Sort").size());
    Cut("Custom Sort", 10);
    const DBSortSpec cut = DatabaseSettings::CustomSort.Get();
    ASSERT_EQ(2, cut.keyCount);
    EXPECT_EQ(254, cut.keys[1].fieldCode);

    // Duplicate rules cut inside their options keep the codes.
    const BYTE codes[] = {42, 43};
    DuplicateSettings rules;
    rules.SetFields(codes, 2);
    rules.lastNameOnly = 1;
    DuplicateSettings copy = rules;
    DatabaseSettings::DuplicateDetection.Set(copy);
    Cut("Duplicate Detection", 8);
    const DuplicateSettings partial = GetDefaultDuplicateSettings();
    EXPECT_EQ(2, partial.fieldCount);
    EXPECT_EQ(0, partial.lastNameOnly);
}

} // namespace
