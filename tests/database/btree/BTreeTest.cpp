// Behaviour of the engine and its cursors on the record and resource tree
// kinds: results, shapes, persistence and cursor edge cases.
#include "BTreeTestSupport.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTResourceTree.h"
#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{
class RecordTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_name = TestFileName(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_file.SetTree(&m_tree);
        ASSERT_TRUE(CreateAndOpen(m_file, m_name));
        m_tree.Attach(&m_file);
    }
    void TearDown() override
    {
        if (m_file.IsOpen())
            m_file.Close();
        std::remove(m_name.c_str());
    }

    int Put(DWORD record, WORD chunk, int dataLength, char fill = 'd')
    {
        std::string data(dataLength, fill);
        BTRecordTree::SetSearchEntry(record, chunk, data.data(), dataLength);
        return m_tree.Insert();
    }
    // Pages in the file once every cached page is written.
    DWORD PageCount()
    {
        m_file.FlushBuffers();
        return (m_file.GetLength() - BTPagedFile::headerAreaSize) / BTPagedFile::pageSize;
    }
    // Bytes used (entries and slots) of every leaf, in leaf order.
    std::vector<int> LeafFill()
    {
        std::vector<int> fill;
        for (DWORD leaf = m_tree.GetRootDescriptor().firstLeaf; leaf != 0;)
        {
            BTPageRef page = m_tree.GetNode(leaf, BTNode::kindLeaf);
            BTNode node(page.Data());
            fill.push_back(BTNode::leafCapacity - node.Free());
            leaf = node.Next();
        }
        return fill;
    }

    std::string m_name;
    BTRecordTree m_tree;
    TreeTestFile m_file;
};

DWORD RecordAt(BTreeCursor& cursor)
{
    return cursor.ReadU32();
}

WORD ChunkAt(BTreeCursor& cursor)
{
    BYTE key[BTRecordTree::keySize];
    if (cursor.CopyKey(key) != BTRecordTree::keySize)
        return 0xFFFF;
    return (WORD)(key[4] | (key[5] << 8));
}
} // namespace

TEST_F(RecordTreeTest, DuplicateInsertAndMissingDeleteChangeNothing)
{
    BTRecordTree::SetSearchKey(5, 0);
    EXPECT_EQ(BTree::errKeyNotFound, m_tree.Delete()); // empty tree
    EXPECT_EQ(0, Put(5, 0, 10));
    EXPECT_EQ(BTree::errDuplicateKey, Put(5, 0, 20, 'x'));
    BTRecordTree::SetSearchKey(6, 0);
    EXPECT_EQ(BTree::errKeyNotFound, m_tree.Delete());
    EXPECT_EQ(1u, (unsigned)m_tree.GetEntryCount());
    BTreeCursor cursor(&m_tree);
    ASSERT_TRUE(cursor.MoveFirst());
    BTPageRef hold;
    int length;
    const BYTE* e = cursor.GetEntry(hold, &length);
    EXPECT_EQ(18, length);
    EXPECT_EQ('d', e[8]);
}

TEST_F(RecordTreeTest, AscendingInsertsKeepLeavesNearlyFull)
{
    for (DWORD r = 0; r < 3000; ++r)
        ASSERT_EQ(0, Put(r, 0, 40));
    ASSERT_EQ("", VerifyTree(m_tree));
    std::vector<int> fill = LeafFill();
    ASSERT_GT(fill.size(), 10u);
    // All but the last two leaves hold over 90% of what a leaf can.
    for (size_t i = 0; i + 2 < fill.size(); ++i)
        EXPECT_GT(fill[i], BTNode::leafCapacity * 9 / 10) << "leaf " << i;
}

