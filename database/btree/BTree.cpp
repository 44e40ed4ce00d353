#include "database/btree/BTree.h"

#include "database/file/BTPageCache.h"
#include "database/file/BTOperation.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTreeCursor.h"
#include "database/file/BTPagedFile.h"

#include "database/btree/BTBytes.h"
#include "database/btree/BTNodeSearch.h"

#include <cstring>

namespace
{
// A leaf (inner node) below this many used bytes is refilled from a sibling.
const int leafUnderflowFree = 1016;
const int innerUnderflowFree = 1014;

// Scratch for WriteNode and Partition; as process-wide as the work list.
const BYTE* g_entryPtrs[BTWorkList::maxItems];
int g_entryLens[BTWorkList::maxItems];
int g_prefix[BTWorkList::maxItems + 1];

int KindOf(BOOL bLeaf)
{
    return bLeaf ? BTNode::kindLeaf : BTNode::kindInner;
}
} // namespace

BTree::BTree()
    : m_pFile(nullptr), m_pIndex(nullptr), m_levelLimit(BTNode::maxLevels), m_keyOrder(keyOrderVirtual),
      m_keyOrderSize(0), m_fixedLength{0, 0}
{
    std::memset(&m_root, 0, sizeof(m_root));
    std::memset(m_path, 0, sizeof(m_path));
}

BTree::~BTree()
{
    BTOperation::Forget(this);
    // Its file may outlive it: a later write-back must not call a dead owner.
    BTPageCache::ForgetOwner(this);
    if (m_pIndex && m_pIndex->GetTree() == this)
        m_pIndex->SetTree(nullptr);
}

void BTree::SerializeRoot(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_root.root << m_root.firstLeaf << m_root.lastLeaf << m_root.entryCount
           << m_root.objectCount << m_root.levels;
    }
    else
    {
        ar >> m_root.root >> m_root.firstLeaf >> m_root.lastLeaf >> m_root.entryCount >>
            m_root.objectCount >> m_root.levels;
    }
}

void BTree::Attach(BTPagedFile* file)
{
    m_pFile = file;
    std::memset(&m_root, 0, sizeof(m_root));
}

void BTree::AttachPositionIndex(BTPositionIndex* index)
{
    if (m_pIndex && m_pIndex != index && m_pIndex->GetTree() == this)
        m_pIndex->SetTree(nullptr);
    m_pIndex = index;
    if (index)
        index->SetTree(this);
}

BTPageRef BTree::GetNode(DWORD offset, int kind)
{
    return BTPageRef(FindNode(offset, kind));
}

BTPage* BTree::FindNode(DWORD offset, int kind)
{
    if (offset == 0)
        BTThrowDamagedNode();
    BTPage* page = FindPage(offset);
    // Its header and slot array (unless the search reads none) are fetched
    // while the handle is checked.
    __builtin_prefetch(page->m_data);
    if (!FixedLength(kind == BTNode::kindLeaf))
        for (int at = BTNode::pageSize - 256; at < BTNode::pageSize; at += 64)
            __builtin_prefetch(page->m_data + at);
    CheckNodePage(page, kind);
    return page;
}

void BTree::CheckWholeNode(BTPage* page) const
{
    BTNode node(page->Data());
    node.CheckHeader();
    int n = node.Count();
    int fixed = FixedLength(node.IsLeaf());
    for (int i = 0; i < n; ++i)
    {
        int len;
        CheckedEntry(node, i, &len);
        if (fixed && len != fixed)
            BTThrowDamagedNode();
    }
    page->SetCheckedBy(CheckMark());
}

void BTree::BeginChange(BTPage* page)
{
    BTOperation::BeforeChange(page);
    if (page->GetCheckedBy() != CheckMark())
        page->SetCheckedBy(nullptr);
}

const BYTE* BTree::CheckedEntry(const BTNode& node, int i, int* length) const
{
    const BYTE* e = node.EntryAt(i, length);
    if (!IsValidEntry(e, *length, node.IsLeaf()))
        BTThrowDamagedNode();
    return e;
}

namespace
{
// The key orders a search can compare inline: the comparison, and for
// guessing where a key lies among evenly spread keys, its head, a number
// ordering as the keys do (ties aside).
struct BytesOrder
{
    int n;
    static const bool hasHead = true;
    int Compare(const BYTE* a, const BYTE* b) const { return BTBytes::Compare(a, b, n); }
    // The first 8 bytes, big-endian, zeros past the key.
    unsigned long long Head(const BYTE* key) const
    {
        if (n >= 8)
            return __builtin_bswap64(BTBytes::Load64(key));
        unsigned long long head = 0;
        for (int i = 0; i < 8; ++i)
            head = head << 8 | (i < n ? key[i] : 0);
        return head;
    }
};

struct WordsOrder
{
    int n;
    static const bool hasHead = true;
    int Compare(const BYTE* a, const BYTE* b) const
    {
        for (int i = 0; i < n; ++i, a += 4, b += 4)
        {
            DWORD x = BTNode::GetU32At(a);
            DWORD y = BTNode::GetU32At(b);
            if (x != y)
                return x < y ? -1 : 1;
        }
        return (int)(a[0] | (a[1] << 8)) - (int)(b[0] | (b[1] << 8));
    }
    // The first word, then the second or the u16 that ends the key.
    unsigned long long Head(const BYTE* key) const
    {
        unsigned long long second = n >= 2 ? BTNode::GetU32At(key + 4) : (DWORD)(key[4] | (key[5] << 8)) << 16;
        return (unsigned long long)BTNode::GetU32At(key) << 32 | second;
    }
};

struct VirtualOrder
{
    const BTree* tree;
    static const bool hasHead = false;
    int Compare(const BYTE* a, const BYTE* b) const { return tree->CompareKeys(a, b); }
    unsigned long long Head(const BYTE*) const { return 0; }
};
} // namespace

