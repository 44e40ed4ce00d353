// Damaged trees: every operation either works or raises the class library's
// archive or file exception; none crashes or loops.
#include "BTreeTestSupport.h"
#include "TreeFileFixture.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
const DWORD recordCount = 600;

struct Damage
{
    const char* what;
    int page;   // 0 root, 1 first leaf, 2 second leaf
    int offset; // in the page
    int size;   // 1, 2 or 4 bytes
    long value; // a page index (0..2) when negative: -1 - index
};

class Outcome
{
public:
    int raised = 0;
    int foreign = 0; // exceptions of another kind
    bool looped = false;

    template <class F> void Run(F f)
    {
        try
        {
            f();
        }
        catch (CException* e)
        {
            if (e->IsKindOf(RUNTIME_CLASS(CArchiveException)) || e->IsKindOf(RUNTIME_CLASS(CFileException)))
                ++raised;
            else
                ++foreign;
            e->Delete();
        }
    }
};

// Runs every kind of operation over the tree, each step guarded.
Outcome Exercise(BTRecordTree& tree)
{
    Outcome out;
    out.Run([&] {
        BTreeCursor cursor(&tree);
        for (DWORD r = 0; r < recordCount; ++r)
        {
            BTRecordTree::SetSearchKey(r, 0);
            tree.Find(cursor);
        }
    });
    out.Run([&] {
        BTreeCursor cursor(&tree);
        DWORD steps = 0;
        for (BOOL ok = cursor.MoveFirst(); ok && !out.looped; ok = cursor.Next())
            out.looped = ++steps > 10 * recordCount;
    });
    out.Run([&] {
        BTreeCursor cursor(&tree);
        DWORD steps = 0;
        for (BOOL ok = cursor.MoveLast(); ok && !out.looped; ok = cursor.Prev())
            out.looped = ++steps > 10 * recordCount;
    });
    out.Run([&] {
        BTreeCursor cursor(&tree);
        cursor.MoveToOrdinal(recordCount - 1);
    });
    out.Run([&] {
        std::string data(300, 'n');
        for (DWORD r = recordCount; r < recordCount + 100; ++r)
        {
            BTRecordTree::SetSearchEntry(r * 2 % (recordCount + 100), 1, data.data(), 300);
            tree.Insert();
        }
    });
    out.Run([&] {
        for (DWORD r = 0; r < recordCount; r += 2)
        {
            BTRecordTree::SetSearchKey(r, 0);
            tree.Delete();
        }
    });
    out.Run([&] { tree.RemoveAll(); });
    return out;
}

class BTreeDamageTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_name = TestFileName("pristine");
        BTRecordTree tree;
        TreeTestFile file;
        tree.Attach(&file);
        file.SetTree(&tree);
        ASSERT_TRUE(CreateAndOpen(file, s_name));
        std::string data(100, 'p');
        for (DWORD r = 0; r < recordCount; ++r)
        {
            BTRecordTree::SetSearchEntry(r, 0, data.data(), 100);
            ASSERT_EQ(0, tree.Insert());
        }
        ASSERT_EQ(2, tree.GetLevels());
        s_pages[0] = tree.GetRootDescriptor().root;
        s_pages[1] = tree.GetRootDescriptor().firstLeaf;
        BTPageRef leaf = tree.GetNode(s_pages[1], BTNode::kindLeaf);
        s_pages[2] = BTNode(leaf.Data()).Next();
        leaf.Release();
        file.Close();
        s_bytes = ReadWholeFile(s_name);
    }
    static void TearDownTestSuite() { std::remove(s_name.c_str()); }

    static std::string s_name;
    static DWORD s_pages[3];
    static std::vector<BYTE> s_bytes;
};

std::string BTreeDamageTest::s_name;
DWORD BTreeDamageTest::s_pages[3];
std::vector<BYTE> BTreeDamageTest::s_bytes;
} // namespace

