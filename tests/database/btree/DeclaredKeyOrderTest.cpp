// Trees of fixed-length keys with a declared key order (bytes or words),
// whose node searches compare inline instead of through CompareKeys, run
// against a model with keys that share long prefixes and use the extreme
// byte values.
#include "BTreeTestSupport.h"

#include "database/btree/BTreeCursor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {
struct OrderCase
{
    bool words; // words order: n u32 words then a u16; else n bytes
    int n;
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

// Key of the case's size, then a u32 value (the child in an inner entry).
class FixedKeyTree : public BTree
{
public:
    explicit FixedKeyTree(OrderCase c) : m_case(c), m_keySize(c.words ? 4 * c.n + 2 : c.n)
    {
        SetKeyOrder(c.words ? keyOrderWords : keyOrderBytes, c.n);
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
    BOOL IsValidEntry(const BYTE*, int length, BOOL) const override { return length == m_keySize + 4; }

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

class DeclaredKeyOrderTest : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(DeclaredKeyOrderTest, InsertsFindsAndDeletesAsTheModel)
{
    OrderCase c = GetParam();
    std::string name =
        TestFileName(("keyorder" + std::to_string(c.words) + "_" + std::to_string(c.n)).c_str());
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
    if (size > 1) // one byte makes too few keys for a second level
        EXPECT_GE(tree.GetLevels(), 2);
    size_t i = 0;
    for (const auto& kv : model)
        EXPECT_EQ(kv.first, entries[i++].substr(0, size));
    file.Close();
    std::remove(name.c_str());
}

INSTANTIATE_TEST_SUITE_P(Orders, DeclaredKeyOrderTest,
                         ::testing::Values(OrderCase{false, 1}, OrderCase{false, 3}, OrderCase{false, 8},
                                           OrderCase{false, 12}, OrderCase{false, 16}, OrderCase{false, 20},
                                           OrderCase{true, 1}, OrderCase{true, 2}, OrderCase{true, 3},
                                           OrderCase{true, 4}));

} // namespace