TEST_F(RecordTreeTest, KeyEqualToSeparatorIsFoundLeftOfIt)
{
    for (DWORD r = 0; r < 200; ++r)
        ASSERT_EQ(0, Put(r * 2, 0, 60));
    ASSERT_GE(m_tree.GetLevels(), 2);
    BTPageRef root = m_tree.GetNode(m_tree.GetRootDescriptor().root, BTNode::kindInner);
    BTNode node(root.Data());
    int length;
    const BYTE* separator = node.EntryAt(0, &length);
    DWORD record = BTNode::GetU32At(separator);
    DWORD leftChild = node.ChildAt(0);
    root.Release();
    BTRecordTree::SetSearchKey(record, 0);
    BTreeCursor cursor(&m_tree);
    EXPECT_TRUE(m_tree.Find(cursor));
    EXPECT_EQ(leftChild, cursor.GetLeaf());
    EXPECT_EQ(record, RecordAt(cursor));
    // A key between two entries places the cursor on the next one.
    BTRecordTree::SetSearchKey(record + 1, 0);
    EXPECT_FALSE(m_tree.Find(cursor));
    EXPECT_EQ(record + 2, RecordAt(cursor));
}

TEST_F(RecordTreeTest, WriteReplacesInPlaceOrThroughDeleteAndInsert)
{
    for (DWORD r = 0; r < 400; ++r)
        ASSERT_EQ(0, Put(r, 0, 90));
    BTRecordTree::SetSearchKey(123, 0);
    BTreeCursor cursor(&m_tree);
    ASSERT_TRUE(m_tree.Find(cursor));
    DWORD leaf = cursor.GetLeaf();

    std::string shorter(10, 's');
    BTRecordTree::SetSearchEntry(123, 0, shorter.data(), 10);
    EXPECT_EQ(0, m_tree.Write());
    BTRecordTree::SetSearchKey(123, 0);
    ASSERT_TRUE(m_tree.Find(cursor));
    EXPECT_EQ(leaf, cursor.GetLeaf());

    // Longest entry into every leaf: most replacements cannot stay in place.
    std::string longest(BTNode::maxEntrySize - BTRecordTree::headerSize, 'L');
    for (DWORD r = 0; r < 400; r += 7)
    {
        BTRecordTree::SetSearchEntry(r, 0, longest.data(), (int)longest.size());
        EXPECT_EQ(0, m_tree.Write());
    }
    BTRecordTree::SetSearchEntry(5000, 0, longest.data(), (int)longest.size());
    EXPECT_EQ(1, m_tree.Write());
    EXPECT_EQ(401u, (unsigned)m_tree.GetEntryCount());
    std::vector<std::string> entries;
    ASSERT_EQ("", VerifyTree(m_tree, &entries));
    for (DWORD r = 0; r < 400; ++r)
    {
        size_t expected = r % 7 == 0 ? longest.size() : r == 123 ? 10 : 90;
        EXPECT_EQ(expected + BTRecordTree::headerSize, entries[r].size()) << r;
    }
}

TEST_F(RecordTreeTest, EntriesLongerThanTheLimitAreRefused)
{
    std::string data(BTNode::maxEntrySize - BTRecordTree::headerSize + 1, 'x');
    bool refused = false;
    try
    {
        BTRecordTree::SetSearchEntry(1, 0, data.data(), (int)data.size());
        m_tree.Insert();
    }
    catch (CException* e)
    {
        refused = e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)) != FALSE;
        e->Delete();
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(0u, (unsigned)m_tree.GetEntryCount());
}

