// Taking paths apart and putting them together.
#include "app/core/PathParts.h"
#include "app/core/Paths.h"

#include <gtest/gtest.h>

namespace {

struct PathCase
{
    const char* path;
    const char* folder;    // GetFileFolder
    const char* directory; // GetFileDirectory
    const char* extension; // GetFileExtension
    const char* container; // GetContainingFolderName
};

TEST(Paths, SplitsFoldersDirectoriesAndExtensions)
{
    const PathCase cases[] = {
        {"C:\\Data\\x.ldt", "C:\\Data", "C:\\Data\\", ".ldt", "Data"},
        {"C:\\x.ldt", "C:", "C:\\", ".ldt", ""},
        {"C:\\My Files\\v1.2\\name", "C:\\My Files\\v1.2", "C:\\My Files\\v1.2\\", "", "v1.2"},
        {"x.tar.gz", "", "", ".gz", ""},
        {"\\\\server\\share\\a.los", "\\\\server\\share", "\\\\server\\share\\", ".los", "share"},
        {"", "", "", "", ""},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_STREQ(c.folder, GetFileFolder(c.path));
        EXPECT_STREQ(c.directory, GetFileDirectory(c.path));
        EXPECT_STREQ(c.extension, GetFileExtension(c.path));
        EXPECT_STREQ(c.container, GetContainingFolderName(c.path));
    }
}

TEST(Paths, PathPartsJoinBackToThePath)
{
    for (const char* path : {"C:\\a\\b.c", "C:b", "\\a\\.profile", "a.", "C:\\dir.d\\file"}) {
        CPathParts parts(path);
        EXPECT_STREQ(path, parts.m_drive + parts.m_directory + parts.m_name + parts.m_extension);
    }
    CPathParts parts("C:\\dir.d\\file");
    EXPECT_STREQ("file", parts.m_name);
    EXPECT_STREQ("", parts.m_extension);
}

TEST(Paths, TitleDropsOnlyTheGivenExtension)
{
    EXPECT_STREQ("x", GetFileTitleWithoutExt("C:\\Forms\\x.FRM", ".frm"));
    EXPECT_STREQ("x.FRM", GetFileTitleWithoutExt("C:\\Forms\\x.FRM", ""));
    EXPECT_STREQ("x.FRM", GetFileTitleWithoutExt("C:\\Forms\\x.FRM", ".los"));
    EXPECT_STREQ("x", GetFileTitleWithoutExt("x", ""));
}

TEST(Paths, ReplaceExtensionKeepsDriveFolderAndName)
{
    EXPECT_STREQ("C:\\Data\\x.ldx", ReplaceExtension("C:\\Data\\x.ldt", ".ldx"));
    EXPECT_STREQ("C:\\Data\\x.ldx", ReplaceExtension("C:\\Data\\x", ".ldx"));
    EXPECT_STREQ("C:\\v1.0\\x", ReplaceExtension("C:\\v1.0\\x.ldt", ""));
}

TEST(Paths, RenamedPathKeepsTheOldExtensionUnlessTyped)
{
    const struct
    {
        const char* typed;
        const char* expected;
    } cases[] = {
        {"y", "C:\\Data\\y.ldt"},
        {"y.ldt", "C:\\Data\\y.ldt"},
        {"Other.LDT", "C:\\Data\\Other.LDT"},
        {"y.txt", "C:\\Data\\y.txt.ldt"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.expected, MakeRenamedPath("C:\\Data\\x.ldt", c.typed)) << c.typed;
        EXPECT_STREQ(c.expected, BuildRenamedPath("C:\\Data\\x.ldt", c.typed)) << c.typed;
    }
}

TEST(Paths, JoinPathAddsOneBackslash)
{
    EXPECT_STREQ("C:\\a\\b", JoinPath("C:\\a", "b"));
    EXPECT_STREQ("C:\\a\\b", JoinPath("C:\\a\\", "b"));
    EXPECT_STREQ("b", JoinPath("", "b"));
    EXPECT_STREQ("C:\\a\\", JoinPath("C:\\a", ""));
}

TEST(Paths, ProgramFilePathKeepsPathsWithADrive)
{
    EXPECT_STREQ("D:\\Help\\a.hlp", GetProgramFilePath("D:\\Help\\a.hlp"));
    const CString dir = GetProgramDirectory();
    ASSERT_FALSE(dir.IsEmpty());
    EXPECT_EQ('\\', dir[dir.GetLength() - 1]);
    EXPECT_EQ(':', dir[1]);
    EXPECT_STREQ(dir + "a.hlp", GetProgramFilePath("a.hlp"));
}

TEST(Paths, ExpressionsFolderAtTheProgramDirectoryIsStoredEmpty)
{
    CString programFolder = GetProgramDirectory();
    programFolder = programFolder.Left(programFolder.GetLength() - 1);
    EXPECT_STREQ("", NormaliseExpressionsPath(programFolder));
    CString upper = programFolder;
    upper.MakeUpper();
    EXPECT_STREQ("", NormaliseExpressionsPath(upper));
    EXPECT_STREQ("C:\\Elsewhere", NormaliseExpressionsPath("C:\\Elsewhere"));
}

} // namespace
