// Faults of trees on their paged files: trees of keys near the longest a tree
// takes, which grow many levels deep (inner nodes then hold only two or three
// separators); copies of an open file; headers that outgrow their area.
#include "BTreeTestSupport.h"

#include "database/btree/BTNode.h"
#include "database/file/BTHeaderTooLongException.h"
#include "classlib/Resources.h"

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

namespace
{
// A header that has outgrown its area is refused before any page is written:
// pages written first would sit under the old header, which does not know
// them, and the failure said only that an unknown error occurred.
TEST(PagedTreeHeaderTest, HeaderTooLongAfterDirtyPagesWritesNothingAndSaysWhy)
{
    const std::string name = TestFileName("longheader");
    std::vector<std::string> before;
    {
        TreeTestFile file;
        TextTestTree tree;
        file.SetTree(&tree);
        ASSERT_TRUE(CreateAndOpen(file, name));
        tree.Attach(&file);
        for (int i = 0; i < 400; i += 2)
        {
            TextTestTree::SetSearchEntry(LongText(i, 60), 0, "data");
            ASSERT_EQ(0, tree.Insert());
        }
        ASSERT_EQ("", VerifyTree(tree, &before));
        file.Close();
    }
    const std::vector<BYTE> saved = ReadWholeFile(name);
    {
        TreeTestFile file;
        TextTestTree tree;
        tree.Attach(&file);
        file.SetTree(&tree);
        ASSERT_TRUE(OpenExisting(file, name));
        // Changed pages, new pages and a header too long for its 1024 bytes.
        for (int i = 1; i < 1200; i += 2)
        {
            TextTestTree::SetSearchEntry(LongText(i, 60), 0, "more");
            ASSERT_EQ(0, tree.Insert());
        }
        file.GetCommentsText() = CString('c', 1000);
        for (int attempt = 0; attempt < 2; ++attempt)
        {
            CException* failure = nullptr;
            try
            {
                if (attempt == 0)
                    file.FlushBuffers();
                else
                    file.Close(); // still refused; the file is closed all the same
            }
            catch (CException* e)
            {
                failure = e;
            }
            ASSERT_NE(nullptr, failure) << "attempt " << attempt;
            ASSERT_TRUE(failure->IsKindOf(RUNTIME_CLASS(BTHeaderTooLongException)));
            CArchiveException* archive = static_cast<CArchiveException*>(failure);
            EXPECT_EQ(CArchiveException::generic, archive->m_cause);
            EXPECT_EQ(CString(name.c_str()), archive->m_strFileName);
            CString expected;
            AfxFormatString1(expected, BTHeaderTooLongException::IDP_HEADER_TOO_LONG, name.c_str());
            EXPECT_FALSE(expected.IsEmpty());
            EXPECT_EQ(expected, failure->GetErrorText());
            failure->Delete();
        }
        EXPECT_FALSE(file.IsOpen());
        // Closed now (an open file is exclusive): neither attempt wrote a byte.
        EXPECT_EQ(saved, ReadWholeFile(name));
    }
    TreeTestFile file;
    TextTestTree tree;
    tree.Attach(&file);
    file.SetTree(&tree);
    ASSERT_TRUE(OpenExisting(file, name));
    std::vector<std::string> after;
    EXPECT_EQ("", VerifyTree(tree, &after));
    EXPECT_EQ(before, after);
    file.Close();
    std::remove(name.c_str());
}
} // namespace