template <class F> auto BTree::WithKeyOrder(F f) const
{
    switch (m_keyOrder)
    {
    case keyOrderBytes:
        return f(BytesOrder{m_keyOrderSize});
    case keyOrderWords:
        return f(WordsOrder{m_keyOrderSize});
    default:
        return f(VirtualOrder{this});
    }
}

int BTree::SearchNode(const BTNode& node, const BYTE* key, BOOL* pEqual) const
{
    return WithKeyOrder([&](const auto& order) { return SearchOrdered(node, key, pEqual, order); });
}

template <class Order>
int BTree::SearchOrdered(const BTNode& node, const BYTE* key, BOOL* pEqual, const Order& order) const
{
    // The node was checked whole when the tree took it, so its entries are
    // well formed and read without a check each.
    //
    // A node just reached is rarely in the processor's cache, and a search
    // step needs the line of the step before: the whole node in use (its
    // entries, known from the header, and the slot array when it is read)
    // is fetched at once instead of one line after the other.
    auto compare = [&order](const BYTE* a, const BYTE* b) { return order.Compare(a, b); };
    int n = node.Count();
    const BYTE* data = node.Data();
    int start = node.Start();
    int fixed = FixedLength(node.IsLeaf());
    if (fixed)
    {
        // Entry i lies i lengths after the first. Inner nodes, near the
        // root and so mostly cached, are searched without branches.
        const BYTE* first = data + start;
        for (int at = 0; at < n * fixed; at += 64)
            __builtin_prefetch(first + at);
        auto entry = [first, fixed](int i) { return first + i * fixed; };
        if (node.IsLeaf())
            return BTNodeSearch::Guessing(n, key, pEqual, entry, compare);
        return BTNodeSearch::BranchFree(n, key, pEqual, entry, compare);
    }
    int end = start + node.Capacity() - node.Free() - 2 * n;
    if (end > BTNode::pageSize)
        end = BTNode::pageSize;
    for (int at = start; at < end; at += 64)
        __builtin_prefetch(data + at);
    for (int at = BTNode::pageSize - 2 - 2 * n; at < BTNode::pageSize; at += 64)
        __builtin_prefetch(data + at);
    return BTNodeSearch::Guessing(n, key, pEqual, [&node](int i) { return node.Entry(i); }, compare);
}

inline double BTree::GuessPlace(DWORD offset, BOOL bLeaf, const KeyBounds& bounds)
{
    int fixed = FixedLength(bLeaf);
    if (!fixed || bounds.high <= bounds.low || bounds.head < bounds.low || bounds.head > bounds.high)
        return -1;
    int count = m_countHints.Get(offset);
    BTPage* page = count > 0 ? BTPageCache::PeekCached(m_pFile, offset) : nullptr;
    if (!page)
        return -1;
    double fraction = (double)(bounds.head - bounds.low) / (double)(bounds.high - bounds.low);
    int at = BTNode::StartOf(bLeaf ? BTNode::kindLeaf : BTNode::kindInner) + (int)(fraction * count) * fixed;
    for (int line = at - 64; line <= at + 64; line += 64)
        if (line >= 0 && line < BTNode::pageSize)
            __builtin_prefetch(page->m_data + line);
    return fraction;
}

template <class Order>
inline int BTree::SearchVisited(DWORD offset, const BTNode& node, double fraction, const BYTE* key, BOOL* pEqual,
                                const Order& order)
{
    int fixed = FixedLength(node.IsLeaf());
    if (fraction < 0)
    {
        int pos = SearchOrdered(node, key, pEqual, order);
        if (Order::hasHead && fixed)
            m_countHints.Set(offset, node.Count());
        return pos;
    }
    int n = node.Count();
    m_countHints.Set(offset, n);
    const BYTE* first = node.Data() + node.Start();
    return BTNodeSearch::FromGuess(
        n, fraction, key, pEqual, [first, fixed](int i) { return first + i * fixed; },
        [&order](const BYTE* a, const BYTE* b) { return order.Compare(a, b); });
}

BTPageRef BTree::Descend(const BYTE* key, BOOL* pEqual, BOOL bChange)
{
    return WithKeyOrder([&](const auto& order) { return DescendOrdered(key, pEqual, bChange, order); });
}