TEST_F(RecordTreeTest, RemoveAllPutsEveryNodeOnTheFreeList)
{
    for (DWORD r = 0; r < 2000; ++r)
        ASSERT_EQ(0, Put(r * 7919 % 2000, 0, 50));
    ASSERT_GE(m_tree.GetLevels(), 2);
    m_tree.RemoveAll();
    EXPECT_EQ(0u, (unsigned)m_tree.GetRootDescriptor().root);
    EXPECT_EQ(0, m_tree.GetLevels());
    EXPECT_EQ(PageCount(), m_file.GetFreePageCount());
    // The pages are reused before the file grows.
    DWORD pages = PageCount();
    for (DWORD r = 0; r < 100; ++r)
        ASSERT_EQ(0, Put(r, 0, 50));
    EXPECT_EQ(pages, PageCount());
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(RecordTreeTest, CursorOnEmptyTree)
{
    BTreeCursor cursor(&m_tree);
    EXPECT_FALSE(cursor.MoveFirst());
    EXPECT_EQ(BTreeCursor::stateBeforeFirst, cursor.GetState());
    EXPECT_FALSE(cursor.MoveLast());
    EXPECT_EQ(BTreeCursor::stateAfterLast, cursor.GetState());
    EXPECT_FALSE(cursor.Next());
    EXPECT_FALSE(cursor.Prev());
    EXPECT_FALSE(cursor.MoveToOrdinal(0));
    BTRecordTree::SetSearchKey(1, 0);
    cursor.SetPosition(77, 3, BTreeCursor::stateOnEntry);
    EXPECT_FALSE(m_tree.Find(cursor));
    EXPECT_EQ(77u, (unsigned)cursor.GetLeaf()); // left as it was
}

TEST_F(RecordTreeTest, CursorEndsAndChunkedKeys)
{
    // Records 0..99 of three to one chunks each (the last has three).
    for (DWORD r = 0; r < 100; ++r)
        for (WORD c = 0; c < 3 - r % 3; ++c)
            ASSERT_EQ(0, Put(r, c, 150));
    BTreeCursor cursor(&m_tree);

    // MoveLast ends on chunk 0 of the last object (record 99 has three).
    ASSERT_TRUE(cursor.MoveLast());
    EXPECT_EQ(99u, (unsigned)RecordAt(cursor));
    EXPECT_EQ(0, ChunkAt(cursor));

    // Next past the end: FALSE and leaf 0; Prev cannot come back.
    ASSERT_TRUE(cursor.Next());
    ASSERT_TRUE(cursor.Next());
    EXPECT_EQ(2, ChunkAt(cursor));
    EXPECT_FALSE(cursor.Next());
    EXPECT_EQ(0u, (unsigned)cursor.GetLeaf());
    EXPECT_EQ(BTreeCursor::stateAfterLast, cursor.GetState());
    EXPECT_FALSE(cursor.Prev());

    // Prev before the first keeps the leaf, slot 0, state 1; Next comes back.
    ASSERT_TRUE(cursor.MoveFirst());
    DWORD first = cursor.GetLeaf();
    EXPECT_FALSE(cursor.Prev());
    EXPECT_EQ(first, cursor.GetLeaf());
    EXPECT_EQ(0, cursor.GetSlot());
    EXPECT_EQ(BTreeCursor::stateBeforeFirst, cursor.GetState());
    ASSERT_TRUE(cursor.Next());
    EXPECT_EQ(0u, (unsigned)RecordAt(cursor));

    // NextKey skips the further chunks of a record; PrevKey finds chunk 0.
    std::vector<DWORD> records;
    for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.NextKey())
    {
        EXPECT_EQ(0, ChunkAt(cursor));
        records.push_back(RecordAt(cursor));
    }
    ASSERT_EQ(100u, records.size());
    EXPECT_EQ(99u, (unsigned)records.back());
    ASSERT_TRUE(cursor.MoveLast());
    ASSERT_TRUE(cursor.PrevKey());
    EXPECT_EQ(98u, (unsigned)RecordAt(cursor));
    EXPECT_EQ(0, ChunkAt(cursor));

    // Ordinals count objects, with and without a position index.
    BTPositionIndex index;
    for (int withIndex = 0; withIndex < 2; ++withIndex)
    {
        m_tree.AttachPositionIndex(withIndex ? &index : nullptr);
        for (DWORD n : {0u, 1u, 57u, 99u})
        {
            ASSERT_TRUE(cursor.MoveToOrdinal(n)) << n;
            EXPECT_EQ(n, (DWORD)RecordAt(cursor));
            EXPECT_EQ(0, ChunkAt(cursor));
        }
        EXPECT_FALSE(cursor.MoveToOrdinal(100));
    }
    DWORD ordinal;
    BTRecordTree::SetSearchKey(42, 1);
    ASSERT_TRUE(m_tree.Find(cursor));
    ASSERT_TRUE(m_tree.GetOrdinal(cursor.GetLeaf(), cursor.GetSlot(), &ordinal));
    EXPECT_EQ(43u, (unsigned)ordinal);
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(RecordTreeTest, CursorSurvivesChangesUnderIt)
{
    for (DWORD r = 0; r < 600; ++r)
        ASSERT_EQ(0, Put(r, 0, 100));
    BTreeCursor cursor(&m_tree);
    BTRecordTree::SetSearchKey(300, 0);
    ASSERT_TRUE(m_tree.Find(cursor));
    // Emptying most of the tree frees the cursor's leaf.
    for (DWORD r = 10; r < 590; ++r)
    {
        BTRecordTree::SetSearchKey(r, 0);
        ASSERT_EQ(0, m_tree.Delete());
    }
    ASSERT_EQ("", VerifyTree(m_tree));
    int steps = 0;
    while (cursor.Next() && steps < 1000)
        ++steps;
    EXPECT_LT(steps, 1000);
    EXPECT_EQ(BTreeCursor::stateAfterLast, cursor.GetState());

    // Entries removed around a cursor: it goes on in key order or stops.
    BTRecordTree::SetSearchKey(9, 0);
    ASSERT_TRUE(m_tree.Find(cursor));
    for (DWORD r = 0; r < 9; ++r)
    {
        BTRecordTree::SetSearchKey(r, 0);
        ASSERT_EQ(0, m_tree.Delete());
    }
    std::vector<DWORD> rest;
    while (cursor.Next() && rest.size() < 100)
        rest.push_back(RecordAt(cursor));
    for (size_t i = 0; i < rest.size(); ++i)
    {
        EXPECT_GE(rest[i], 590u);
        EXPECT_TRUE(i == 0 || rest[i - 1] < rest[i]);
    }
    m_tree.RemoveAll();
    EXPECT_FALSE(cursor.Prev());
}

TEST_F(RecordTreeTest, TreeSurvivesCloseAndReopenByteForByte)
{
    BTPositionIndex index;
    m_tree.AttachPositionIndex(&index);
    for (DWORD r = 0; r < 1500; ++r)
        ASSERT_EQ(0, Put(r * 613 % 1500, (WORD)(r % 2), 20 + r % 170, (char)('a' + r % 26)));
    for (DWORD r = 0; r < 1500; r += 3)
    {
        BTRecordTree::SetSearchKey(r * 613 % 1500, (WORD)(r % 2));
        ASSERT_EQ(0, m_tree.Delete());
    }
    std::vector<std::string> before;
    ASSERT_EQ("", VerifyTree(m_tree, &before));
    BTRootDescriptor root = m_tree.GetRootDescriptor();
    m_file.Close();
    std::vector<BYTE> bytes = ReadWholeFile(m_name);
    ASSERT_FALSE(bytes.empty());

    // Read-write reopen without changes, then read-only: the file stays the same.
    for (int readOnly = 0; readOnly < 2; ++readOnly)
    {
        BTRecordTree tree;
        TreeTestFile file;
        tree.Attach(&file);
        file.SetTree(&tree); // the header load fills the root descriptor
        ASSERT_TRUE(OpenExisting(file, m_name, readOnly));
        EXPECT_EQ(0, std::memcmp(&root, &tree.GetRootDescriptor(), sizeof root));
        std::vector<std::string> after;
        EXPECT_EQ("", VerifyTree(tree, &after));
        EXPECT_EQ(before, after);
        BTreeCursor cursor(&tree);
        size_t walked = 0;
        for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.Next())
            ++walked;
        EXPECT_EQ(before.size(), walked);
        file.Close();
        EXPECT_EQ(bytes, ReadWholeFile(m_name));
    }
}

