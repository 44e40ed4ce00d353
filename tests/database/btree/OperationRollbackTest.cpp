// Writing operations are all or nothing: every operation made to fail at
// each of its page reads and allocations leaves the tree and its file exactly
// as they were; the faults found before the operations rolled back (a
// replacement lost when its insert failed, a RemoveAll that freed pages of a
// tree it then kept, a position index built while its leaves were evicted).
#include "BTreeTestSupport.h"
#include "BlobObject.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTOperation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
std::string KeyText(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "k%06d", i);
    return text;
}

std::string DataOf(int i, int length)
{
    return std::string((size_t)length, (char)('a' + i % 26));
}

// What an operation that fails must leave as it found.
struct Snapshot
{
    std::vector<std::string> entries;
    BTRootDescriptor root;
    DWORD freeCount, freeHead, fileEnd;

    static Snapshot Of(BTree& tree, std::string* problem)
    {
        Snapshot s;
        *problem = VerifyTree(tree, &s.entries);
        s.root = tree.GetRootDescriptor();
        s.freeCount = tree.GetFile()->GetFreePageCount();
        s.freeHead = tree.GetFile()->GetFreeListHead();
        s.fileEnd = tree.GetFile()->GetFileEnd();
        return s;
    }
    bool operator==(const Snapshot& o) const
    {
        return entries == o.entries && std::memcmp(&root, &o.root, sizeof root) == 0 &&
               freeCount == o.freeCount && freeHead == o.freeHead && fileEnd == o.fileEnd;
    }
};

// Runs the operation failing at its 1st, 2nd, ... page request until it
// succeeds; after each failure the tree verifies and is unchanged. Returns
// the number of failure points tried.
int FailAtEveryPoint(BTree& tree, const char* what, const std::function<void()>& operation)
{
    BTPagedFile* file = tree.GetFile();
    for (DWORD n = 1;; ++n) {
        std::string problem;
        const Snapshot before = Snapshot::Of(tree, &problem);
        EXPECT_EQ("", problem) << what << " before point " << n;
        file->FailAtPageRequest(n);
        bool raised = false;
        try {
            operation();
        } catch (CException* e) {
            e->Delete();
            raised = true;
        }
        file->FailAtPageRequest(0);
        const Snapshot after = Snapshot::Of(tree, &problem);
        EXPECT_EQ("", problem) << what << " at point " << n;
        if (!raised)
            return (int)n - 1;
        EXPECT_TRUE(before == after) << what << " changed when failing at point " << n;
        if (!(before == after) || n > 100000)
            return (int)n;
    }
}

class RollbackFixture : public ::testing::Test
{
protected:
    void OpenFile(bool compressed)
    {
        m_name = TestFileName(compressed ? "rollback_z" : "rollback");
        m_file.SetCompressed(compressed);
        m_file.SetTree(&m_tree);
        ASSERT_TRUE(CreateAndOpen(m_file, m_name));
        m_tree.Attach(&m_file);
        m_tree.AttachPositionIndex(&m_index);
        // Few pages in the cache: operations meet evictions too.
        m_file.SetCachedPageLimit(6);
    }
    void TearDown() override
    {
        if (m_file.IsOpen())
            m_file.Close();
        std::remove(m_name.c_str());
    }
    void InsertRange(int first, int end, int length)
    {
        for (int i = first; i < end; ++i) {
            TextTestTree::SetSearchEntry(KeyText(i), 0, DataOf(i, length + i % 50));
            ASSERT_EQ(0, m_tree.Insert());
        }
    }

    std::string m_name;
    TreeTestFile m_file;
    TextTestTree m_tree;
    BTPositionIndex m_index;
};

class FailurePointsTest : public RollbackFixture, public ::testing::WithParamInterface<bool>
{
protected:
    void SetUp() override { OpenFile(GetParam()); }
};

class OperationScopeTest : public RollbackFixture
{
protected:
    void SetUp() override { OpenFile(false); }
};

TEST_P(FailurePointsTest, EveryWritingOperationFailsWithoutTrace)
{
    InsertRange(0, 400, 40);
    int points = 0;
    // A batch of inserts in one outer operation, which splits many nodes.
    points += FailAtEveryPoint(m_tree, "batch insert", [&] {
        BTOperation op(&m_file);
        for (int i = 400; i < 480; ++i) {
            TextTestTree::SetSearchEntry(KeyText(i * 7 % 480 + 1000), 0, DataOf(i, 60));
            m_tree.Insert();
        }
        op.Commit();
    });
    points += FailAtEveryPoint(m_tree, "insert", [&] {
        TextTestTree::SetSearchEntry(KeyText(150) + "x", 0, DataOf(3, 90));
        m_tree.Insert();
    });
    // A replacement that no longer fits its leaf is deleted and inserted.
    points += FailAtEveryPoint(m_tree, "moving write", [&] {
        TextTestTree::SetSearchEntry(KeyText(200), 0, DataOf(5, 700));
        m_tree.Write();
    });
    points += FailAtEveryPoint(m_tree, "batch delete", [&] {
        BTOperation op(&m_file);
        for (int i = 100; i < 300; ++i) {
            TextTestTree::SetSearchKey(KeyText(i), 0);
            m_tree.Delete();
        }
        op.Commit();
    });
    // The position index is rebuilt after a rollback and again agrees.
    DWORD leaf;
    int slot;
    EXPECT_TRUE(m_tree.Locate(10, &leaf, &slot));
    points += FailAtEveryPoint(m_tree, "remove all", [&] { m_tree.RemoveAll(); });
    EXPECT_EQ(0u, (unsigned)m_tree.GetEntryCount());
    EXPECT_GT(points, 200);

    // What the operations left is what the file holds.
    std::vector<std::string> kept;
    InsertRange(0, 50, 30);
    ASSERT_EQ("", VerifyTree(m_tree, &kept));
    m_file.Close();
    ASSERT_TRUE(OpenExisting(m_file, m_name));
    std::vector<std::string> reopened;
    ASSERT_EQ("", VerifyTree(m_tree, &reopened));
    EXPECT_EQ(kept, reopened);
}