template <class Order>
BTPageRef BTree::DescendOrdered(const BYTE* key, BOOL* pEqual, BOOL bChange, const Order& order)
{
    int levels = m_root.levels;
    if (levels < 1 || levels > BTNode::maxLevels)
        BTThrowDamagedNode();
    DWORD offset = m_root.root;
    BOOL equal;
    // Where the key lies between the separators around the node entered
    // (none around the root) tells, for evenly spread keys, which line of
    // the node to fetch and search first.
    KeyBounds bounds;
    bounds.head = order.Head(key);
    int innerFixed = Order::hasHead ? FixedLength(FALSE) : 0;
    // Inner nodes are used unheld: nothing reads or allocates a page between
    // a node's look-up and the end of its search.
    for (int d = 0; d < levels - 1; ++d)
    {
        double fraction = innerFixed ? GuessPlace(offset, FALSE, bounds) : -1;
        BTNode node(FindNode(offset, BTNode::kindInner)->Data());
        int pos = SearchVisited(offset, node, fraction, key, &equal, order);
        m_path[d].offset = offset;
        m_path[d].pos = pos;
        if (innerFixed)
        {
            const BYTE* first = node.Data() + BTNode::innerStart;
            if (pos > 0)
                bounds.low = order.Head(first + (pos - 1) * innerFixed);
            if (pos < node.Count())
                bounds.high = order.Head(first + pos * innerFixed);
        }
        offset = node.ChildOfPosition(pos);
    }
    // A leaf about to change is fetched whole: the change moves its entries.
    double fraction = Order::hasHead && !bChange ? GuessPlace(offset, TRUE, bounds) : -1;
    BTPageRef page(FindNode(offset, BTNode::kindLeaf));
    m_path[levels - 1].offset = offset;
    m_path[levels - 1].pos = SearchVisited(offset, BTNode(page.Data()), fraction, key, &equal, order);
    *pEqual = equal;
    return page;
}

void BTree::SetLevelLimit(int levels)
{
    m_levelLimit = levels < 1 ? 1 : levels > BTNode::maxLevels ? (int)BTNode::maxLevels : levels;
}

void BTree::ThrowIfAtLevelLimit() const
{
    if (m_root.levels >= m_levelLimit)
        AfxThrowNotSupportedException();
}

void BTree::ThrowIfTooLong(int length) const
{
    if (length > BTNode::maxEntrySize || !IsValidEntry(BTGetSearchKey(), length, TRUE) ||
        (FixedLength(TRUE) && length != FixedLength(TRUE)))
        AfxThrowNotSupportedException();
}

BOOL BTree::Find(BTreeCursor& cursor)
{
    if (m_root.root == 0)
        return FALSE;
    BOOL equal;
    BTPageRef page = Descend(BTGetSearchKey(), &equal);
    BTNode leaf(page.Data());
    DWORD offset = m_path[m_root.levels - 1].offset;
    int pos = m_path[m_root.levels - 1].pos;
    cursor.SetTree(this);
    if (pos < leaf.Count())
        cursor.SetPosition(offset, pos, BTreeCursor::stateOnEntry);
    else if (leaf.Next() != 0)
        // A separator may exceed its subtree's keys after deletions: the first
        // entry not less than the key then starts the next leaf.
        cursor.SetPosition(leaf.Next(), 0, BTreeCursor::stateOnEntry);
    else
        cursor.SetPosition(offset, pos, BTreeCursor::stateAfterLast);
    return equal;
}

int BTree::Insert()
{
    BTOperation op(m_pFile);
    op.Enlist(this);
    int result = InsertEntry();
    op.Commit();
    return result;
}

int BTree::InsertEntry()
{
    int length = BTGetSearchKeyLength();
    ThrowIfTooLong(length);
    if (m_root.root == 0)
    {
        CreateFirstLeaf(BTGetSearchKey(), length);
        return 0;
    }
    BOOL equal;
    BTPageRef leaf = Descend(BTGetSearchKey(), &equal, TRUE);
    if (equal)
        return errDuplicateKey;
    InsertAtLeaf(BTGetSearchKey(), length, leaf);
    return 0;
}

int BTree::Write()
{
    BTOperation op(m_pFile);
    op.Enlist(this);
    int result = WriteEntry();
    op.Commit();
    return result;
}

int BTree::WriteEntry()
{
    int length = BTGetSearchKeyLength();
    ThrowIfTooLong(length);
    if (m_root.root == 0)
    {
        CreateFirstLeaf(BTGetSearchKey(), length);
        return 1;
    }
    BOOL equal;
    BTPageRef page = Descend(BTGetSearchKey(), &equal);
    if (!equal)
    {
        InsertAtLeaf(BTGetSearchKey(), length, page);
        return 1;
    }
    BTNode leaf(page.Data());
    int pos = m_path[m_root.levels - 1].pos;
    int oldLength;
    CheckedEntry(leaf, pos, &oldLength);
    if (length - oldLength <= leaf.Free())
    {
        BeginChange(page);
        leaf.ReplaceEntry(pos, BTGetSearchKey(), length);
        page->MarkDirty();
        LeafChanged(leaf, page->GetOffset());
        return 0;
    }
    // The entry moves: its insert may have to split, and a refusal after
    // the delete would lose the entry, so it is refused before.
    ThrowIfAtLevelLimit();
    DeleteAtLeaf(page);
    page.Release();
    InsertEntry();
    return 0;
}

int BTree::Delete()
{
    BTOperation op(m_pFile);
    op.Enlist(this);
    int result = DeleteEntry();
    op.Commit();
    return result;
}

