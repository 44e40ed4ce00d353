// Faults of trees on their paged files. Trees of keys near the longest a tree takes grow many levels deep: inner
// nodes then hold only two or three separators. Such trees must keep every
// entry reachable however deep they grow.
#include "BTreeTestSupport.h"

#include "database/btree/BTNode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// A text of `length` bytes that orders like i (zero-filled decimal first).
std::string LongText(int i, int length)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08d", i);
    std::string text(digits);
    text.resize(length, (char)('a' + i % 26));
    return text;
}

TEST(BTreeDepthTest, LongKeysStayReachableAtEveryDepth)
{
    TreeTestFile file;
    TextTestTree tree;
    const std::string name = TestFileName("depth");
    file.SetTree(&tree);
    ASSERT_TRUE(CreateAndOpen(file, name));
    tree.Attach(&file);

    // Keys of 700-770 bytes in a scattered order; the old limit of nine
    // levels was reached near 5,000 of them.
    const int count = 7000;
    std::vector<int> order;
    for (int i = 0; i < count; ++i)
        order.push_back((int)((i * 7919LL) % count));
    for (int n = 0; n < count; ++n)
    {
        const int i = order[n];
        TextTestTree::SetSearchEntry(LongText(i, 700 + i % 71), 0, "");
        ASSERT_EQ(0, tree.Insert()) << "insert " << n;
    }
    EXPECT_GT(tree.GetLevels(), 9);
    std::vector<std::string> entries;
    ASSERT_EQ("", VerifyTree(tree, &entries));
    ASSERT_EQ((size_t)count, entries.size());

    // Every key is found and deleted again, down to an empty tree.
    for (int n = 0; n < count; ++n)
    {
        const int i = order[(n * 31) % count];
        TextTestTree::SetSearchKey(LongText(i, 700 + i % 71), 0);
        ASSERT_EQ(0, tree.Delete()) << "delete " << n;
        if (n % 1000 == 0)
            ASSERT_EQ("", VerifyTree(tree));
    }
    EXPECT_EQ(0u, (unsigned)tree.GetEntryCount());
    file.Close();
    std::remove(name.c_str());
}
} // namespace

namespace
{
// Save As copies the open file: the copy must hold the pages and the header
// that are still only in the cache, and the old file must be left whole.
TEST(PagedFileCopyTest, CopyHoldsCachedPagesAndHeader)
{
    const std::string name = TestFileName("copysrc");
    const std::string copy = TestFileName("copydst");
    std::vector<std::string> before;
    {
        TreeTestFile file;
        TextTestTree tree;
        file.SetTree(&tree);
        ASSERT_TRUE(CreateAndOpen(file, name));
        tree.Attach(&file);
        for (int i = 0; i < 2000; ++i)
        {
            TextTestTree::SetSearchEntry(LongText(i, 40), 0, "data");
            ASSERT_EQ(0, tree.Insert());
        }
        ASSERT_EQ("", VerifyTree(tree, &before));
        file.CopyTo(CString(copy.c_str())); // with dirty pages in the cache
        file.Close();
    }
    for (const std::string& path : {name, copy})
    {
        TreeTestFile file;
        TextTestTree tree;
        tree.Attach(&file);
        file.SetTree(&tree); // the header load fills the root descriptor
        ASSERT_TRUE(OpenExisting(file, path)) << path;
        std::vector<std::string> after;
        EXPECT_EQ("", VerifyTree(tree, &after)) << path;
        EXPECT_EQ(before, after) << path;
        file.Close();
        std::remove(path.c_str());
    }
}
} // namespace