TEST_P(FailurePointsTest, ChunkedObjectWritesFailWithoutTrace)
{
    BTRecordTree records;
    records.Attach(&m_file);
    m_file.SetTree(&records);
    for (DWORD r = 0; r < 40; ++r) {
        BlobObject object(Pattern(150 + r * 37, r));
        records.WriteBlob(object, r);
    }
    BlobObject large(Pattern(3000, 99)), small(Pattern(90, 98));
    int points = 0;
    points += FailAtEveryPoint(records, "write blob", [&] { records.WriteBlob(large, 100); });
    points += FailAtEveryPoint(records, "replace blob", [&] { records.ReplaceBlob(small, 7); });
    points += FailAtEveryPoint(records, "replace by a larger blob", [&] { records.ReplaceBlob(large, 8); });
    points += FailAtEveryPoint(records, "delete blob", [&] { records.DeleteBlob(20); });
    EXPECT_GT(points, 20);
    BlobObject read;
    ASSERT_TRUE(records.ReadBlob(read, 8));
    EXPECT_EQ(large.data, read.data);
    EXPECT_EQ(40u, (unsigned)records.GetObjectCount());
    m_file.SetTree(&m_tree);
}

INSTANTIATE_TEST_SUITE_P(PlainAndCompressed, FailurePointsTest, ::testing::Bool());

// A failure caught inside an outer operation must not pass for a success:
// the outer Commit rolls everything back and raises.
TEST_F(OperationScopeTest, AFailureSwallowedInsideAnOperationUndoesIt)
{
    InsertRange(0, 100, 40);
    std::string problem;
    const Snapshot before = Snapshot::Of(m_tree, &problem);
    bool raised = false;
    try {
        BTOperation op(&m_file);
        TextTestTree::SetSearchEntry("new", 0, "data");
        m_tree.Insert();
        m_file.FailAtPageRequest(1);
        try {
            TextTestTree::SetSearchKey(KeyText(5), 0);
            m_tree.Delete();
        } catch (CException* e) {
            e->Delete();
        }
        m_file.FailAtPageRequest(0);
        op.Commit();
    } catch (CArchiveException* e) {
        e->Delete();
        raised = true;
    }
    EXPECT_TRUE(raised);
    EXPECT_TRUE(before == Snapshot::Of(m_tree, &problem));
    EXPECT_EQ("", problem);
}

// A level chain that loops back: RemoveAll raises once it meets a page it
// freed itself, and the tree keeps every page it names (another tree of the
// file took them before, and a cursor then walked the other tree's entries).
TEST_F(OperationScopeTest, RemoveAllThatMeetsALoopKeepsTheTree)
{
    InsertRange(0, 300, 40);
    const BTRootDescriptor root = m_tree.GetRootDescriptor();
    ASSERT_GT(root.levels, 1);
    {
        // The second leaf's next link leads back to the first leaf.
        BTPageRef first = m_tree.GetPage(root.firstLeaf);
        DWORD second = BTNode(first.Data()).Next();
        BTPageRef page = m_tree.GetPage(second);
        BTNode(page.Data()).SetNext(root.firstLeaf);
        page->MarkDirty();
    }
    const DWORD freeCount = m_file.GetFreePageCount();
    EXPECT_TRUE([&] {
        try {
            m_tree.RemoveAll();
        } catch (CArchiveException* e) {
            e->Delete();
            return true;
        }
        return false;
    }());
    EXPECT_EQ(0, std::memcmp(&root, &m_tree.GetRootDescriptor(), sizeof root));
    EXPECT_EQ(freeCount, m_file.GetFreePageCount());
    BTPageRef first = m_tree.GetPage(root.firstLeaf);
    EXPECT_EQ((BYTE)BTNode::kindLeaf, first.Data()[0]);
}

// A position index built while the cache evicts dirty leaves of its own tree
// is complete: every ordinal lands on its key.
TEST_F(OperationScopeTest, PositionIndexBuiltWhileLeavesAreEvictedIsComplete)
{
    InsertRange(0, 2000, 20);
    // Leaves changed since the last write are dirty and must be evicted
    // while the index is built.
    for (int i = 0; i < 2000; i += 37) {
        TextTestTree::SetSearchEntry(KeyText(i), 0, DataOf(i + 1, 20 + i % 50));
        m_tree.Write();
    }
    ASSERT_EQ("", VerifyTree(m_tree));
    m_index.RemoveAll();
    for (int n = 0; n < 2000; n += 49) {
        DWORD leaf;
        int slot;
        ASSERT_TRUE(m_tree.Locate((DWORD)n, &leaf, &slot)) << n;
        BTreeCursor cursor(&m_tree);
        cursor.SetPosition(leaf, slot, BTreeCursor::stateOnEntry);
        BTPageRef hold;
        int length;
        const BYTE* e = cursor.GetEntry(hold, &length);
        ASSERT_TRUE(e != nullptr);
        EXPECT_EQ(KeyText(n), TextTestTree::TextOf(e)) << "ordinal " << n;
    }
}
} // namespace
