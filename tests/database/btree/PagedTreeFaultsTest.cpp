// Faults of trees on their paged files: trees of keys near the longest a tree
// takes, which grow many levels deep (inner nodes then hold only two or three
// separators); refusals at the level limit; copies of an open file; headers
// that outgrow their area.
#include "BTreeTestSupport.h"

#include "database/btree/BTNode.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTHeaderTooLongException.h"
#include "classlib/Resources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
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
        {
            ASSERT_EQ("", VerifyTree(tree));
        }
    }
    EXPECT_EQ(0u, (unsigned)tree.GetEntryCount());
    file.Close();
    std::remove(name.c_str());
}

// No file holds a tree as deep as the engine's limit, so these trees are
// given a lower one.
class LimitedTree : public TextTestTree
{
public:
    explicit LimitedTree(int levels) { SetLevelLimit(levels); }
};

bool Refused(const std::function<int()>& operation)
{
    try
    {
        operation();
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

// At its level limit a tree refuses what may need a split, and the refusal
// leaves the tree and its file exactly as they were: an insert of a key near
// the longest, and a replacement that must move (it was deleted first and
// then lost when its insert was refused).
TEST(BTreeDepthTest, RefusalAtTheLevelLimitChangesNothing)
{
    struct Case
    {
        const char* what;
        int limit;
        int shortest, longest; // key text lengths
        bool replace;          // Write a longer entry in place of an existing key
    } cases[] = {
        {"insert of a long key", 4, 700, 770, false},
        {"replacement that moves", 2, 30, 30, true},
    };
    for (const Case& c : cases)
    {
        const std::string name = TestFileName("levellimit");
        std::string text; // the operation refused
        {
            TreeTestFile file;
            LimitedTree tree(c.limit);
            file.SetTree(&tree);
            ASSERT_TRUE(CreateAndOpen(file, name));
            tree.Attach(&file);
            for (int n = 0; n < 20000 && text.empty(); ++n)
            {
                const int i = (int)((n * 7919LL) % 20000);
                std::string next = LongText(i, c.shortest + i % (c.longest - c.shortest + 1));
                TextTestTree::SetSearchEntry(next, 0, "");
                if (Refused([&] { return tree.Insert(); }))
                    text = next;
            }
            ASSERT_FALSE(text.empty()) << c.what;
            EXPECT_EQ(c.limit, tree.GetLevels()) << c.what;
            file.Close();
        }
        const std::vector<BYTE> saved = ReadWholeFile(name);
        {
            TreeTestFile file;
            LimitedTree tree(c.limit);
            tree.Attach(&file);
            file.SetTree(&tree);
            ASSERT_TRUE(OpenExisting(file, name));
            std::vector<std::string> before, after;
            ASSERT_EQ("", VerifyTree(tree, &before));
            if (c.replace)
            {
                // A key in the leaf that just refused one more entry, with
                // data that no longer fit where it is.
                BTreeCursor cursor;
                TextTestTree::SetSearchKey(text, 0);
                tree.Find(cursor);
                BTPageRef hold;
                int length;
                const BYTE* e = cursor.GetEntry(hold, &length);
                ASSERT_NE(nullptr, e);
                const std::string existing = TextTestTree::TextOf(e);
                hold.Release();
                TextTestTree::SetSearchEntry(existing, 0, std::string(700, 'd'));
                EXPECT_TRUE(Refused([&] { return tree.Write(); })) << c.what;
            }
            else
            {
                TextTestTree::SetSearchEntry(text, 0, "");
                EXPECT_TRUE(Refused([&] { return tree.Insert(); })) << c.what;
            }
            EXPECT_EQ("", VerifyTree(tree, &after)) << c.what;
            EXPECT_EQ(before, after) << c.what;
            file.Close();
        }
        EXPECT_EQ(saved, ReadWholeFile(name)) << c.what << ": the file changed";
        std::remove(name.c_str());
    }
}
} // namespace

namespace
{
// Save As copies the open file: the copy must hold the pages and the header
// (here new comments and the tree's root) that are still only in the cache,
// in plain and in compressed files, and the old file must be left whole.
TEST(PagedFileCopyTest, CopyHoldsCachedPagesAndHeader)
{
    for (BOOL compressed : {FALSE, TRUE})
    {
        const std::string name = TestFileName("copysrc");
        const std::string copy = TestFileName("copydst");
        std::vector<std::string> before;
        {
            TreeTestFile file;
            TextTestTree tree;
            file.SetCompressed(compressed);
            file.SetTree(&tree);
            ASSERT_TRUE(CreateAndOpen(file, name));
            tree.Attach(&file);
            for (int i = 0; i < 2000; ++i)
            {
                TextTestTree::SetSearchEntry(LongText(i, 40), 0, "data");
                ASSERT_EQ(0, tree.Insert());
            }
            ASSERT_EQ("", VerifyTree(tree, &before));
            file.GetCommentsText() = "copied";
            file.CopyTo(CString(copy.c_str())); // with dirty pages in the cache
            file.Close();
        }
        for (const std::string& path : {name, copy})
        {
            TreeTestFile file;
            TextTestTree tree;
            file.SetCompressed(compressed);
            tree.Attach(&file);
            file.SetTree(&tree); // the header load fills the root descriptor
            ASSERT_TRUE(OpenExisting(file, path)) << path;
            std::vector<std::string> after;
            EXPECT_EQ("", VerifyTree(tree, &after)) << path;
            EXPECT_EQ(before, after) << path;
            EXPECT_EQ(CString("copied"), file.GetCommentsText()) << path;
            file.Close();
            std::remove(path.c_str());
        }
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