int BTree::DeleteEntry()
{
    if (m_root.root == 0)
        return errKeyNotFound;
    BOOL equal;
    BTPageRef leaf = Descend(BTGetSearchKey(), &equal, TRUE);
    if (!equal)
        return errKeyNotFound;
    DeleteAtLeaf(leaf);
    return 0;
}

void BTree::CreateFirstLeaf(const BYTE* entry, int length)
{
    BTPageRef page;
    m_pFile->AllocPage(page, this);
    BTNode leaf(page.Data());
    leaf.Init(BTNode::kindLeaf);
    leaf.InsertEntry(0, entry, length);
    page->MarkDirty();
    DWORD offset = page->GetOffset();
    m_root.root = m_root.firstLeaf = m_root.lastLeaf = offset;
    m_root.entryCount = 1;
    m_root.levels = 1;
    if (m_pIndex)
        m_pIndex->RemoveAll(); // rebuilt when next used
}

void BTree::InsertAtLeaf(const BYTE* entry, int length, BTPageRef& page)
{
    BTNode leaf(page.Data());
    int depth = m_root.levels - 1;
    int pos = m_path[depth].pos;
    if (leaf.Free() >= length + 2)
    {
        BeginChange(page);
        leaf.InsertEntry(pos, entry, length);
        page->MarkDirty();
        LeafChanged(leaf, page->GetOffset());
    }
    else
    {
        // A split may climb to the root: refuse while nothing has changed.
        ThrowIfAtLevelLimit();
        BTWorkList& work = BTBuffers::work;
        work.Clear();
        LoadContent(leaf, TRUE, 0);
        work.Insert(pos, entry, length);
        page.Release();
        Settle(depth);
    }
    ++m_root.entryCount;
}

void BTree::DeleteAtLeaf(BTPageRef& page)
{
    BTNode leaf(page.Data());
    int depth = m_root.levels - 1;
    int pos = m_path[depth].pos;
    if (depth == 0 && leaf.Count() == 1)
    {
        page.Release();
        FreeLastLeaf();
        return;
    }
    int length;
    CheckedEntry(leaf, pos, &length);
    if (depth > 0 && leaf.Free() + length + 2 > leafUnderflowFree)
    {
        BTWorkList& work = BTBuffers::work;
        work.Clear();
        LoadContent(leaf, TRUE, 0);
        work.Remove(pos);
        page.Release();
        Settle(depth);
    }
    else
    {
        BeginChange(page);
        leaf.RemoveEntry(pos);
        page->MarkDirty();
        LeafChanged(leaf, page->GetOffset());
    }
    --m_root.entryCount;
}

void BTree::FreeLastLeaf()
{
    DWORD offset = m_root.root;
    if (m_pIndex)
        m_pIndex->RemoveAll();
    m_pFile->FreePage(offset);
    m_root.root = m_root.firstLeaf = m_root.lastLeaf = 0;
    m_root.entryCount = 0;
    m_root.levels = 0;
}

void BTree::LoadContent(const BTNode& node, BOOL bLeaf, int at)
{
    BTWorkList& work = BTBuffers::work;
    int n = node.Count();
    // The node was checked whole when the tree took it.
    work.InsertEntries(at, node);
    if (!bLeaf)
    {
        // The upper child joins as an item without a key.
        if (node.Upper() == 0)
            BTThrowDamagedNode();
        BYTE child[4];
        BTNode::PutU32At(child, node.Upper());
        work.Insert(at + n, child, 4);
    }
}

int BTree::ContentBytes(int first, int end, BOOL bLeaf)
{
    BTWorkList& work = BTBuffers::work;
    if (!bLeaf)
        --end; // the last item is the upper child
    int bytes = 0;
    for (int i = first; i < end; ++i)
        bytes += work.Length(i) + 2;
    return bytes;
}

BOOL BTree::Partition(int k, BOOL bLeaf, BOOL bFill, BOOL bEndOfLevel, int* cuts)
{
    BTWorkList& work = BTBuffers::work;
    int count = work.Count();
    int capacity = BTNode::CapacityOf(KindOf(bLeaf));
    // An inner node keeps at least one separator when it can.
    int minItems = (bLeaf || count < 2 * k) ? 1 : 2;
    if (count < k * minItems)
        return FALSE;
    g_prefix[0] = 0;
    for (int i = 0; i < count; ++i)
        g_prefix[i + 1] = g_prefix[i] + work.Length(i) + 2;
    int total = g_prefix[count];
    // Bytes a node holds for items [a, b).
    auto bytesOf = [&](int a, int b) { return g_prefix[bLeaf ? b : b - 1] - g_prefix[a]; };
    cuts[0] = 0;
    int a = 0;
    for (int j = 0; j < k - 1; ++j)
    {
        int limit = capacity;
        if (!bFill)
            limit = (bLeaf && bEndOfLevel && k == 3) ? (j == 0 ? 2032 : 1355) : total / k;
        int b = a + minItems;
        int last = count - (k - 1 - j) * minItems;
        while (b < last && bytesOf(a, b + 1) <= limit)
            ++b;
        cuts[j + 1] = b;
        a = b;
    }
    cuts[k] = count;
    for (int j = 0; j < k; ++j)
        if (bytesOf(cuts[j], cuts[j + 1]) > capacity)
            return FALSE;
    return TRUE;
}

