// Walking folders for files of given extensions.
#include "app/core/FolderWalk.h"

#include "TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

struct WalkLog
{
    std::vector<std::string> visited;
    std::string stopAt; // the walk is ended at this file
};

int Record(const char* fullPath, void* context)
{
    WalkLog* log = static_cast<WalkLog*>(context);
    log->visited.push_back(fullPath);
    return log->stopAt == fullPath ? 0 : 1;
}

class FolderWalk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        a = tree.AddFolder("A");
        tree.AddFolder("A\\Sub");
        tree.AddFolder("A\\Sub\\Deep");
        b = tree.AddFolder("B");
        aStyle = tree.AddFile("A\\Style.LOS");
        aLower = tree.AddFile("A\\lower.los");
        tree.AddFile("A\\notes.txt");
        tree.AddFile("A\\los"); // no extension at all
        subOut = tree.AddFile("A\\Sub\\old.Out");
        deep = tree.AddFile("A\\Sub\\Deep\\deep.los");
        bStyle = tree.AddFile("B\\b.los");
    }

    std::set<std::string> Visit(const char* folders, const char* extensions, WalkLog& log)
    {
        ForEachFileInFolders(folders, extensions, Record, &log);
        return std::set<std::string>(log.visited.begin(), log.visited.end());
    }

    TempTree tree;
    CString a, b, aStyle, aLower, subOut, deep, bStyle;
};

TEST_F(FolderWalk, FindsEveryMatchingFileInAllFoldersAndSubfoldersWithoutRegardToCase)
{
    WalkLog log;
    const CString folders = a + ";" + b + "\\"; // with and without the trailing backslash
    EXPECT_TRUE(ForEachFileInFolders(folders, ".LOS;.OUT", Record, &log));
    const std::set<std::string> expected = {std::string(aStyle), std::string(aLower), std::string(subOut),
                                            std::string(deep), std::string(bStyle)};
    EXPECT_EQ(expected, std::set<std::string>(log.visited.begin(), log.visited.end()));
    ASSERT_EQ(expected.size(), log.visited.size()); // each once
    // Folders are walked in the order listed.
    EXPECT_EQ(std::string(bStyle), log.visited.back());
}

TEST_F(FolderWalk, CallbackAnsweringZeroInASubfolderEndsTheWholeWalk)
{
    WalkLog log;
    log.stopAt = std::string(deep);
    EXPECT_FALSE(ForEachFileInFolders(a + ";" + b, ".LOS;.OUT", Record, &log));
    ASSERT_FALSE(log.visited.empty());
    EXPECT_EQ(std::string(deep), log.visited.back()); // nothing after the stop
    EXPECT_EQ(log.visited.end(), std::find(log.visited.begin(), log.visited.end(), std::string(bStyle)));
}

TEST_F(FolderWalk, MissingFoldersAndEmptyListsContributeNothing)
{
    WalkLog log;
    EXPECT_TRUE(ForEachFileInFolders(tree.Root() + "Missing;;" + b, ".los", Record, &log));
    EXPECT_EQ(std::vector<std::string>{std::string(bStyle)}, log.visited);

    WalkLog none;
    EXPECT_TRUE(ForEachFileInFolders(a, "", Record, &none));
    EXPECT_TRUE(none.visited.empty());
}

TEST_F(FolderWalk, ScanTakesOneFolderExtensionByExtension)
{
    CStringArray paths;
    ScanFolderForExtensions(a, ".txt;.LOS", paths);
    ASSERT_EQ(3, paths.GetSize());
    EXPECT_STREQ(tree.Root() + "A\\notes.txt", paths[0]);
    const std::set<std::string> los = {std::string(paths[1]), std::string(paths[2])};
    EXPECT_EQ((std::set<std::string>{std::string(aStyle), std::string(aLower)}), los);
}

} // namespace