TEST_F(BTreeDamageTest, DamagedNodesRaiseArchiveOrFileExceptions)
{
    ASSERT_FALSE(s_bytes.empty());
    const Damage cases[] = {
        {"none (control)", 1, 0, 0, 0},
        {"leaf count too large", 1, 2, 2, 0x7FFF},
        {"leaf count negative", 1, 2, 2, -5 & 0xFFFF},
        {"leaf free bytes wrong", 1, 4, 2, 17},
        {"entry length past the page", 1, 14 + 6, 2, 3000},
        {"slot past the page", 1, 2044, 2, 4000},
        {"slots out of order", 2, 2042, 2, 14},
        {"root kind is a free page", 0, 0, 1, 0x80},
        {"leaf kind is an inner node", 2, 0, 1, 1},
        {"inner count too large", 0, 2, 2, 1200},
        {"child past the end of the file", 0, 18 + 6, 4, 0x7FFFFC00},
        {"child off the page grid", 0, 18 + 6, 4, 1025},
        {"child is the root itself", 0, 18 + 6, 4, -1 - 0},
        {"leaf chain loops back", 2, 10, 4, -1 - 1},
        {"leaf chain into an inner node", 1, 10, 4, -1 - 0},
        {"upper child missing", 0, 14, 4, 0},
    };
    for (const Damage& c : cases)
    {
        std::string name = TestFileName("damaged");
        {
            FILE* f = std::fopen(name.c_str(), "wb");
            ASSERT_TRUE(f != nullptr);
            std::fwrite(s_bytes.data(), 1, s_bytes.size(), f);
            std::fclose(f);
        }
        DWORD value = c.value < 0 ? s_pages[-1 - c.value] : (DWORD)c.value;
        BYTE patch[4] = {(BYTE)value, (BYTE)(value >> 8), (BYTE)(value >> 16), (BYTE)(value >> 24)};
        PatchFile(name, s_pages[c.page] + c.offset, patch, c.size);

        BTRecordTree tree;
        TreeTestFile file;
        tree.Attach(&file);
        file.SetTree(&tree);
        ASSERT_TRUE(OpenExisting(file, name)) << c.what;
        Outcome out = Exercise(tree);
        if (c.size == 0)
            EXPECT_EQ(0, out.raised);
        else
            EXPECT_GT(out.raised, 0) << c.what;
        EXPECT_EQ(0, out.foreign) << c.what;
        EXPECT_FALSE(out.looped) << c.what;
        Outcome closing;
        closing.Run([&] { file.Close(); });
        EXPECT_EQ(0, closing.foreign) << c.what;
        std::remove(name.c_str());
    }
}

TEST_F(BTreeDamageTest, DamagedRootDescriptorRaisesArchiveException)
{
    BTRecordTree tree;
    TreeTestFile file;
    tree.Attach(&file);
    file.SetTree(&tree);
    ASSERT_TRUE(OpenExisting(file, s_name, TRUE));
    BTRootDescriptor root = tree.GetRootDescriptor();
    root.levels = 12;
    tree.SetRootDescriptor(root);
    Outcome out = Exercise(tree);
    EXPECT_GT(out.raised, 0);
    EXPECT_EQ(0, out.foreign);
    file.Close();
}

// A node is trusted only by the tree that checked it: a damaged root
// descriptor that leads a record tree into a leaf of a string-keyed tree on
// the same file is refused there, even while the page is cached and the
// other tree has just used it.
TEST(SharedNodeDamageTest, ANodeCheckedByOneTreeIsCheckedAgainByAnother)
{
    const std::string name = TestFileName("sharedleaf");
    TreeTestFile file;
    ASSERT_TRUE(CreateAndOpen(file, name));
    TextTestTree text;
    BTRecordTree records;
    text.Attach(&file);
    records.Attach(&file);
    for (int i = 0; i < 20; ++i)
    {
        TextTestTree::SetSearchEntry("key " + std::to_string(i), 0, "data");
        ASSERT_EQ(0, text.Insert());
    }
    TextTestTree::SetSearchKey("key 3", 0);
    BTreeCursor cursor(&text);
    ASSERT_TRUE(text.Find(cursor)); // the leaf is now checked by the text tree

    BTRootDescriptor wrong = text.GetRootDescriptor();
    records.SetRootDescriptor(wrong);
    BTRecordTree::SetSearchKey(3, 0);
    BTreeCursor other(&records);
    EXPECT_TRUE(Raises<CArchiveException>([&] { records.Find(other); }));
    EXPECT_TRUE(Raises<CArchiveException>([&] { other.MoveFirst(); }));

    // The text tree still works on its own leaf.
    TextTestTree::SetSearchKey("key 7", 0);
    EXPECT_TRUE(text.Find(cursor));
    file.Close();
    std::remove(name.c_str());
}
