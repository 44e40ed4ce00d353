// Objects stored in chunks in record and resource trees on a real paged
// file: chunk layout, rewrites, counts, failures and damaged chains.
#include "BlobObject.h"
#include "TreeFileFixture.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTResourceTree.h"
#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// The chunk lengths an archive of n bytes is stored in.
std::vector<int> Split(size_t n)
{
    std::vector<int> chunks;
    for (size_t at = 0; at < n; at += 200)
        chunks.push_back((int)(n - at < 200 ? n - at : 200));
    return chunks;
}

class ChunkedRecordTest : public TreeFileFixture<BTRecordTree>
{
protected:
    // The data lengths of the record's entries in key order, each checked
    // to carry the chunk number of its place.
    std::vector<int> Chunks(DWORD record)
    {
        std::vector<int> lengths;
        BTreeCursor cursor(&m_tree);
        BTRecordTree::SetSearchKey(record, 0);
        m_tree.Find(cursor);
        for (BOOL on = cursor.IsOnEntry(); on; on = cursor.Next()) {
            BTPageRef hold;
            int length;
            const BYTE* e = cursor.GetEntry(hold, &length);
            if (BTNode::GetU32At(e) != record)
                break;
            EXPECT_EQ(lengths.size(), (size_t)(e[4] | e[5] << 8));
            lengths.push_back(length - BTRecordTree::headerSize);
        }
        return lengths;
    }
    std::string Read(DWORD record)
    {
        BlobObject o("untouched");
        return m_tree.ReadBlob(o, record) ? o.data : "<none>";
    }
};

TEST_F(ChunkedRecordTest, ObjectsOfEverySizeWriteRewriteReadAndDelete)
{
    const size_t sizes[] = {0, 1, 199, 200, 201, 100000};
    const int n = (int)(sizeof sizes / sizeof sizes[0]);
    std::vector<std::string> held(n);
    auto check = [&] {
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(Split(held[i].size()), Chunks(10 * i + 1));
            EXPECT_EQ(held[i].empty() ? "<none>" : held[i], Read(10 * i + 1));
        }
        EXPECT_EQ("", VerifyTree(m_tree));
    };

    for (int i = 0; i < n; ++i) {
        held[i] = Pattern(sizes[i], i);
        BlobObject o(held[i]);
        m_tree.WriteBlob(o, 10 * i + 1);
    }
    EXPECT_EQ((DWORD)n, m_tree.GetObjectCount()); // the empty one counts too
    check();

    // Every record rewritten longer, then shorter, beside its neighbours.
    for (int step : {1, n - 2}) {
        for (int i = 0; i < n; ++i) {
            held[i] = Pattern(sizes[(i + step) % n], 100 + i);
            BlobObject o(held[i]);
            m_tree.ReplaceBlob(o, 10 * i + 1);
        }
        check();
    }

    Reopen();
    check();
    BTreeCursor cursor(&m_tree);
    BlobObject viaCursor;
    ASSERT_TRUE(cursor.ReadBlob(viaCursor, 10 * (n - 1) + 1));
    EXPECT_EQ(held[n - 1], viaCursor.data);

    for (int i = 0; i < n; ++i)
        EXPECT_EQ(BTree::errKeyNotFound, m_tree.DeleteBlob(10 * i + 1));
    EXPECT_EQ(0u, m_tree.GetEntryCount());
    EXPECT_EQ(0u, m_tree.GetRootDescriptor().root);
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(ChunkedRecordTest, CountsFollowTheRecordsStored)
{
    BlobObject empty;
    m_tree.WriteBlob(empty, 1);
    EXPECT_EQ(1u, m_tree.GetObjectCount());
    EXPECT_EQ(0u, m_tree.GetEntryCount());
    EXPECT_EQ("<none>", Read(1));

    BlobObject o(Pattern(450));
    m_tree.ReplaceBlob(o, 2); // nothing to replace: counted as new
    EXPECT_EQ(2u, m_tree.GetObjectCount());
    m_tree.ReplaceBlob(o, 2);
    EXPECT_EQ(2u, m_tree.GetObjectCount());
    EXPECT_EQ((std::vector<int>{200, 200, 50}), Chunks(2));
    m_tree.DeleteBlob(2);
    m_tree.DeleteBlob(2);
    EXPECT_EQ(1u, m_tree.GetObjectCount());
}

