// The recent-file list: most recent first, no duplicates, a fixed size, and its profile form.
#include "classlib/RecentFileList.h"

#include "classlib/Profile.h"
#include "classlib/WinApp.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

namespace {

class RecentFileListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifndef _WIN32
        CProfile::SetStoreFile(dir.Path("profile.txt"));
#endif
        app.SetRegistryKey("Lorvane Test");
        app.SetProfileName("Recent List Test");
        app.DeleteProfileTree();
    }
    void TearDown() override
    {
        app.DeleteProfileTree();
#ifndef _WIN32
        CProfile::SetStoreFile(nullptr);
#endif
    }

    ScratchDir dir;
    CWinApp app;
};

TEST_F(RecentFileListTest, AddPutsPathsOnTopOnceAndDropsTheOldest)
{
    CRecentFileList list(0, "Restored Files", "file%d", 3);
    list.Add("C:\\a.ldt");
    list.Add("C:\\b.ldt");
    list.Add("C:\\c.ldt");
    list.Add("c:\\A.LDT"); // the same file in another case moves up
    EXPECT_STREQ("c:\\A.LDT", list[0]);
    EXPECT_STREQ("C:\\c.ldt", list[1]);
    EXPECT_STREQ("C:\\b.ldt", list[2]);
    list.Add("C:\\d.ldt");
    EXPECT_STREQ("C:\\d.ldt", list[0]);
    EXPECT_STREQ("C:\\c.ldt", list[2]); // b fell off the end
    list.Remove(0);
    EXPECT_STREQ("c:\\A.LDT", list[0]);
    EXPECT_STREQ("", list[2]);
}

TEST_F(RecentFileListTest, WriteAndReadKeepTheOrderAndClearStaleEntries)
{
    CRecentFileList list(0, "Restored Files", "file%d", 10);
    list.Add("C:\\one.ldt");
    list.Add("C:\\two.ldt");
    list.Add("C:\\three.ldt");
    list.WriteList();
    EXPECT_STREQ("C:\\three.ldt", app.GetProfileString("Restored Files", "file1"));
    EXPECT_STREQ("C:\\one.ldt", app.GetProfileString("Restored Files", "file3"));

    list.Remove(0);
    list.WriteList();
    EXPECT_STREQ("", app.GetProfileString("Restored Files", "file3", "")); // no stale third entry

    CRecentFileList read(0, "Restored Files", "file%d", 10);
    read.ReadList();
    EXPECT_STREQ("C:\\two.ldt", read[0]);
    EXPECT_STREQ("C:\\one.ldt", read[1]);
    EXPECT_STREQ("", read[2]);
}

TEST_F(RecentFileListTest, ApplicationListSurvivesARestart)
{
    app.LoadStdProfileSettings(4);
    app.AddToRecentFileList("C:\\Data\\Refs.ldt");
    app.ExitInstance();
    CWinApp next;
    next.LoadStdProfileSettings(4);
    ASSERT_EQ(1, next.GetRecentFileCount());
    EXPECT_STREQ("C:\\Data\\Refs.ldt", next.GetRecentFile(0));
}

TEST(RecentFileNames, LongPathsLoseTheirMiddleFolders)
{
    EXPECT_STREQ("C:\\a\\b.ldt", AfxAbbreviateName("C:\\a\\b.ldt", 30, TRUE));
    EXPECT_STREQ("C:\\...\\Projects\\refs.ldt",
                 AfxAbbreviateName("C:\\Documents\\Work\\Projects\\refs.ldt", 24, TRUE));
    EXPECT_STREQ("averyveryverylongname.ldt",
                 AfxAbbreviateName("C:\\x\\averyveryverylongname.ldt", 10, TRUE));

    CRecentFileList list(0, "S", "f%d", 2, 30);
    list.Add("C:\\Work\\refs.ldt");
    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, "C:\\Work", 7));
    EXPECT_STREQ("refs.ldt", name); // in the current folder
    ASSERT_TRUE(list.GetDisplayName(name, 0, "C:\\Other", 8));
    EXPECT_STREQ("C:\\Work\\refs.ldt", name);
    EXPECT_FALSE(list.GetDisplayName(name, 1, nullptr, 0));
}

} // namespace
