// Trees on real paged files through whole sessions, against a std::map
// model: random edits, flushes, closes and reopens. One tree on a compressed
// file (pages spill into overflow slots and shrink back); six files at once
// under a tiny page-cache limit, so that reading one file evicts and writes
// the dirty pages of the others.
#include "BTreeTestSupport.h"

#include "database/btree/BTNode.h"
#include "database/btree/BTPositionIndex.h"
#include "database/file/BTPageCache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace
{
typedef std::map<std::string, std::string> Model; // text (dup 0) -> data

std::string RandomText(Rng& rng, int shortest, int longest)
{
    std::string text(shortest + rng.Below(longest - shortest + 1), 'a');
    for (char& c : text)
        c = (char)('a' + rng.Below(6));
    return text;
}

// Half the data random bytes (incompressible), half repetitive.
std::string RandomData(Rng& rng, const std::string& text)
{
    int room = BTNode::maxEntrySize - ((int)text.size() + 6);
    int length = rng.Below((room < 300 ? room : 300) + 1);
    std::string data(length, 'x');
    bool random = rng.Below(2) == 0;
    for (int i = 0; i < length; ++i)
        data[i] = random ? (char)rng.Next() : (char)('0' + i % 10);
    return data;
}

// One random insert, write or delete on the tree and the model; "" when the
// tree answered as the model says it must.
std::string RandomEdit(Rng& rng, TextTestTree& tree, Model& model, int longestKey)
{
    std::string text = RandomText(rng, 1, rng.Below(10) == 0 ? longestKey : 24);
    const bool present = model.count(text) != 0;
    int kind = rng.Below(10);
    if (kind < 5)
    {
        std::string data = RandomData(rng, text);
        TextTestTree::SetSearchEntry(text, 0, data);
        if (tree.Insert() != (present ? (int)BTree::errDuplicateKey : 0))
            return "insert " + text;
        model.emplace(text, data);
    }
    else if (kind < 7)
    {
        std::string data = RandomData(rng, text);
        TextTestTree::SetSearchEntry(text, 0, data);
        if (tree.Write() != (present ? 0 : 1))
            return "write " + text;
        model[text] = data;
    }
    else
    {
        // Deletes mostly hit: take a key of the model.
        if (!model.empty() && rng.Below(4) != 0)
        {
            auto it = model.lower_bound(text);
            text = it == model.end() ? model.begin()->first : it->first;
        }
        TextTestTree::SetSearchKey(text, 0);
        if (tree.Delete() != (model.count(text) ? 0 : (int)BTree::errKeyNotFound))
            return "delete " + text;
        model.erase(text);
    }
    return "";
}

// "" when the tree is sound and holds exactly the model.
std::string Compare(TextTestTree& tree, const Model& model)
{
    std::vector<std::string> entries;
    std::string error = VerifyTree(tree, &entries);
    if (!error.empty())
        return error;
    if (entries.size() != model.size())
        return "entry count " + std::to_string(entries.size()) + ", model " + std::to_string(model.size());
    auto it = model.begin();
    for (const std::string& entry : entries)
    {
        const BYTE* e = (const BYTE*)entry.data();
        if (TextTestTree::TextOf(e) != it->first || TextTestTree::DataOf(e) != it->second)
            return "entry differs at " + it->first;
        ++it;
    }
    return "";
}

// A tree with its position index on a paged file that carries its root.
struct TreeOnFile
{
    std::string name;
    TreeTestFile file;
    TextTestTree tree;
    BTPositionIndex index;

    TreeOnFile(const std::string& path, BOOL compressed) : name(path)
    {
        file.SetCompressed(compressed);
        tree.Attach(&file);
        tree.AttachPositionIndex(&index);
        file.SetTree(&tree);
    }
    BOOL Create() { return CreateAndOpen(file, name); }
    BOOL Open() { return OpenExisting(file, name); }
};

TEST(PagedTreeRoundTripTest, CompressedTreeKeepsItsModelThroughFlushesAndReopens)
{
    const std::string name = TestFileName("compressedtree");
    Model model;
    Rng rng(11);
    for (int session = 0; session < 6; ++session)
    {
        TreeOnFile t(name, TRUE);
        ASSERT_TRUE(session == 0 ? t.Create() : t.Open()) << "session " << session;
        ASSERT_EQ("", Compare(t.tree, model)) << "reopened, session " << session;
        for (int op = 0; op < 1500; ++op)
        {
            ASSERT_EQ("", RandomEdit(rng, t.tree, model, BTNode::maxEntrySize - 8)) << "op " << op;
            if (op % 500 == 499)
            {
                t.file.FlushBuffers();
                ASSERT_EQ("", Compare(t.tree, model)) << "flushed, session " << session;
            }
        }
        t.file.Close();
    }
    TreeOnFile t(name, TRUE);
    ASSERT_TRUE(t.Open());
    EXPECT_EQ("", Compare(t.tree, model));
    EXPECT_GT(model.size(), 500u);
    // Both kinds of page were met: some spill into an overflow slot, some not.
    int spilled = 0, leaves = 0;
    for (DWORD leaf = t.tree.GetRootDescriptor().firstLeaf; leaf != 0; ++leaves)
    {
        BTPageRef page = t.tree.GetNode(leaf, BTNode::kindLeaf);
        spilled += page->m_bOverflow ? 1 : 0;
        leaf = BTNode(page.Data()).Next();
    }
    EXPECT_GT(spilled, 0);
    EXPECT_LT(spilled, leaves);
    t.file.Close();
    std::remove(name.c_str());
}

TEST(PagedTreeRoundTripTest, SixFilesUnderATinyCacheLimitKeepTheirModels)
{
    const int kFiles = 6;
    BTPageCache::SetTotalLimit(10);
    struct Slot
    {
        std::string name;
        BOOL compressed;
        Model model;
        std::unique_ptr<TreeOnFile> open; // null while closed
    } slots[kFiles];
    for (int i = 0; i < kFiles; ++i)
    {
        char tag[32];
        std::snprintf(tag, sizeof tag, "sixfiles%d", i);
        slots[i].name = TestFileName(tag);
        slots[i].compressed = i % 2;
        slots[i].open.reset(new TreeOnFile(slots[i].name, slots[i].compressed));
        ASSERT_TRUE(slots[i].open->Create());
    }
    Rng rng(29);
    int reopens = 0;
    for (int step = 0; step < 4000; ++step)
    {
        Slot& s = slots[rng.Below(kFiles)];
        if (!s.open)
        {
            s.open.reset(new TreeOnFile(s.name, s.compressed));
            ASSERT_TRUE(s.open->Open()) << s.name;
            ASSERT_EQ("", Compare(s.open->tree, s.model)) << s.name << " reopened at step " << step;
            ++reopens;
        }
        int r = rng.Below(100);
        if (r < 4)
        {
            s.open->file.Close();
            s.open.reset();
        }
        else if (r < 6)
        {
            DWORD leaf;
            int slot;
            s.open->tree.Locate(0, &leaf, &slot); // builds the position index
        }
        else
            ASSERT_EQ("", RandomEdit(rng, s.open->tree, s.model, 200)) << s.name << " step " << step;
    }
    EXPECT_GT(reopens, 50);
    for (Slot& s : slots)
    {
        if (s.open)
        {
            EXPECT_EQ("", Compare(s.open->tree, s.model)) << s.name;
            s.open->file.Close();
            s.open.reset();
        }
        TreeOnFile t(s.name, s.compressed);
        ASSERT_TRUE(t.Open()) << s.name;
        EXPECT_EQ("", Compare(t.tree, s.model)) << s.name;
        EXPECT_GT(s.model.size(), 100u) << s.name;
        t.file.Close();
        std::remove(s.name.c_str());
    }
    BTPageCache::SetTotalLimit(BTPageCache::defaultTotalLimit);
    EXPECT_EQ(0u, BTPageCache::GetTotalCount());
}
} // namespace
