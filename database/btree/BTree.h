// BTree: the B+-tree engine shared by every index and store of a paged file.
//
// Leaves hold the entries in key order; inner nodes hold separator keys with
// child offsets (see BTNode for the byte layout); all nodes of one level are
// chained both ways. A derived class is a tree kind: it says how keys compare
// and how long keys and entries are. Keys are read from the process-wide
// search key (BTBuffers); fill it, then call one operation.
//
// Invariants kept by every operation:
// - keys are unique and ascending along the leaf chain;
// - every key of a child's subtree is above the separator before it and not
//   above its own separator (the upper child: above the last separator);
//   a separator is an upper bound of its subtree, not necessarily a key in it;
// - every node holds at most its capacity; a non-root node never stays empty;
// - the root descriptor's first and last leaf end the leaf chain, its entry
//   count is the number of leaf entries, its level count the tree's height;
// - an attached position index is empty or lists every leaf with its count
//   of entries whose duplicate number is 0.
//
// A full node first shares its entries with a sibling under the same parent,
// and only when two nodes cannot hold them adds a third between them; a node
// that falls below half full is merged with or refilled from such a sibling.
// Every node is checked whole (BTNode's header and slots, and every entry
// through IsValidEntry) the first time the tree uses it after it entered the
// cache, and marked in the cache as checked by this tree; the tree's own
// changes keep a marked node sound, and anything else that changes the page
// clears the mark. Each visit still checks the node's kind. A damaged tree
// raises an archive exception and is left as it was found, never walked out
// of bounds.
//
// Insert, Write, Delete and RemoveAll each run as one BTOperation (joining
// one that is open): when they raise, whatever they changed is rolled back,
// so the tree, its file's free list and the root descriptor are as before.
#pragma once

#include "classlib/Types.h"
#include "database/btree/BTBuffers.h"
#include "database/btree/BTCountHints.h"
#include "database/btree/BTNode.h"
#include "database/file/BTOperation.h"
#include "database/file/BTPageCache.h"
#include "database/file/BTPageOwner.h"
#include "database/file/BTPage.h"
#include "database/file/BTPageRef.h"
#include "database/btree/BTPositionIndex.h"

#include <vector>

class BTPagedFile;
class BTPositionIndex;
class BTreeCursor;
class CArchive;

// Root descriptor; archive form (22 bytes, little-endian): u32 root, u32
// first leaf, u32 last leaf, u32 entries, u32 objects, u16 levels.
struct BTRootDescriptor
{
    DWORD root;
    DWORD firstLeaf;
    DWORD lastLeaf;
    DWORD entryCount;
    DWORD objectCount; // kept by the chunked-object operations
    WORD levels;       // 0 for an empty tree, 1 for a lone leaf
};

class BTree : public BTPageOwner, public BTOperation::Participant
{
public:
    enum
    {
        errDuplicateKey = 1024,
        errKeyNotFound = 1025,
    };

    BTree();
    virtual ~BTree();

    virtual void SerializeRoot(CArchive& ar);

    // The tree kind. "Key" arguments point at a key or at an entry (which
    // starts with its key).
    virtual int CompareKeys(const BYTE* a, const BYTE* b) const = 0;
    // As CompareKeys, without the chunk or duplicate number.
    virtual int CompareKeyText(const BYTE* a, const BYTE* b) const = 0;
    // 0 for the first entry of a key or object.
    virtual WORD GetDuplicateNumber(const BYTE* entry) const = 0;
    virtual int GetEntrySize(const BYTE* entry) const = 0;
    virtual int GetKeySize(const BYTE* key) const = 0;
    // Bytes of the data with their length field.
    virtual int GetDataSize(const BYTE* entry) const = 0;
    // Whether length bytes at entry form one well-formed leaf entry (bLeaf)
    // or one separator key with its u32 child. Reads nothing past length.
    virtual BOOL IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const = 0;

    // Binds the tree to the file and clears the root descriptor.
    void Attach(BTPagedFile* file);
    BTPagedFile* GetFile() const { return m_pFile; }
    void AttachPositionIndex(BTPositionIndex* index);
    BTPositionIndex* GetPositionIndex() const { return m_pIndex; }

    const BTRootDescriptor& GetRootDescriptor() const { return m_root; }
    void SetRootDescriptor(const BTRootDescriptor& root) { m_root = root; }
    DWORD GetEntryCount() const { return m_root.entryCount; }
    DWORD GetObjectCount() const { return m_root.objectCount; }
    void SetObjectCount(DWORD count) { m_root.objectCount = count; }
    int GetLevels() const { return m_root.levels; }

