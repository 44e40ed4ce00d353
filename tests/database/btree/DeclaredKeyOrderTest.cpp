// Trees of fixed-length keys with a declared key order (bytes or words),
// whose node searches compare inline instead of through CompareKeys, run
// against a model with keys that share long prefixes and use the extreme
// byte values; with and without declared entry lengths (nodes then searched
// by position). A node that does not keep a declared length is damage.
#include "BTreeTestSupport.h"
#include "TreeFileFixture.h"

#include "classlib/Exceptions.h"

#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

namespace {
struct OrderCase
{
    bool words; // words order: n u32 words then a u16; else n bytes
    int n;
    bool fixed = false; // entry lengths declared
};

int CompareWordKeys(const BYTE* a, const BYTE* b, int words)
{
    for (int i = 0; i < words; ++i, a += 4, b += 4) {
        DWORD x = BTNode::GetU32At(a);
        DWORD y = BTNode::GetU32At(b);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return (int)(a[0] | (a[1] << 8)) - (int)(b[0] | (b[1] << 8));
}

// Key of the case's size, then a u32 value (the child in an inner entry);
// leaf entries may also carry 4 more data bytes when the lengths are not
// declared.
class FixedKeyTree : public BTree
{
public:
    explicit FixedKeyTree(OrderCase c) : m_case(c), m_keySize(c.words ? 4 * c.n + 2 : c.n)
    {
        SetKeyOrder(c.words ? keyOrderWords : keyOrderBytes, c.n);
        if (c.fixed)
            SetFixedEntryLengths(m_keySize + 4, m_keySize + 4);
    }
    int KeySize() const { return m_keySize; }
    int CompareKeys(const BYTE* a, const BYTE* b) const override
    {
        return m_case.words ? CompareWordKeys(a, b, m_case.n) : std::memcmp(a, b, m_case.n);
    }
    int CompareKeyText(const BYTE* a, const BYTE* b) const override { return CompareKeys(a, b); }
    WORD GetDuplicateNumber(const BYTE*) const override { return 0; }
    int GetEntrySize(const BYTE*) const override { return m_keySize + 4; }
    int GetKeySize(const BYTE*) const override { return m_keySize; }
    int GetDataSize(const BYTE*) const override { return 4; }
    BOOL IsValidEntry(const BYTE*, int length, BOOL bLeaf) const override
    {
        return length == m_keySize + 4 || (bLeaf && length == m_keySize + 8);
    }

private:
    OrderCase m_case;
    int m_keySize;
};

// Bytes often from a small set with the sign and order edges, so keys
// collide and share prefixes.
std::string RandomKey(Rng& rng, int size)
{
    static const BYTE pool[] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    std::string key(size, '\0');
    int shared = rng.Below(size + 1); // a long run of 0x80 first, often
    for (int i = 0; i < size; ++i)
        key[i] = (char)(i < shared ? 0x80 : rng.Below(2) ? pool[rng.Below(6)] : rng.Below(256));
    return key;
}

struct ModelLess
{
    const FixedKeyTree* tree;
    bool operator()(const std::string& a, const std::string& b) const
    {
        return tree->CompareKeys((const BYTE*)a.data(), (const BYTE*)b.data()) < 0;
    }
};

class DeclaredKeyOrderTest : public ::testing::TestWithParam<std::tuple<OrderCase, bool>>
{
};

TEST_P(DeclaredKeyOrderTest, InsertsFindsAndDeletesAsTheModel)
{
    OrderCase c = std::get<0>(GetParam());
    c.fixed = std::get<1>(GetParam());
    std::string name = TestFileName(
        ("keyorder" + std::to_string(c.words) + "_" + std::to_string(c.n) + "_" + std::to_string(c.fixed)).c_str());
    FixedKeyTree tree(c);
    TreeTestFile file;
    file.SetTree(&tree);
    ASSERT_TRUE(CreateAndOpen(file, name));
    tree.Attach(&file);
    int size = tree.KeySize();
    std::map<std::string, DWORD, ModelLess> model(ModelLess{&tree});
    Rng rng(77 + c.n + (c.words ? 100 : 0));
    BTreeCursor cursor(&tree);
    for (int op = 0; op < 12000; ++op) {
        std::string key = RandomKey(rng, size);
        int r = rng.Below(10);
        if (r < 5 || op < 3000) {
            std::string entry = key + std::string(4, (char)op);
            BTSetSearchKey(entry.data(), (int)entry.size());
            bool present = model.count(key) != 0;
            ASSERT_EQ(present ? (int)BTree::errDuplicateKey : 0, tree.Insert());
            if (!present)
                model[key] = (DWORD)op;
        } else if (r < 7) {
            BTSetSearchKey(key.data(), size);
            ASSERT_EQ(model.erase(key) ? 0 : (int)BTree::errKeyNotFound, tree.Delete());
        } else {
            BTSetSearchKey(key.data(), size);
            BOOL found = tree.Find(cursor);
            auto it = model.lower_bound(key);
            ASSERT_EQ(it != model.end() && it->first == key, found != FALSE);
            if (it == model.end())
                continue;
            BTPageRef hold;
            const BYTE* e = cursor.GetEntry(hold);
            ASSERT_TRUE(e != nullptr);
            ASSERT_EQ(it->first, std::string((const char*)e, size));
        }
    }
    std::vector<std::string> entries;
    ASSERT_EQ("", VerifyTree(tree, &entries));
    ASSERT_EQ(model.size(), entries.size());
    if (size > 1) { // one byte makes too few keys for a second level
        EXPECT_GE(tree.GetLevels(), 2);
    }
    size_t i = 0;
    for (const auto& kv : model)
        EXPECT_EQ(kv.first, entries[i++].substr(0, size));
    file.Close();
    std::remove(name.c_str());
}

INSTANTIATE_TEST_SUITE_P(Orders, DeclaredKeyOrderTest,
                         ::testing::Combine(::testing::Values(OrderCase{false, 1}, OrderCase{false, 3},
                                                              OrderCase{false, 8}, OrderCase{false, 12},
                                                              OrderCase{false, 16}, OrderCase{false, 20},
                                                              OrderCase{true, 1}, OrderCase{true, 2},
                                                              OrderCase{true, 3}, OrderCase{true, 4}),
                                            ::testing::Bool()));

// A leaf holding one longer entry, written by a tree without declared
// lengths, is refused as damaged by a tree that declares them (it would
// otherwise read entries at the wrong places), and such a tree refuses to
// insert a longer entry before anything changes.
TEST(DeclaredEntryLengthTest, ANodeOfOtherLengthsIsDamage)
{
    std::string name = TestFileName("fixedlengths");
    TreeTestFile file;
    ASSERT_TRUE(CreateAndOpen(file, name));
    FixedKeyTree loose(OrderCase{false, 12, false});
    FixedKeyTree fixed(OrderCase{false, 12, true});
    loose.Attach(&file);
    fixed.Attach(&file);
    auto entry = [](int i, int data) {
        char key[13];
        std::snprintf(key, sizeof key, "key %08d", i);
        return std::string(key, 12) + std::string(data, 'd');
    };
    for (int i = 0; i < 200; ++i) {
        std::string e = entry(2 * i, 4);
        BTSetSearchKey(e.data(), (int)e.size());
        ASSERT_EQ(0, loose.Insert());
    }
    fixed.SetRootDescriptor(loose.GetRootDescriptor());
    BTreeCursor cursor(&fixed);
    std::string probe = entry(100, 0);
    BTSetSearchKey(probe.data(), 12);
    EXPECT_TRUE(fixed.Find(cursor));

    std::string longer = entry(101, 8);
    BTSetSearchKey(longer.data(), (int)longer.size());
    EXPECT_TRUE(Raises<CNotSupportedException>([&] { fixed.Insert(); }));
    EXPECT_EQ("", VerifyTree(fixed, nullptr));

    ASSERT_EQ(0, loose.Insert());
    fixed.SetRootDescriptor(loose.GetRootDescriptor());
    BTSetSearchKey(probe.data(), 12);
    EXPECT_TRUE(Raises<CArchiveException>([&] { fixed.Find(cursor); }));
    file.Close();
    std::remove(name.c_str());
}

} // namespace