TEST(BTPositionIndex, ArchiveFormIsCountThenBigEndianPairs)
{
    std::string name = TestFileName("posindex");
    BTPositionIndex index;
    index.Add(0x00000C00, 3);
    index.Add(0x00001400, 0x01020304);
    {
        CFile file;
        ASSERT_TRUE(file.Open(name.c_str(), CFile::modeCreate | CFile::modeReadWrite));
        CArchive ar(&file, CArchive::store);
        index.Serialize(ar);
        ar.Close();
        file.Close();
    }
    const BYTE expected[] = {2, 0, 0, 0, 0x0C, 0, 0, 0, 0, 3, 0, 0, 0x14, 0, 1, 2, 3, 4};
    EXPECT_EQ(std::vector<BYTE>(expected, expected + sizeof expected), ReadWholeFile(name));
    BTPositionIndex loaded;
    {
        CFile file;
        ASSERT_TRUE(file.Open(name.c_str(), CFile::modeRead));
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    ASSERT_EQ(2, loaded.GetSize());
    EXPECT_EQ(0x1400u, (unsigned)loaded.GetAt(1).leaf);
    EXPECT_EQ(0x01020304u, (unsigned)loaded.GetAt(1).count);
    std::remove(name.c_str());
}

TEST(BTResourceTree, KeysOrderByTypeIdAndChunk)
{
    std::string name = TestFileName("resources");
    BTResourceTree tree;
    TreeTestFile file;
    file.SetTree(&tree);
    ASSERT_TRUE(CreateAndOpen(file, name));
    tree.Attach(&file);
    const DWORD types[] = {0x4F626A20, 0x43414348, 0x80000000};
    for (DWORD type : types)
        for (DWORD id = 5; id > 0; --id)
            for (WORD chunk = 0; chunk < 3; ++chunk)
            {
                BTResourceTree::SetSearchEntry(type, id, chunk, "abc", 3);
                ASSERT_EQ(0, tree.Insert());
            }
    BTreeCursor cursor(&tree);
    BYTE key[BTResourceTree::keySize];
    BYTE last[BTResourceTree::keySize];
    int count = 0;
    for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.Next(), ++count)
    {
        ASSERT_EQ(BTResourceTree::keySize, cursor.CopyKey(key));
        if (count > 0)
        {
            EXPECT_LT(tree.CompareKeys(last, key), 0);
        }
        std::memcpy(last, key, sizeof key);
    }
    EXPECT_EQ(45, count);
    BTResourceTree::SetSearchKey(0x80000000, 1, 0);
    EXPECT_TRUE(tree.Find(cursor));
    EXPECT_EQ(0x80000000u, (unsigned)cursor.ReadU32());
    EXPECT_EQ(15u, (unsigned)[&] {
        DWORD n = 0;
        for (BOOL ok = cursor.MoveFirst(); ok; ok = cursor.NextKey())
            ++n;
        return n;
    }());
    file.Close();
    std::remove(name.c_str());
}

// A tree destroyed while its file stays open must not be called back when
// the file later writes the pages the tree left dirty.
TEST(BTreeLifetime, FileOutlivingItsTreeWritesBackSafely)
{
    std::string name = TestFileName("FileOutlivingItsTree");
    TreeTestFile file;
    ASSERT_TRUE(CreateAndOpen(file, name));
    {
        BTRecordTree tree;
        tree.Attach(&file);
        for (DWORD record = 0; record < 200; ++record)
        {
            std::string data(40, 'x');
            BTRecordTree::SetSearchEntry(record, 0, data.data(), (int)data.size());
            ASSERT_EQ(0, tree.Insert());
        }
    }
    file.FlushBuffers();
    file.Close();
    std::remove(name.c_str());
}