    // The page at the offset, read with this tree as its owner.
    BTPageRef GetPage(DWORD offset) { return BTPageRef(FindPage(offset)); }
    // As GetPage, then checks the node (any kind when kind is 0).
    BTPageRef GetNode(DWORD offset, int kind = 0);
    // Checks a page of this tree's file as a node of the kind (any when 0):
    // whole when it is not marked as checked by this tree, else its kind.
    void CheckNodePage(BTPage* page, int kind = 0) const
    {
        if (page->GetCheckedBy() != CheckMark())
            CheckWholeNode(page);
        if (kind != 0 && page->Data()[0] != kind)
            BTThrowDamagedNode();
    }

    // Places the cursor on the first entry not less than the search key;
    // TRUE when that entry's key equals it. An empty tree gives FALSE and
    // leaves the cursor as it was.
    BOOL Find(BTreeCursor& cursor);
    // Inserts the search key's entry: 0, or errDuplicateKey (nothing changed).
    // A tree at its level limit refuses an insert that needs a split with
    // CNotSupportedException, before anything changes.
    int Insert();
    // Inserts or replaces: 1 when inserted, 0 when an equal key was replaced.
    // At the level limit a replacement that must move is refused as well.
    int Write();
    // Deletes the entry of the search key: 0, or errKeyNotFound.
    int Delete();
    // Frees every node and clears the root descriptor.
    void RemoveAll();

    // The n-th entry (from 0) whose duplicate number is 0.
    BOOL Locate(DWORD n, DWORD* leaf, int* slot);
    // The number of such entries before the position.
    BOOL GetOrdinal(DWORD leaf, int slot, DWORD* n);

    // Count of entries with duplicate number 0 in a checked leaf.
    DWORD CountDistinct(const BTNode& leaf) const;

    virtual void BeforePageWrite(BTPage* page) override;
    // An operation that fails gives the tree back its root descriptor and
    // counts; its position index is emptied (rebuilt when next used).
    virtual void SaveOperationState() override;
    virtual void RestoreOperationState() override;

    // Entry i of a checked node after checking it is well formed.
    const BYTE* CheckedEntry(const BTNode& node, int i, int* length) const;

protected:
    // How a kind's keys order, when a search can compare them without a
    // virtual call; CompareKeys must give the same order, and IsValidEntry
    // must refuse entries shorter than the bytes compared (n; 4n + 2 for
    // words).
    enum KeyOrder
    {
        keyOrderVirtual, // CompareKeys
        keyOrderBytes,   // the first n bytes, unsigned, as memcmp
        keyOrderWords,   // n u32 then a u16, all unsigned little-endian
    };
    void SetKeyOrder(KeyOrder order, int n)
    {
        m_keyOrder = order;
        m_keyOrderSize = n;
    }
    // For kinds whose leaf entries, or inner entries, all have one length (0
    // where they vary): a checked node of such entries is searched by
    // position, entry i lying i lengths after the entry area's start, so a
    // search step reads no slot. The whole-node check refuses a node whose
    // entries are not of that length, and Insert and Write refuse a leaf
    // entry of another length before anything changes.
    void SetFixedEntryLengths(int leaf, int inner)
    {
        m_fixedLength[0] = inner;
        m_fixedLength[1] = leaf;
    }
    int FixedLength(BOOL bLeaf) const { return m_fixedLength[bLeaf ? 1 : 0]; }
    // Keeps the before-image of a page the tree is about to change; a
    // change to a node that another tree checked clears its mark.
    void BeginChange(BTPage* page);

    struct PathStep
    {
        DWORD offset; // node passed
        int pos;      // child position taken (entry position in the leaf)
    };

