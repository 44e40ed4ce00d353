#include "BTreeTestSupport.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTNode.h"
#include "database/btree/BTPositionIndex.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace
{
WORD U16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}
} // namespace

int TextTestTree::CompareKeyText(const BYTE* a, const BYTE* b) const
{
    int la = U16(a);
    int lb = U16(b);
    int c = std::memcmp(a + 2, b + 2, la < lb ? la : lb);
    if (c != 0)
        return c;
    return la - lb;
}

int TextTestTree::CompareKeys(const BYTE* a, const BYTE* b) const
{
    int c = CompareKeyText(a, b);
    if (c != 0)
        return c;
    return (int)GetDuplicateNumber(a) - (int)GetDuplicateNumber(b);
}

WORD TextTestTree::GetDuplicateNumber(const BYTE* entry) const
{
    return U16(entry + 2 + U16(entry));
}

int TextTestTree::GetKeySize(const BYTE* key) const
{
    return U16(key) + 4;
}

int TextTestTree::GetEntrySize(const BYTE* entry) const
{
    int k = GetKeySize(entry);
    return k + 2 + U16(entry + k);
}

int TextTestTree::GetDataSize(const BYTE* entry) const
{
    return U16(entry + GetKeySize(entry)) + 2;
}

BOOL TextTestTree::IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const
{
    if (length < 4)
        return FALSE;
    int k = GetKeySize(entry);
    if (!bLeaf)
        return k + 4 == length;
    return k + 2 <= length && k + 2 + U16(entry + k) == length;
}

void TextTestTree::SetSearchKey(const std::string& text, WORD dup)
{
    BYTE key[BTNode::maxInnerEntrySize];
    int k = (int)text.size();
    BTNode::PutU16At(key, k);
    std::memcpy(key + 2, text.data(), k);
    BTNode::PutU16At(key + 2 + k, dup);
    BTSetSearchKey(key, k + 4);
}

void TextTestTree::SetSearchEntry(const std::string& text, WORD dup, const std::string& data)
{
    int k = (int)text.size();
    int l = (int)data.size();
    BTSetSearchKeyLength(k + 6 + l);
    BYTE* p = BTGetSearchKey();
    BTNode::PutU16At(p, k);
    std::memcpy(p + 2, text.data(), k);
    BTNode::PutU16At(p + 2 + k, dup);
    BTNode::PutU16At(p + 4 + k, l);
    std::memcpy(p + 6 + k, data.data(), l);
}

std::string TextTestTree::TextOf(const BYTE* entry)
{
    return std::string((const char*)entry + 2, U16(entry));
}

std::string TextTestTree::DataOf(const BYTE* entry)
{
    int k = U16(entry) + 4;
    return std::string((const char*)entry + k + 2, U16(entry + k));
}

TreeTestFile::TreeTestFile() : m_pTree(nullptr)
{
    SetDocumentType(0x7E57);
    SetVersion(1);
}

void TreeTestFile::SerializeHeader(CArchive& ar)
{
    BTPagedFile::SerializeHeader(ar);
    if (m_pTree)
        m_pTree->SerializeRoot(ar);
}

std::string TestFileName(const char* tag)
{
    std::string name = std::string("btree_") + tag + ".tmp";
    std::remove(name.c_str());
    return name;
}

std::vector<BYTE> ReadWholeFile(const std::string& name)
{
    std::vector<BYTE> bytes;
    FILE* f = std::fopen(name.c_str(), "rb");
    if (!f)
        return bytes;
    BYTE buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(f);
    return bytes;
}

void PatchFile(const std::string& name, DWORD offset, const void* bytes, int length)
{
    FILE* f = std::fopen(name.c_str(), "r+b");
    if (!f)
        return;
    std::fseek(f, (long)offset, SEEK_SET);
    std::fwrite(bytes, 1, length, f);
    std::fclose(f);
}

BOOL CreateAndOpen(TreeTestFile& file, const std::string& name)
{
    file.SetPathName(name.c_str());
    file.CreateNew();
    return OpenExisting(file, name);
}

BOOL OpenExisting(TreeTestFile& file, const std::string& name, BOOL bReadOnly)
{
    file.SetPathName(name.c_str());
    CFileException error;
    UINT mode = bReadOnly ? CFile::modeRead | CFile::shareDenyWrite
                          : CFile::modeReadWrite | CFile::shareExclusive;
    return file.OpenFile(mode, &error);
}

namespace
{
struct Walker
{
    BTree& tree;
    std::vector<std::vector<DWORD>> levels;
    std::vector<std::string>* entries;
    std::vector<DWORD> leafDistinct;
    DWORD entryCount = 0;
    std::ostringstream error;

