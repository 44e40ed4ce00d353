// Rescuing records from damaged record trees: every record that can still
// be read whole comes back, broken ones are skipped, and the walk always
// ends.
#include "BlobObject.h"
#include "TreeFileFixture.h"

#include "database/btree/BTRecordTree.h"
#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {
// Refuses to load data that starts with '!', as an object refuses bytes
// it cannot make sense of.
class PickyBlob : public BlobObject
{
public:
    void Serialize(CArchive& ar) override
    {
        BlobObject::Serialize(ar);
        if (!data.empty() && data[0] == '!')
            AfxThrowArchiveException(CArchiveException::badSchema);
    }
};

class RecordSalvageTest : public TreeFileFixture<BTRecordTree>
{
protected:
    enum
    {
        records = 60,
    };

    void SetUp() override
    {
        TreeFileFixture::SetUp();
        for (DWORD r = 0; r < records; ++r) {
            m_data[r] = Pattern(50 + 97 * (r % 7), r); // 1 to 4 chunks
            BlobObject o(m_data[r]);
            m_tree.WriteBlob(o, 3 * r);
        }
        ASSERT_GT(m_tree.GetLevels(), 1);
    }
    // Every record the salvage hands out; fails on a repeat or a wrong one.
    std::map<DWORD, std::string> Salvage()
    {
        std::map<DWORD, std::string> got;
        BTreeCursor cursor(&m_tree);
        cursor.MoveFirst();
        for (int calls = 0; cursor.IsOnEntry(); ++calls) {
            if (calls > 4 * records) {
                ADD_FAILURE() << "the salvage does not end";
                break;
            }
            PickyBlob o;
            DWORD r = 0xFFFFFFFF;
            if (m_tree.SalvageNextBlob(o, cursor, &r)) {
                EXPECT_EQ(0u, got.count(r)) << r;
                EXPECT_EQ(m_data[r / 3], o.data) << r;
                got[r] = o.data;
            }
        }
        return got;
    }
    // Page offsets of the leaves in chain order.
    std::vector<DWORD> Leaves()
    {
        std::vector<DWORD> leaves;
        for (DWORD leaf = m_tree.GetRootDescriptor().firstLeaf; leaf != 0;) {
            leaves.push_back(leaf);
            leaf = BTNode(m_tree.GetNode(leaf, BTNode::kindLeaf).Data()).Next();
        }
        return leaves;
    }
    void PatchU32(DWORD offset, DWORD value)
    {
        m_file.Close();
        BYTE bytes[4];
        BTNode::PutU32At(bytes, value);
        PatchFile(m_name, offset, bytes, 4);
        ASSERT_TRUE(OpenExisting(m_file, m_name));
    }

    std::map<DWORD, std::string> m_data;
};

TEST_F(RecordSalvageTest, ASoundTreeGivesEveryRecord)
{
    EXPECT_EQ((size_t)records, Salvage().size());
    BTreeCursor past(&m_tree);
    PickyBlob o;
    DWORD r;
    EXPECT_FALSE(m_tree.SalvageNextBlob(o, past, &r)); // not on an entry
}

TEST_F(RecordSalvageTest, BrokenRecordsAreSkipped)
{
    // Record 12 loses its second chunk; record 30 cannot be deserialised.
    BTRecordTree::SetSearchKey(3 * 12, 1);
    ASSERT_EQ(0, m_tree.Delete());
    m_data[30] = "!" + Pattern(300, 30);
    BlobObject refused(m_data[30]);
    m_tree.ReplaceBlob(refused, 3 * 30);

    std::map<DWORD, std::string> got = Salvage();
    EXPECT_EQ((size_t)records - 2, got.size());
    EXPECT_EQ(0u, got.count(3 * 12));
    EXPECT_EQ(0u, got.count(3 * 30));
    EXPECT_EQ(1u, got.count(3 * 13));
    EXPECT_EQ(1u, got.count(3 * 31));
}

TEST_F(RecordSalvageTest, DamagedLeafChainsEndTheWalk)
{
    const std::vector<DWORD> leaves = Leaves();
    ASSERT_GE(leaves.size(), 4u);
    const size_t whole = Salvage().size();

    struct
    {
        const char* what;
        int leaf;    // whose link is patched
        DWORD at;    // offset in the page
        DWORD value; // new link
    } cases[] = {
        {"next link past the file", 1, 10, 0x7FFFF000},
        {"next link off a page boundary", 1, 10, 1025},
        {"next link back to the first leaf", -1, 10, 0}, // a loop through the whole chain
        {"next link to an inner node", 1, 10, 0},        // filled in below
    };
    cases[2].leaf = (int)leaves.size() - 1;
    cases[2].value = leaves[0];
    cases[3].value = m_tree.GetRootDescriptor().root;
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        BYTE saved[4];
        {
            BTPageRef page = m_tree.GetPage(leaves[c.leaf]);
            std::memcpy(saved, page.Data() + c.at, 4);
        }
        m_file.FlushBuffers();
        PatchU32(leaves[c.leaf] + c.at, c.value);
        if (c.value == leaves[0])
            PatchU32(leaves[0] + 6, leaves[c.leaf]); // the back link agrees: a true cycle
        std::map<DWORD, std::string> got = Salvage();
        EXPECT_LT(got.size(), whole);
        EXPECT_GT(got.size(), 0u);
        PatchU32(leaves[c.leaf] + c.at, BTNode::GetU32At(saved));
        if (c.value == leaves[0])
            PatchU32(leaves[0] + 6, 0);
    }
    EXPECT_EQ(whole, Salvage().size());
}
} // namespace
