// BTBulkBuilder: fills an empty tree from its entries given in ascending key
// order, bottom-up, with full nodes.
//
// Each leaf takes entries until the next one would not fit; each inner
// level takes the separators of the level below the same way, the last child
// of a node becoming its upper child. Only the last two nodes of a level
// share their entries, when the last would be less than half full. No node
// splits and none is read back: each page is written once, and the pages of
// a level are allocated in key order. The node layout is the one every tree
// operation keeps; only the fill differs (inserting in ascending order leaves
// leaves of two thirds at the end of a level).
//
// The tree's position index is emptied (it is built again when next used).
// Entries that do not ascend, or a tree that is not empty, raise
// CNotSupportedException before the tree changes. Pages come from the tree's
// file through AllocPage, so an open BTOperation keeps them as any change;
// without one, a failure part way leaves pages allocated and the tree's root
// descriptor as before: the caller abandons the file's state since its last
// commit.
//
// Order: the builder goes before the tree; it holds at most one page per
// level.
#pragma once

#include "classlib/Types.h"
#include "database/file/BTPageRef.h"

#include <vector>

class BTObjectKey;
class BTree;
class CObject;

class BTBulkBuilder
{
public:
    explicit BTBulkBuilder(BTree& tree);
    ~BTBulkBuilder();
    BTBulkBuilder(const BTBulkBuilder&) = delete;
    BTBulkBuilder& operator=(const BTBulkBuilder&) = delete;

    // Appends one leaf entry, above every entry before it.
    void Append(const BYTE* entry, int length);
    // Appends the object as the chunks a chunked-object write stores under
    // the key, and counts it as one object.
    void AppendObject(CObject& object, const BTObjectKey& key);
    // Writes the nodes still held and sets the tree's root descriptor. An
    // empty input leaves the tree empty.
    void Finish();

    DWORD GetPagesWritten() const { return m_pages; }

private:
    // The children or entries of one node not yet written.
    struct Pending
    {
        std::vector<BYTE> bytes;
        std::vector<int> lengths;
        int used = 0; // bytes the node takes (entries plus their slots)
    };
    struct Level
    {
        Pending previous; // full, held back in case the last needs a share
        bool hasPrevious = false;
        Pending current;
        BTPageRef written; // the last node written, for its next link
        DWORD writtenCount = 0;
        std::vector<BYTE> firstBound; // the first node's separator, until a second comes
        DWORD firstOffset = 0;
    };

    void Add(int depth, const BYTE* item, int length);
    // Bytes an item takes in a node of the level: a leaf entry, or a child
    // that becomes an entry unless it is the node's last.
    int Capacity(int depth) const;
    void WriteNode(int depth, const Pending& node);
    void PassUp(int depth, const BYTE* key, int keyLength, DWORD child);
    void FinishLevel(int depth);

    BTree& m_tree;
    std::vector<Level> m_levels;
    std::vector<BYTE> m_lastKey;
    DWORD m_entries;
    DWORD m_objects;
    DWORD m_pages;
    DWORD m_firstLeaf;
    DWORD m_lastLeaf;
    DWORD m_root;
    bool m_finished;
};