int BTree::ChoosePartition(BOOL bLeaf, BOOL bEndOfLevel, int* cuts)
{
    for (int k = 2; k <= 4; ++k)
    {
        if (Partition(k, bLeaf, FALSE, bEndOfLevel, cuts))
            return k;
        if (Partition(k, bLeaf, TRUE, bEndOfLevel, cuts))
            return k;
    }
    BTThrowDamagedNode(); // entries longer than nodes can hold
}

void BTree::WriteNode(DWORD offset, BOOL bLeaf, int first, int end)
{
    BTWorkList& work = BTBuffers::work;
    BTPageRef page = GetPage(offset);
    BeginChange(page);
    BTNode node(page.Data());
    int stored = bLeaf ? end - first : end - first - 1;
    for (int i = 0; i < stored; ++i)
    {
        g_entryPtrs[i] = work.Item(first + i);
        g_entryLens[i] = work.Length(first + i);
    }
    node.SetEntries(g_entryPtrs, g_entryLens, stored);
    if (!bLeaf)
    {
        int last = end - 1;
        node.SetUpper(BTNode::GetU32At(work.Item(last) + work.Length(last) - 4));
    }
    page->MarkDirty();
    // Written whole from sound entries: the node is sound as long as its
    // kind is.
    if (node.Kind() == KindOf(bLeaf) && node.Data()[1] == 0)
        page->SetCheckedBy(CheckMark());
    if (bLeaf)
        LeafChanged(node, offset);
}

DWORD BTree::NewNodeAfter(DWORD left, BOOL bLeaf)
{
    BTPageRef page;
    m_pFile->AllocPage(page, this);
    DWORD offset = page->GetOffset();
    BTNode node(page.Data());
    node.Init(KindOf(bLeaf));
    BTPageRef leftPage = GetNode(left, KindOf(bLeaf));
    BTNode leftNode(leftPage.Data());
    DWORD next = leftNode.Next();
    BeginChange(leftPage);
    leftNode.SetNext(offset);
    leftPage->MarkDirty();
    node.SetPrev(left);
    node.SetNext(next);
    page->MarkDirty();
    if (next != 0)
    {
        BTPageRef nextPage = GetNode(next, KindOf(bLeaf));
        BeginChange(nextPage);
        BTNode(nextPage.Data()).SetPrev(offset);
        nextPage->MarkDirty();
    }
    else if (bLeaf)
        m_root.lastLeaf = offset;
    if (bLeaf && m_pIndex)
        m_pIndex->InsertAfter(left, offset);
    return offset;
}

void BTree::UnlinkAndFree(DWORD offset, BOOL bLeaf)
{
    BTPageRef page = GetNode(offset, KindOf(bLeaf));
    BTNode node(page.Data());
    DWORD prev = node.Prev();
    DWORD next = node.Next();
    page.Release();
    if (prev != 0)
    {
        BTPageRef prevPage = GetNode(prev, KindOf(bLeaf));
        BeginChange(prevPage);
        BTNode(prevPage.Data()).SetNext(next);
        prevPage->MarkDirty();
    }
    else if (bLeaf)
        m_root.firstLeaf = next;
    if (next != 0)
    {
        BTPageRef nextPage = GetNode(next, KindOf(bLeaf));
        BeginChange(nextPage);
        BTNode(nextPage.Data()).SetPrev(prev);
        nextPage->MarkDirty();
    }
    else if (bLeaf)
        m_root.lastLeaf = prev;
    if (bLeaf && m_pIndex)
        m_pIndex->Remove(offset);
    m_pFile->FreePage(offset);
}

void BTree::SaveSeparator(int which, int item, DWORD child, BOOL bLeaf)
{
    BTWorkList& work = BTBuffers::work;
    const BYTE* e = work.Item(item);
    int keyLength = bLeaf ? GetKeySize(e) : work.Length(item) - 4;
    if (keyLength <= 0 || keyLength > BTNode::maxEntrySize)
        BTThrowDamagedNode();
    BTKeyBuffer& sep = BTBuffers::separators[which];
    std::memcpy(sep.bytes, e, keyLength);
    BTNode::PutU32At(sep.bytes + keyLength, child);
    sep.length = keyLength + 4;
}

// Settling walks up m_path: each level writes its node's new content from
// the work list, or lays it out with a sibling and leaves the parent's new
// content in the work list for the level above; the root settles last.
void BTree::Settle(int depth)
{
    for (; depth > 0; --depth)
    {
        if (!SettleLevel(depth))
            return;
    }
    SettleRoot();
}

