// The position index when its upkeep fails: memory running out inside a
// split, while the index is built or loaded, or a damaged leaf met while
// building. The tree stays whole and the index is either complete or empty
// (rebuilt when next used), never a part that passes for the whole.
#include "BTreeTestSupport.h"
#include "support/FailingAllocations.h"

#include "classlib/Archive.h"
#include "classlib/MemFile.h"
#include "database/btree/BTPositionIndex.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
std::string KeyText(int i)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06d", (i * 7919) % 100003);
    return std::string(text) + std::string(94, (char)('a' + i % 26));
}

struct IndexedTree
{
    std::string name;
    TreeTestFile file;
    TextTestTree tree;
    BTPositionIndex index;

    explicit IndexedTree(const char* tag) : name(TestFileName(tag))
    {
        file.SetTree(&tree);
        EXPECT_TRUE(CreateAndOpen(file, name));
        tree.Attach(&file);
        tree.AttachPositionIndex(&index);
    }
    ~IndexedTree()
    {
        file.Close();
        std::remove(name.c_str());
    }
    void Insert(int i)
    {
        TextTestTree::SetSearchEntry(KeyText(i), 0, "d");
        ASSERT_EQ(0, tree.Insert());
    }
    // The n-th key by the index (built first when empty).
    std::string Located(DWORD n)
    {
        DWORD leaf;
        int slot;
        if (!tree.Locate(n, &leaf, &slot))
            return "<none>";
        BTPageRef page = tree.GetNode(leaf);
        int length;
        return TextTestTree::TextOf(tree.CheckedEntry(BTNode(page.Data()), slot, &length));
    }
};

TEST(PositionIndexFailureTest, SplitsWhileMemoryFailsFinishAndDropTheIndex)
{
    IndexedTree t("oomsplit");
    int next = 0;
    for (; next < 60; ++next)
        t.Insert(next);
    ASSERT_NE("<none>", t.Located(0)); // builds the index
    bool dropped = false;
    for (; next < 700 && !dropped; ++next)
    {
        TextTestTree::SetSearchEntry(KeyText(next), 0, "d");
        int result = -1;
        ASSERT_EQ(nothingThrown, WhileMemoryFails([&] { result = t.tree.Insert(); })) << "insert " << next;
        ASSERT_EQ(0, result);
        dropped = t.index.IsEmpty(); // a new leaf found no room in the index
    }
    ASSERT_TRUE(dropped) << "no split needed memory for the index";
    std::vector<std::string> entries;
    ASSERT_EQ("", VerifyTree(t.tree, &entries));
    EXPECT_EQ((size_t)next, entries.size());
    EXPECT_EQ(TextTestTree::TextOf((const BYTE*)entries[7].data()), t.Located(7)); // rebuilt
    EXPECT_EQ("", VerifyTree(t.tree));
}

TEST(PositionIndexFailureTest, BuildingThatFailsLeavesTheIndexEmpty)
{
    IndexedTree t("buildfail");
    for (int i = 0; i < 300; ++i)
        t.Insert(i);
    std::vector<std::string> entries;
    ASSERT_EQ("", VerifyTree(t.tree, &entries));
    t.index.RemoveAll();

    EXPECT_EQ(memoryException, WhileMemoryFails([&] { t.Located(0); })) << "out of memory";
    EXPECT_TRUE(t.index.IsEmpty());

    // A damaged leaf in the middle of the chain: the leaves before it must
    // not stay behind as if they were all of them.
    DWORD last = t.tree.GetRootDescriptor().lastLeaf;
    BTPageRef page = t.tree.GetNode(last);
    page->Data()[0] = 0x55;
    bool damaged = false;
    try
    {
        t.Located(0);
    }
    catch (CArchiveException* e)
    {
        damaged = true;
        e->Delete();
    }
    EXPECT_TRUE(damaged);
    EXPECT_TRUE(t.index.IsEmpty()) << "a part of the index was kept";
    page->Data()[0] = BTNode::kindLeaf;
    page.Release();
    EXPECT_EQ(TextTestTree::TextOf((const BYTE*)entries.back().data()), t.Located((DWORD)entries.size() - 1));
}

TEST(PositionIndexFailureTest, LoadingThatFailsLeavesTheIndexEmpty)
{
    // Archive form: u16 count, then per leaf two big-endian u32.
    BYTE full[2 + 3 * 8] = {3, 0};
    for (int i = 0; i < 3; ++i)
        full[2 + 8 * i + 3] = (BYTE)(i + 1);
    BYTE cut[2 + 2 * 8] = {5, 0}; // five said, two there
    for (int i = 0; i < 2; ++i)
        cut[2 + 8 * i + 3] = (BYTE)(i + 1);

    struct Case
    {
        const char* what;
        BYTE* bytes;
        UINT size;
        bool memoryFails;
        MemoryFailureOutcome outcome;
    } cases[] = {
        {"out of memory", full, sizeof full, true, memoryException},
        {"cut short", cut, sizeof cut, false, otherClassLibraryException},
    };
    for (const Case& c : cases)
    {
        BTPositionIndex index;
        CMemFile file(c.bytes, c.size);
        CArchive ar(&file, CArchive::load, 512);
        auto load = [&] { index.Serialize(ar); };
        MemoryFailureOutcome outcome = c.memoryFails ? WhileMemoryFails(load) : OutcomeOf(load);
        EXPECT_EQ(c.outcome, outcome) << c.what;
        EXPECT_TRUE(index.IsEmpty()) << c.what;
    }
}
} // namespace
