// Helpers for the B-tree tests: a tree kind with variable-length keys, a
// paged file that keeps one tree's root in its header, and a checker that
// walks a whole tree and verifies every structural invariant.
#pragma once

#include "database/btree/BTree.h"
#include "database/file/BTPagedFile.h"

#include <cstdint>
#include <string>
#include <vector>

// Key: u16 text length K, K text bytes, u16 duplicate number. Entry: the key,
// u16 data length L, L bytes. Texts compare as unsigned bytes, then by
// length; equal texts by duplicate number.
class TextTestTree : public BTree
{
public:
    virtual int CompareKeys(const BYTE* a, const BYTE* b) const override;
    virtual int CompareKeyText(const BYTE* a, const BYTE* b) const override;
    virtual WORD GetDuplicateNumber(const BYTE* entry) const override;
    virtual int GetEntrySize(const BYTE* entry) const override;
    virtual int GetKeySize(const BYTE* key) const override;
    virtual int GetDataSize(const BYTE* entry) const override;
    virtual BOOL IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const override;

    static void SetSearchKey(const std::string& text, WORD dup);
    static void SetSearchEntry(const std::string& text, WORD dup, const std::string& data);
    static std::string TextOf(const BYTE* entry);
    static std::string DataOf(const BYTE* entry);
};

// Small deterministic generator, the same in every build.
class Rng
{
public:
    explicit Rng(uint32_t seed) : m_state(seed * 2654435761u + 1) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int Below(int n) { return (int)(Next() % (uint32_t)n); }

private:
    uint32_t m_state;
};

// A paged file whose header carries the root descriptor of one tree.
class TreeTestFile : public BTPagedFile
{
public:
    TreeTestFile();
    void SetTree(BTree* tree) { m_pTree = tree; }
    virtual void SerializeHeader(CArchive& ar) override;

private:
    BTree* m_pTree;
};

// A fresh file name in the working folder for this test, removed beforehand.
std::string TestFileName(const char* tag);
std::vector<BYTE> ReadWholeFile(const std::string& name);
void PatchFile(const std::string& name, DWORD offset, const void* bytes, int length);
// Creates the file and opens it read-write; returns FALSE on failure.
BOOL CreateAndOpen(TreeTestFile& file, const std::string& name);
BOOL OpenExisting(TreeTestFile& file, const std::string& name, BOOL bReadOnly = FALSE);

// Walks the tree from its root and checks node layout, key order, separator
// bounds, level chains, first and last leaf, entry count and any built
// position index. Returns "" when sound, else what is wrong; appends every
// leaf entry in key order to entries when given.
std::string VerifyTree(BTree& tree, std::vector<std::string>* entries = nullptr);