BOOL BTree::SettleLevel(int depth)
{
    BTWorkList& work = BTBuffers::work;
    BOOL bLeaf = depth == m_root.levels - 1;
    int capacity = BTNode::CapacityOf(KindOf(bLeaf));
    DWORD self = m_path[depth].offset;
    int count = work.Count();
    int bytes = ContentBytes(0, count, bLeaf);
    BOOL bUnder = count == 0 || capacity - bytes > (bLeaf ? leafUnderflowFree : innerUnderflowFree);
    if (bytes <= capacity && !bUnder)
    {
        WriteNode(self, bLeaf, 0, count);
        return FALSE;
    }

    ParentSlot slot;
    ReadParentSlot(depth, slot);
    if (count == 0)
    {
        // Nothing left in the node: it leaves its level and its parent.
        UnlinkAndFree(self, bLeaf);
        LoadParentContent(slot.parent);
        work.Remove(slot.p);
        return TRUE;
    }
    if (slot.m == 1 && bytes <= capacity)
    {
        WriteNode(self, bLeaf, 0, count); // alone under its parent
        return FALSE;
    }

    BOOL bEndOfLevel = JoinSibling(self, bLeaf, slot);
    int cuts[5];
    int k;
    if (slot.m == 2 && bUnder && ContentBytes(0, work.Count(), bLeaf) <= capacity)
    {
        k = 1; // a merge
        cuts[0] = 0;
        cuts[1] = work.Count();
    }
    else
        k = ChoosePartition(bLeaf, bEndOfLevel, cuts);
    DWORD nodes[4];
    PlaceNodes(self, bLeaf, slot, k, nodes);
    WriteNodes(nodes, k, cuts, bLeaf);
    if (slot.m == 2 && k == 2 && ReplaceBoundInPlace(depth - 1, slot))
        return FALSE;
    ReplaceInParent(slot, nodes, k);
    return TRUE;
}

BOOL BTree::ReplaceBoundInPlace(int parentDepth, const ParentSlot& slot)
{
    // Two nodes redistributed stay under the same entries of their parent;
    // only the left node's separator changes. When the parent then neither
    // overflows nor falls below its fill, that one entry is replaced where it
    // is, which gives the same node as laying the parent out again.
    const BTKeyBuffer& sep = BTBuffers::separators[0];
    BTPageRef page = GetNode(slot.parent, BTNode::kindInner);
    BTNode parent(page.Data());
    int length;
    CheckedEntry(parent, slot.q, &length);
    int free = parent.Free() + length - sep.length;
    if (free < 0 || (parentDepth > 0 && free > innerUnderflowFree))
        return FALSE;
    BeginChange(page);
    parent.ReplaceEntry(slot.q, sep.bytes, sep.length);
    page->MarkDirty();
    return TRUE;
}

void BTree::ReadParentSlot(int depth, ParentSlot& slot)
{
    slot.parent = m_path[depth - 1].offset;
    slot.p = m_path[depth - 1].pos;
    BTPageRef parentPage = GetNode(slot.parent, BTNode::kindInner);
    BTNode parent(parentPage.Data());
    int pn = parent.Count();
    if (slot.p > pn)
        BTThrowDamagedNode();
    // Pair the node with a sibling under the same parent: positions q and
    // q + 1 of the parent, or the node alone (m = 1).
    slot.q = slot.p;
    slot.m = 1;
    if (slot.p < pn)
        slot.m = 2;
    else if (slot.p > 0)
    {
        slot.q = slot.p - 1;
        slot.m = 2;
    }
    slot.left = slot.m == 2 ? parent.ChildOfPosition(slot.q) : m_path[depth].offset;
    slot.right = slot.m == 2 ? parent.ChildOfPosition(slot.q + 1) : 0;
    slot.boundLength = 0;
    if (slot.m == 2)
    {
        int len;
        const BYTE* e = CheckedEntry(parent, slot.q, &len);
        slot.boundLength = len - 4;
        std::memcpy(slot.bound, e, slot.boundLength);
    }
}

BOOL BTree::JoinSibling(DWORD self, BOOL bLeaf, const ParentSlot& slot)
{
    BTWorkList& work = BTBuffers::work;
    int kind = KindOf(bLeaf);
    if (slot.m == 1)
    {
        BTPageRef selfPage = GetNode(self, kind);
        return BTNode(selfPage.Data()).Next() == 0;
    }
    int count = work.Count();
    BOOL bSelfLeft = self == slot.left;
    DWORD sibling = bSelfLeft ? slot.right : slot.left;
    BTPageRef sibPage = GetNode(sibling, kind);
    BTNode sib(sibPage.Data());
    if ((bSelfLeft && sib.Prev() != slot.left) || (!bSelfLeft && sib.Next() != slot.right))
        BTThrowDamagedNode();
    int leftItems;
    BOOL bEndOfLevel;
    if (bSelfLeft)
    {
        LoadContent(sib, bLeaf, count);
        leftItems = count;
        bEndOfLevel = sib.Next() == 0;
    }
    else
    {
        LoadContent(sib, bLeaf, 0);
        leftItems = work.Count() - count;
        BTPageRef selfPage = GetNode(self, kind);
        bEndOfLevel = BTNode(selfPage.Data()).Next() == 0;
    }
    if (!bLeaf)
    {
        // The left node's upper child carries the left node's bound as its
        // key while the two are laid out together.
        int upper = leftItems - 1;
        BYTE item[BTNode::maxInnerEntrySize];
        std::memcpy(item, slot.bound, slot.boundLength);
        std::memcpy(item + slot.boundLength, work.Item(upper) + work.Length(upper) - 4, 4);
        work.Remove(upper);
        work.Insert(upper, item, slot.boundLength + 4);
    }
    return bEndOfLevel;
}