    Walker(BTree& t, std::vector<std::string>* e) : tree(t), entries(e) {}

    std::string KeyOf(const BYTE* entry, BOOL bLeaf, int length)
    {
        int k = bLeaf ? tree.GetKeySize(entry) : length - 4;
        return std::string((const char*)entry, k);
    }

    // Keys of the subtree must lie in (low, high]; an empty bound is open.
    void Walk(DWORD offset, int depth, const std::string& low, const std::string& high)
    {
        if (!error.str().empty())
            return;
        int levelCount = tree.GetLevels();
        BOOL bLeaf = depth == levelCount - 1;
        std::vector<BYTE> copy(BTNode::pageSize);
        {
            BTPageRef page = tree.GetNode(offset, bLeaf ? BTNode::kindLeaf : BTNode::kindInner);
            std::memcpy(copy.data(), page.Data(), BTNode::pageSize);
        }
        BTNode node(copy.data());
        levels[depth].push_back(offset);
        int n = node.Count();
        if (bLeaf && n == 0)
            error << "empty leaf at " << offset;
        std::string prev = low;
        std::vector<std::string> keys;
        for (int i = 0; i < n; ++i)
        {
            int len;
            const BYTE* e = tree.CheckedEntry(node, i, &len);
            std::string key = KeyOf(e, bLeaf, len);
            if (!prev.empty() && tree.CompareKeys((const BYTE*)prev.data(), e) >= 0)
                error << "key order or low bound broken in node " << offset << " entry " << i;
            if (!high.empty() && tree.CompareKeys(e, (const BYTE*)high.data()) > 0)
                error << "key above the separator in node " << offset << " entry " << i;
            prev = key;
            keys.push_back(key);
            if (bLeaf && entries)
                entries->push_back(std::string((const char*)e, len));
        }
        if (bLeaf)
        {
            entryCount += n;
            leafDistinct.push_back(tree.CountDistinct(node));
            return;
        }
        if (node.Upper() == 0)
            error << "inner node without upper child at " << offset;
        std::string lower = low;
        for (int i = 0; i < n; ++i)
        {
            Walk(node.ChildAt(i), depth + 1, lower, keys[i]);
            lower = keys[i];
        }
        Walk(node.Upper(), depth + 1, lower, high);
    }

    void CheckChains()
    {
        for (size_t d = 0; d < levels.size(); ++d)
        {
            const std::vector<DWORD>& level = levels[d];
            for (size_t i = 0; i < level.size(); ++i)
            {
                BTPageRef page = tree.GetNode(level[i]);
                BTNode node(page.Data());
                DWORD prev = i > 0 ? level[i - 1] : 0;
                DWORD next = i + 1 < level.size() ? level[i + 1] : 0;
                if (node.Prev() != prev || node.Next() != next)
                    error << "level " << d << " chain broken at " << level[i];
            }
        }
    }
};
} // namespace

std::string VerifyTree(BTree& tree, std::vector<std::string>* entries)
{
    const BTRootDescriptor& root = tree.GetRootDescriptor();
    if (root.root == 0)
    {
        if (root.levels != 0 || root.entryCount != 0 || root.firstLeaf != 0 || root.lastLeaf != 0)
            return "empty tree with a non-empty descriptor";
        return "";
    }
    if (root.levels < 1 || root.levels > BTNode::maxLevels)
        return "bad level count";
    Walker w(tree, entries);
    w.levels.resize(root.levels);
    try
    {
        w.Walk(root.root, 0, std::string(), std::string());
        if (w.error.str().empty())
            w.CheckChains();
    }
    catch (CException* e)
    {
        e->Delete();
        return "exception while walking the tree";
    }
    if (!w.error.str().empty())
        return w.error.str();
    const std::vector<DWORD>& leaves = w.levels[root.levels - 1];
    if (w.levels[0].size() != 1)
        return "more than one root";
    if (leaves.front() != root.firstLeaf || leaves.back() != root.lastLeaf)
        return "first or last leaf wrong";
    if (w.entryCount != root.entryCount)
        return "entry count wrong";
    BTPositionIndex* index = tree.GetPositionIndex();
    if (index && !index->IsEmpty())
    {
        if ((size_t)index->GetSize() != leaves.size())
            return "position index size wrong";
        for (size_t i = 0; i < leaves.size(); ++i)
            if (index->GetAt((int)i).leaf != leaves[i] || index->GetAt((int)i).count != w.leafDistinct[i])
                return "position index entry wrong";
    }
    return "";
}