    // First entry position not less than key; *pEqual when equal.
    int SearchNode(const BTNode& node, const BYTE* key, BOOL* pEqual) const;
    // Calls f with the tree's key order (see BTree.cpp).
    template <class F> auto WithKeyOrder(F f) const;
    template <class Order>
    int SearchOrdered(const BTNode& node, const BYTE* key, BOOL* pEqual, const Order& order) const;
    // Heads of the separators around the node being entered (see the key
    // orders), and the key's.
    struct KeyBounds
    {
        unsigned long long low = 0;
        unsigned long long high = ~0ull;
        unsigned long long head = 0;
    };
    // For a node of one entry length whose count a hint knows: the share of
    // its entries below the key if keys were spread evenly between the
    // bounds, with the lines there fetched; else -1.
    double GuessPlace(DWORD offset, BOOL bLeaf, const KeyBounds& bounds);
    // Searches a node reached by a descent (from the guessed place when
    // there is one) and keeps its count as the hint for the next descent.
    template <class Order>
    int SearchVisited(DWORD offset, const BTNode& node, double fraction, const BYTE* key, BOOL* pEqual,
                      const Order& order);
    template <class Order>
    BTPageRef DescendOrdered(const BYTE* key, BOOL* pEqual, BOOL bChange, const Order& order);
    // Descends to the leaf for the key, filling m_path; returns the leaf.
    // bChange: the leaf is about to change.
    BTPageRef Descend(const BYTE* key, BOOL* pEqual, BOOL bChange = FALSE);
    // Empty when it fails part-way.
    void BuildPositionIndex();
    void AddLeavesToPositionIndex(std::vector<BTPositionIndex::Entry>& entries);
    void ThrowIfTooLong(int length) const;
    // The most levels the tree may grow to: BTNode::maxLevels, deeper than
    // any file can hold; a test lowers it to reach it.
    void SetLevelLimit(int levels);
    void ThrowIfAtLevelLimit() const;

private:
    // The page at the offset, unheld: a cache hit served inline, else ReadPage.
    BTPage* FindPage(DWORD offset)
    {
        if (BTPage* page = BTPageCache::FindHit(m_pFile, offset, this))
            return page;
        return m_pFile->ReadPage(offset, this, TRUE);
    }
    // FindPage, then CheckNodePage; a node offset of 0 is damage.
    BTPage* FindNode(DWORD offset, int kind);
    // The tree's mark on the pages it checked: the owner it gives the cache,
    // which a tree going away clears (BTPagedFile::ForgetOwner).
    const void* CheckMark() const { return static_cast<const BTPageOwner*>(this); }
    void CheckWholeNode(BTPage* page) const;
    // The operations inside their BTOperation scope.
    int InsertEntry();
    int WriteEntry();
    int DeleteEntry();
    void FreeAllNodes();
    void CreateFirstLeaf(const BYTE* entry, int length);
    void InsertAtLeaf(const BYTE* entry, int length, BTPageRef& leaf);
    void DeleteAtLeaf(BTPageRef& leaf);
    void FreeLastLeaf();
    // Where a node being settled sits under its parent, and the nodes laid
    // out together: positions q and q + 1 of the parent (m = 2, the node and
    // a sibling), or the node alone (m = 1, q = p).
    struct ParentSlot
    {
        DWORD parent; // the parent's offset
        int p;        // the node's position in the parent
        int q;
        int m;
        DWORD left;  // the left node of the pair, or the node alone
        DWORD right; // the right node, 0 when alone
        BYTE bound[BTNode::maxInnerEntrySize]; // the parent's separator of the left node
        int boundLength;
    };

    // Rebalancing: the work list holds the new content of the node at
    // depth d of m_path; writes it, splitting, merging or refilling as
    // needed, and carries changes up to the root.
    void Settle(int depth);
    // One level: TRUE when the parent's new content is in the work list.
    BOOL SettleLevel(int depth);
    void ReadParentSlot(int depth, ParentSlot& slot);
    // Adds the sibling's entries to the work list; TRUE when the pair (or the
    // node alone) ends its level.
    BOOL JoinSibling(DWORD self, BOOL bLeaf, const ParentSlot& slot);
    // The k nodes that take the laid-out entries, adding or freeing nodes.
    void PlaceNodes(DWORD self, BOOL bLeaf, const ParentSlot& slot, int k, DWORD* nodes);
    void AddNodesAfter(DWORD* nodes, int first, int end, BOOL bLeaf);
    // Writes the k nodes from the work list and the separators of all but the last.
    void WriteNodes(const DWORD* nodes, int k, const int* cuts, BOOL bLeaf);
    void LoadParentContent(DWORD parent);
    void ReplaceInParent(const ParentSlot& slot, const DWORD* nodes, int k);
    // After two nodes were redistributed: TRUE when the parent took the new
    // separator in place and nothing above changes.
    BOOL ReplaceBoundInPlace(int parentDepth, const ParentSlot& slot);
    void SettleRoot();
    void CollapseRoot();
    void SplitRoot(BOOL bLeaf);
    void LoadContent(const BTNode& node, BOOL bLeaf, int at);
    int ContentBytes(int first, int end, BOOL bLeaf);
    BOOL Partition(int k, BOOL bLeaf, BOOL bFill, BOOL bEndOfLevel, int* cuts);
    int ChoosePartition(BOOL bLeaf, BOOL bEndOfLevel, int* cuts);
    void WriteNode(DWORD offset, BOOL bLeaf, int first, int end);
    DWORD NewNodeAfter(DWORD left, BOOL bLeaf);
    void UnlinkAndFree(DWORD offset, BOOL bLeaf);
    void SaveSeparator(int which, int item, DWORD child, BOOL bLeaf);
    void LeafChanged(const BTNode& leaf, DWORD offset);

    BTPagedFile* m_pFile;
    BTPositionIndex* m_pIndex;
    BTRootDescriptor m_root;
    BTRootDescriptor m_savedRoot; // while an operation is open
    int m_levelLimit;
    KeyOrder m_keyOrder;
    int m_keyOrderSize;
    int m_fixedLength[2]; // inner, leaf; 0 when entries vary
    BTCountHints m_countHints;
    PathStep m_path[BTNode::maxLevels];
};