TEST_F(ChunkedRecordTest, FailedWritesLeaveTheTreeAsItWas)
{
    const std::string old = Pattern(500, 7);
    BlobObject first(old);
    m_tree.WriteBlob(first, 5);

    // A record number in use: refused, the stored record untouched.
    BlobObject second(Pattern(900, 8));
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.WriteBlob(second, 5); }));
    EXPECT_EQ(old, Read(5));
    EXPECT_EQ(1u, m_tree.GetObjectCount());

    // A stray chunk 2 of a record without chunk 0: the chunks put in
    // before it are taken back.
    BTRecordTree::SetSearchEntry(6, 2, "stray", 5);
    ASSERT_EQ(0, m_tree.Insert());
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.WriteBlob(second, 6); }));
    EXPECT_EQ(4u, m_tree.GetEntryCount()); // record 5's three chunks and the stray

    // A Serialize that fails while storing changes nothing either.
    BlobObject failing(Pattern(700, 9));
    failing.failAfter = 300;
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.ReplaceBlob(failing, 5); }));
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.WriteBlob(failing, 7); }));
    EXPECT_EQ(old, Read(5));
    EXPECT_EQ(4u, m_tree.GetEntryCount());
    EXPECT_EQ(1u, m_tree.GetObjectCount());
    EXPECT_EQ("", VerifyTree(m_tree));
}

TEST_F(ChunkedRecordTest, DamagedChainsAreRefused)
{
    const std::string data = Pattern(650, 3);
    for (DWORD r : {1u, 2u, 3u}) {
        BlobObject o(data);
        m_tree.WriteBlob(o, r);
    }
    // Record 1 loses its middle chunk: its reader meets the end of its data.
    BTRecordTree::SetSearchKey(1, 1);
    ASSERT_EQ(0, m_tree.Delete());
    BlobObject strict;
    strict.expectLength = (int)data.size();
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.ReadBlob(strict, 1); }));
    // A stray chunk behind a gap is never read along.
    BTRecordTree::SetSearchEntry(2, 9, "stray", 5);
    ASSERT_EQ(0, m_tree.Insert());
    EXPECT_EQ(data, Read(2));

    // A leaf whose slot array is broken on disk.
    m_file.FlushBuffers();
    const DWORD leaf = m_tree.GetRootDescriptor().firstLeaf;
    Reopen();
    const BYTE bad[2] = {0xF0, 0x7F};
    m_file.Close();
    PatchFile(m_name, leaf + 2046 - 2 * 2, bad, 2);
    ASSERT_TRUE(OpenExisting(m_file, m_name));
    BlobObject o;
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.ReadBlob(o, 1); }));
}

TEST_F(ChunkedRecordTest, ObjectsTooLongToNumberAreRefused)
{
    BlobObject huge(std::string(65536 * 200 + 1, 'h'));
    EXPECT_TRUE(Raises<CNotSupportedException>([&] { m_tree.WriteBlob(huge, 1); }));
    EXPECT_EQ(0u, m_tree.GetEntryCount());
    EXPECT_EQ(0u, m_tree.GetObjectCount());
}

typedef TreeFileFixture<BTResourceTree> ResourceTreeObjectTest;

TEST_F(ResourceTreeObjectTest, ResourcesWriteReplaceAndRead)
{
    const DWORD type = 0x4F626A20; // 'Obj '
    BlobObject a(Pattern(420, 1)), b(Pattern(30, 2)), c(Pattern(1000, 3));
    m_tree.WriteObject(a, type, 2000);
    m_tree.WriteObject(b, type, 2001);
    m_tree.ReplaceObject(c, type, 2000);
    m_tree.ReplaceObject(a, type, 2002);
    EXPECT_EQ(3u, m_tree.GetObjectCount());
    EXPECT_EQ(5u + 1u + 3u, m_tree.GetEntryCount());

    BlobObject got("untouched");
    EXPECT_FALSE(m_tree.ReadObject(got, type, 1999));
    EXPECT_EQ("untouched", got.data);
    ASSERT_TRUE(m_tree.ReadObject(got, type, 2000));
    EXPECT_EQ(c.data, got.data);
    ASSERT_TRUE(m_tree.ReadObject(got, type, 2001));
    EXPECT_EQ(b.data, got.data);
}

TEST_F(ResourceTreeObjectTest, AResourceThatFailsToLoadIsNotReportedAsRead)
{
    BlobObject stored(Pattern(600, 4));
    m_tree.WriteObject(stored, 1, 1);
    BlobObject damaged;
    damaged.failAfter = 100;
    EXPECT_TRUE(Raises<CArchiveException>([&] { m_tree.ReadObject(damaged, 1, 1); }));
}
} // namespace
