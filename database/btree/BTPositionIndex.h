// BTPositionIndex: per leaf of one tree, in leaf order, the leaf's offset and
// how many of its entries start a distinct key (duplicate number 0). It lets
// a cursor reach the n-th distinct key by walking this small array and one
// leaf instead of every leaf before it.
//
// The index is either empty (not built; the tree builds it on first use) or
// complete; the tree keeps a complete index current on every leaf change and
// empties it when it cannot place a change, so it is rebuilt then.
//
// Archive form: the class library's count (u16, or 0xFFFF and a u32), then
// per leaf the offset and the count as two big-endian u32.
#pragma once

#include "classlib/Types.h"

#include <vector>

class BTree;
class CArchive;

class BTPositionIndex
{
public:
    struct Entry
    {
        DWORD leaf;
        DWORD count;
    };

    BTPositionIndex() : m_pTree(nullptr), m_hint(0) {}
    // Detaches itself from its tree.
    ~BTPositionIndex();
    BTPositionIndex(const BTPositionIndex&) = delete;
    BTPositionIndex& operator=(const BTPositionIndex&) = delete;

    BTree* GetTree() const { return m_pTree; }
    void SetTree(BTree* tree) { m_pTree = tree; }

    int GetSize() const { return (int)m_entries.size(); }
    BOOL IsEmpty() const { return m_entries.empty(); }
    const Entry& GetAt(int i) const { return m_entries[i]; }
    void RemoveAll() { m_entries.clear(); }
    // Appends a leaf; memory exception when there is no room.
    void Add(DWORD leaf, DWORD count);
    // Takes the entries of a whole index built apart (entries is emptied).
    void Install(std::vector<Entry>& entries)
    {
        m_entries.swap(entries);
        entries.clear();
        m_hint = 0;
    }

    // Position of the leaf in the array, -1 when absent.
    int Find(DWORD leaf) const;
    // Enters a new leaf with count 0 right after left (at the front when
    // left is 0); empties the index when left is not in it or memory runs
    // out (it runs inside splits, which must not stop half-way).
    void InsertAfter(DWORD left, DWORD leaf);
    // Forgets a freed leaf; empties the index when it is not in it.
    void Remove(DWORD leaf);
    // Stores a leaf's recounted number; empties the index when absent.
    void SetCount(DWORD leaf, DWORD count);

    // Loading empties the index first and leaves it empty when it fails.
    void Serialize(CArchive& ar);

private:
    // Position of the leaf; empties the index and gives -1 when absent.
    int FindOrForget(DWORD leaf);

    std::vector<Entry> m_entries;
    BTree* m_pTree;
    mutable int m_hint; // where the last Find succeeded
};