void BTree::PlaceNodes(DWORD self, BOOL bLeaf, const ParentSlot& slot, int k, DWORD* nodes)
{
    if (slot.m == 1)
    {
        nodes[0] = self;
        AddNodesAfter(nodes, 1, k, bLeaf);
    }
    else if (k == 1)
    {
        nodes[0] = slot.right; // a merge keeps the right node
        UnlinkAndFree(slot.left, bLeaf);
    }
    else
    {
        nodes[0] = slot.left;
        AddNodesAfter(nodes, 1, k - 1, bLeaf);
        nodes[k - 1] = slot.right;
    }
}

void BTree::AddNodesAfter(DWORD* nodes, int first, int end, BOOL bLeaf)
{
    for (int j = first; j < end; ++j)
        nodes[j] = NewNodeAfter(nodes[j - 1], bLeaf);
}

void BTree::WriteNodes(const DWORD* nodes, int k, const int* cuts, BOOL bLeaf)
{
    for (int j = 0; j < k; ++j)
        WriteNode(nodes[j], bLeaf, cuts[j], cuts[j + 1]);
    for (int j = 0; j < k - 1; ++j)
        SaveSeparator(j, cuts[j + 1] - 1, nodes[j], bLeaf);
}

void BTree::LoadParentContent(DWORD parent)
{
    BTWorkList& work = BTBuffers::work;
    BTPageRef parentPage = GetNode(parent, BTNode::kindInner);
    work.Clear();
    LoadContent(BTNode(parentPage.Data()), FALSE, 0);
}

void BTree::ReplaceInParent(const ParentSlot& slot, const DWORD* nodes, int k)
{
    // The parent's positions q .. q+m-1 become the k nodes: the last keeps
    // the old bound, the others come with their new separators.
    BTWorkList& work = BTBuffers::work;
    LoadParentContent(slot.parent);
    int lastItem = slot.q + slot.m - 1;
    BTNode::PutU32At(work.Item(lastItem) + work.Length(lastItem) - 4, nodes[k - 1]);
    if (slot.m == 2)
        work.Remove(slot.q);
    for (int j = 0; j < k - 1; ++j)
        work.Insert(slot.q + j, BTBuffers::separators[j].bytes, BTBuffers::separators[j].length);
}

void BTree::SettleRoot()
{
    BTWorkList& work = BTBuffers::work;
    BOOL bLeaf = m_root.levels == 1;
    int count = work.Count();
    if (count == 0)
    {
        if (!bLeaf)
            BTThrowDamagedNode();
        FreeLastLeaf();
        return;
    }
    if (!bLeaf && count == 1)
    {
        CollapseRoot();
        return;
    }
    if (ContentBytes(0, count, bLeaf) <= BTNode::CapacityOf(KindOf(bLeaf)))
    {
        WriteNode(m_root.root, bLeaf, 0, count);
        return;
    }
    SplitRoot(bLeaf);
}

void BTree::CollapseRoot()
{
    // Only the upper child is left: it becomes the root, and so on down
    // while the new root is an inner node without entries.
    BTWorkList& work = BTBuffers::work;
    DWORD child = BTNode::GetU32At(work.Item(0) + work.Length(0) - 4);
    m_pFile->FreePage(m_root.root);
    m_root.root = child;
    --m_root.levels;
    while (m_root.levels > 1)
    {
        BTPageRef page = GetNode(m_root.root, BTNode::kindInner);
        BTNode node(page.Data());
        if (node.Count() > 0)
            break;
        DWORD upper = node.Upper();
        page.Release();
        m_pFile->FreePage(m_root.root);
        m_root.root = upper;
        --m_root.levels;
    }
    if (m_root.levels == 1)
        m_root.firstLeaf = m_root.lastLeaf = m_root.root;
}

void BTree::SplitRoot(BOOL bLeaf)
{
    ThrowIfAtLevelLimit();
    int cuts[5];
    int k = ChoosePartition(bLeaf, TRUE, cuts);
    DWORD nodes[4];
    nodes[0] = m_root.root;
    AddNodesAfter(nodes, 1, k, bLeaf);
    WriteNodes(nodes, k, cuts, bLeaf);

    // A new root over the k nodes, with their separators.
    BTPageRef page;
    m_pFile->AllocPage(page, this);
    BTNode root(page.Data());
    root.Init(BTNode::kindInner);
    for (int j = 0; j < k - 1; ++j)
        root.InsertEntry(j, BTBuffers::separators[j].bytes, BTBuffers::separators[j].length);
    root.SetUpper(nodes[k - 1]);
    page->MarkDirty();
    m_root.root = page->GetOffset();
    ++m_root.levels;
}

void BTree::RemoveAll()
{
    BTOperation op(m_pFile);
    op.Enlist(this);
    FreeAllNodes();
    op.Commit();
}

void BTree::FreeAllNodes()
{
    if (m_root.root != 0)
    {
        int levels = m_root.levels;
        if (levels < 1 || levels > BTNode::maxLevels)
            BTThrowDamagedNode();
        DWORD first = m_root.root;
        for (int level = 0; level < levels; ++level)
        {
            int kind = KindOf(level == levels - 1);
            DWORD below = 0;
            {
                BTPageRef page = GetNode(first, kind);
                BTNode node(page.Data());
                if (kind == BTNode::kindInner)
                    below = node.Count() > 0 ? node.ChildAt(0) : node.Upper();
            }
            // A freed page no longer passes the kind check, so a damaged
            // chain that loops back ends in an exception, not a loop.
            for (DWORD cur = first; cur != 0;)
            {
                BTPageRef page = GetNode(cur, kind);
                DWORD next = BTNode(page.Data()).Next();
                page.Release();
                m_pFile->FreePage(cur);
                cur = next;
            }
            first = below;
        }
    }
    std::memset(&m_root, 0, sizeof(m_root));
    if (m_pIndex)
        m_pIndex->RemoveAll();
}

