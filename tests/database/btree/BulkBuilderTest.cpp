// A tree built bottom-up from ascending entries is a sound tree with every
// entry, fuller than the same entries inserted in order, and every
// operation works on it afterwards; entries out of order and a tree that is
// not empty are refused before anything changes.
#include "TreeFileFixture.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTBulkBuilder.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTreeCursor.h"

#include <map>

namespace {

using Model = std::map<std::string, std::string>;

// count entries; text of 1 to maxText bytes, data of 0 to maxData bytes.
Model MakeEntries(int count, int maxText, int maxData, uint32_t seed)
{
    Rng rng(seed);
    Model model;
    while ((int)model.size() < count) {
        std::string text(1 + (size_t)rng.Below(maxText), 'a');
        for (char& c : text)
            c = (char)('a' + rng.Below(26));
        model[text] = std::string((size_t)rng.Below(maxData + 1), (char)('A' + rng.Below(26)));
    }
    return model;
}

class BulkBuilder : public TreeFileFixture<TextTestTree>
{
protected:
    void Build(const Model& model)
    {
        BTBulkBuilder builder(m_tree);
        for (const auto& entry : model) {
            TextTestTree::SetSearchEntry(entry.first, 0, entry.second);
            builder.Append(BTGetSearchKey(), BTGetSearchKeyLength());
        }
        builder.Finish();
    }
    // The tree is sound and holds exactly the model, in order and by ordinal.
    void Check(const Model& model)
    {
        std::vector<std::string> entries;
        ASSERT_EQ("", VerifyTree(m_tree, &entries));
        ASSERT_EQ(model.size(), entries.size());
        ASSERT_EQ(model.size(), (size_t)m_tree.GetEntryCount());
        size_t i = 0;
        for (const auto& entry : model) {
            const BYTE* e = (const BYTE*)entries[i].data();
            ASSERT_EQ(entry.first, TextTestTree::TextOf(e)) << i;
            ASSERT_EQ(entry.second, TextTestTree::DataOf(e)) << i;
            ++i;
        }
        BTreeCursor cursor(&m_tree);
        for (size_t n = 0; n < model.size(); n += 1 + model.size() / 7) {
            ASSERT_TRUE(cursor.MoveToOrdinal((DWORD)n)) << n;
            BTPageRef hold;
            int length = 0;
            const BYTE* e = cursor.GetEntry(hold, &length);
            ASSERT_EQ(std::next(model.begin(), (ptrdiff_t)n)->first, TextTestTree::TextOf(e)) << n;
        }
    }
    BTPositionIndex m_index;
};

struct Leaf
{
    int free;
    int firstLength; // of its first entry
};

// The leaves along the chain.
std::vector<Leaf> Leaves(BTree& tree)
{
    std::vector<Leaf> leaves;
    for (DWORD at = tree.GetRootDescriptor().firstLeaf; at != 0;) {
        BTPageRef page = tree.GetPage(at);
        BTNode node(page.Data());
        leaves.push_back({node.Free(), node.EntryLength(0)});
        at = node.Next();
    }
    return leaves;
}

struct BuildCase
{
    const char* name;
    int count;
    int maxText;
    int maxData;
};

} // namespace

TEST_F(BulkBuilder, BuiltTreesAreSoundFullAndWorkAfterwards)
{
    const BuildCase cases[] = {
        {"empty", 0, 8, 8},
        {"one entry", 1, 8, 8},
        {"one leaf", 60, 6, 20},
        {"two leaves", 120, 6, 20},
        {"many short", 6000, 10, 12},
        {"long entries", 900, 60, 700},
        {"three levels", 40000, 12, 30},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        m_tree.AttachPositionIndex(&m_index);
        const Model model = MakeEntries(c.count, c.maxText, c.maxData, (uint32_t)c.count + 7);
        Build(model);
        Check(model);
        // Every leaf but the last two is full: the next leaf's first entry
        // would not fit in it.
        const std::vector<Leaf> leaves = Leaves(m_tree);
        for (size_t leaf = 0; leaf + 2 < leaves.size(); ++leaf)
            EXPECT_LT(leaves[leaf].free, leaves[leaf + 1].firstLength + 2) << "leaf " << leaf;
        Reopen();
        Check(model);
        // Inserts, replacements and deletes on the built tree.
        Model changed = model;
        Rng rng(99);
        for (int i = 0; i < c.count / 2 + 50; ++i) {
            const Model more = MakeEntries(1, c.maxText, c.maxData, 1000u + (uint32_t)i);
            TextTestTree::SetSearchEntry(more.begin()->first, 0, more.begin()->second);
            m_tree.Write();
            changed[more.begin()->first] = more.begin()->second;
            if (!changed.empty() && rng.Below(2) == 0) {
                auto victim = std::next(changed.begin(), rng.Below((int)changed.size()));
                TextTestTree::SetSearchKey(victim->first, 0);
                ASSERT_EQ(0, m_tree.Delete());
                changed.erase(victim);
            }
        }
        Check(changed);
    }
}

TEST_F(BulkBuilder, BuiltTreeTakesNoMoreLeavesThanInsertsInAnyOrder)
{
    const Model model = MakeEntries(20000, 12, 24, 5);
    Build(model);
    const size_t built = Leaves(m_tree).size();
    std::vector<const Model::value_type*> shuffled;
    for (const auto& entry : model)
        shuffled.push_back(&entry);
    Rng rng(3);
    for (size_t i = shuffled.size(); i > 1; --i)
        std::swap(shuffled[i - 1], shuffled[(size_t)rng.Below((int)i)]);
    for (bool ascending : {true, false}) {
        TextTestTree inserted;
        TreeTestFile other;
        const std::string otherName = TestFileName(ascending ? "ascending_other" : "shuffled_other");
        other.SetTree(&inserted);
        ASSERT_TRUE(CreateAndOpen(other, otherName));
        inserted.Attach(&other);
        if (ascending) {
            for (const auto& entry : model) {
                TextTestTree::SetSearchEntry(entry.first, 0, entry.second);
                ASSERT_EQ(0, inserted.Insert());
            }
            EXPECT_LE(built, Leaves(inserted).size());
        } else {
            for (const auto* entry : shuffled) {
                TextTestTree::SetSearchEntry(entry->first, 0, entry->second);
                ASSERT_EQ(0, inserted.Insert());
            }
            EXPECT_LT(built * 10, Leaves(inserted).size() * 9);
        }
        other.Close();
        std::remove(otherName.c_str());
    }
}

TEST_F(BulkBuilder, MisorderedEntriesAndFilledTreesAreRefused)
{
    const std::pair<const char*, const char*> misordered[] = {{"beta", "alpha"}, {"same", "same"}};
    for (const auto& pair : misordered) {
        BTBulkBuilder builder(m_tree);
        TextTestTree::SetSearchEntry(pair.first, 0, "x");
        builder.Append(BTGetSearchKey(), BTGetSearchKeyLength());
        TextTestTree::SetSearchEntry(pair.second, 0, "y");
        EXPECT_TRUE(Raises<CNotSupportedException>([&] {
            builder.Append(BTGetSearchKey(), BTGetSearchKeyLength());
        })) << pair.first
            << " then " << pair.second;
        EXPECT_EQ(0u, m_tree.GetRootDescriptor().root);
    }
    TextTestTree::SetSearchEntry("present", 0, "z");
    ASSERT_EQ(0, m_tree.Insert());
    EXPECT_TRUE(Raises<CNotSupportedException>([&] { BTBulkBuilder refused(m_tree); }));
    EXPECT_EQ("", VerifyTree(m_tree));
}