DWORD BTree::CountDistinct(const BTNode& leaf) const
{
    DWORD count = 0;
    int n = leaf.Count();
    for (int i = 0; i < n; ++i)
    {
        int len;
        if (GetDuplicateNumber(CheckedEntry(leaf, i, &len)) == 0)
            ++count;
    }
    return count;
}

void BTree::LeafChanged(const BTNode& leaf, DWORD offset)
{
    if (m_pIndex && !m_pIndex->IsEmpty())
        m_pIndex->SetCount(offset, CountDistinct(leaf));
}

void BTree::SaveOperationState()
{
    m_savedRoot = m_root;
}

void BTree::RestoreOperationState()
{
    m_root = m_savedRoot;
    // Its leaves may have moved meanwhile: rebuilt when next used.
    if (m_pIndex)
        m_pIndex->RemoveAll();
}

void BTree::BeforePageWrite(BTPage* page)
{
    if (!m_pIndex || m_pIndex->IsEmpty() || page->Data()[0] != BTNode::kindLeaf)
        return;
    // Only pages this tree changed get written; still, never throw from the
    // write path for a page that does not check.
    try
    {
        BTNode leaf(page->Data());
        leaf.CheckHeader(BTNode::kindLeaf);
        m_pIndex->SetCount(page->GetOffset(), CountDistinct(leaf));
    }
    catch (CException* e)
    {
        e->Delete();
    }
}

void BTree::BuildPositionIndex()
{
    // Built apart and installed whole: reading leaves may evict a dirty leaf
    // of this tree, whose recount would meet a half-built index.
    std::vector<BTPositionIndex::Entry> entries;
    m_pIndex->RemoveAll();
    AddLeavesToPositionIndex(entries);
    m_pIndex->Install(entries);
}

void BTree::AddLeavesToPositionIndex(std::vector<BTPositionIndex::Entry>& entries)
{
    BYTE lastKey[BTNode::maxInnerEntrySize];
    BOOL bHaveLast = FALSE;
    for (DWORD cur = m_root.firstLeaf; m_root.root != 0 && cur != 0;)
    {
        BTPageRef page = GetNode(cur, BTNode::kindLeaf);
        BTNode leaf(page.Data());
        int n = leaf.Count();
        if (n == 0)
            BTThrowDamagedNode();
        int len;
        // Keys rise along the chain; a chain that loops back breaks that.
        if (bHaveLast && CompareKeys(lastKey, CheckedEntry(leaf, 0, &len)) >= 0)
            BTThrowDamagedNode();
        AfxTranslateBadAlloc([&] { entries.push_back(BTPositionIndex::Entry{cur, CountDistinct(leaf)}); });
        const BYTE* e = CheckedEntry(leaf, n - 1, &len);
        std::memcpy(lastKey, e, len);
        bHaveLast = TRUE;
        cur = leaf.Next();
    }
}

BOOL BTree::Locate(DWORD n, DWORD* pLeaf, int* pSlot)
{
    if (!m_pIndex || m_root.root == 0)
        return FALSE;
    if (m_pIndex->IsEmpty())
        BuildPositionIndex();
    int size = m_pIndex->GetSize();
    for (int i = 0; i < size; ++i)
    {
        const BTPositionIndex::Entry& entry = m_pIndex->GetAt(i);
        if (n >= entry.count)
        {
            n -= entry.count;
            continue;
        }
        BTPageRef page = GetNode(entry.leaf, BTNode::kindLeaf);
        BTNode leaf(page.Data());
        int count = leaf.Count();
        for (int slot = 0; slot < count; ++slot)
        {
            int len;
            if (GetDuplicateNumber(CheckedEntry(leaf, slot, &len)) != 0)
                continue;
            if (n == 0)
            {
                *pLeaf = entry.leaf;
                *pSlot = slot;
                return TRUE;
            }
            --n;
        }
        return FALSE;
    }
    return FALSE;
}

BOOL BTree::GetOrdinal(DWORD leafOffset, int slot, DWORD* pN)
{
    if (!m_pIndex || m_root.root == 0)
        return FALSE;
    if (m_pIndex->IsEmpty())
        BuildPositionIndex();
    int at = m_pIndex->Find(leafOffset);
    if (at < 0)
        return FALSE;
    DWORD n = 0;
    for (int i = 0; i < at; ++i)
        n += m_pIndex->GetAt(i).count;
    BTPageRef page = GetNode(leafOffset, BTNode::kindLeaf);
    BTNode leaf(page.Data());
    int end = slot < leaf.Count() ? slot : leaf.Count();
    for (int i = 0; i < end; ++i)
    {
        int len;
        if (GetDuplicateNumber(CheckedEntry(leaf, i, &len)) == 0)
            ++n;
    }
    *pN = n;
    return TRUE;
}
