#include "database/btree/BTBulkBuilder.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTChunkedObject.h"
#include "database/btree/BTNode.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTree.h"
#include "database/btree/StreamFile.h"
#include "database/file/BTPagedFile.h"

#include <cstring>

namespace {

const int kChildSize = 4;

// What the items [begin, end) of a node take: every leaf entry with its slot;
// for an inner node every child but the last, which is the upper child.
int NodeBytes(const std::vector<int>& lengths, size_t begin, size_t end, bool leaf)
{
    int used = 0;
    for (size_t i = begin; i < end; ++i)
        used += lengths[i] + 2;
    if (!leaf && end > begin)
        used -= lengths[end - 1] + 2;
    return used;
}

} // namespace

BTBulkBuilder::BTBulkBuilder(BTree& tree)
    : m_tree(tree), m_entries(0), m_objects(0), m_pages(0), m_firstLeaf(0), m_lastLeaf(0), m_root(0),
      m_finished(false)
{
    if (tree.GetRootDescriptor().root != 0 || tree.GetEntryCount() != 0)
        AfxThrowNotSupportedException();
    // Levels never move: a node written passes its bound up while the
    // level below is in use.
    AfxTranslateBadAlloc([&] { m_levels.reserve(BTNode::maxLevels + 1); });
}

BTBulkBuilder::~BTBulkBuilder() {}

int BTBulkBuilder::Capacity(int depth) const
{
    return depth == 0 ? BTNode::leafCapacity : BTNode::innerCapacity;
}

void BTBulkBuilder::Append(const BYTE* entry, int length)
{
    if (m_finished || length <= 0 || length > BTNode::maxEntrySize)
        AfxThrowNotSupportedException();
    if (!m_lastKey.empty() && m_tree.CompareKeys(m_lastKey.data(), entry) >= 0)
        AfxThrowNotSupportedException();
    const int keyLength = m_tree.GetKeySize(entry);
    if (keyLength <= 0 || keyLength > length)
        AfxThrowNotSupportedException();
    AfxTranslateBadAlloc([&] { m_lastKey.assign(entry, entry + keyLength); });
    Add(0, entry, length);
    ++m_entries;
}

void BTBulkBuilder::AppendObject(CObject& object, const BTObjectKey& key)
{
    CStreamFile stream;
    BTChunkedObject::Archive(object, stream, FALSE);
    const DWORD total = stream.GetLength();
    if (total > (DWORD)BTChunkedObject::maxChunks * BTChunkedObject::chunkSize)
        AfxThrowNotSupportedException();
    const int chunks = BTChunkCount(total);
    for (int chunk = 0; chunk < chunks; ++chunk) {
        BYTE data[BTChunkedObject::chunkSize];
        const UINT n = stream.Read(data, BTChunkedObject::chunkSize);
        key.SetSearchEntry((WORD)chunk, data, (int)n);
        Append(BTGetSearchKey(), BTGetSearchKeyLength());
    }
    ++m_objects;
}

void BTBulkBuilder::Add(int depth, const BYTE* item, int length)
{
    AfxTranslateBadAlloc([&] {
        if ((size_t)depth >= m_levels.size())
            m_levels.resize((size_t)depth + 1);
    });
    if (depth >= BTNode::maxLevels)
        AfxThrowNotSupportedException();
    Level& level = m_levels[(size_t)depth];
    const bool leaf = depth == 0;
    Pending& current = level.current;
    if (!current.lengths.empty()) {
        // A leaf takes the entry itself; an inner node turns its last child
        // into an entry to take another.
        const int more = leaf ? length + 2 : current.lengths.back() + 2;
        if (current.used + more > Capacity(depth)) {
            if (level.hasPrevious)
                WriteNode(depth, level.previous);
            std::swap(level.previous, level.current);
            level.hasPrevious = true;
            level.current.bytes.clear();
            level.current.lengths.clear();
            level.current.used = 0;
        }
    }
    Pending& into = level.current;
    AfxTranslateBadAlloc([&] {
        into.bytes.insert(into.bytes.end(), item, item + length);
        into.lengths.push_back(length);
    });
    into.used = NodeBytes(into.lengths, 0, into.lengths.size(), leaf);
}

void BTBulkBuilder::WriteNode(int depth, const Pending& node)
{
    const bool leaf = depth == 0;
    const size_t count = node.lengths.size();
    const size_t entries = leaf ? count : count - 1;
    std::vector<const BYTE*> starts;
    AfxTranslateBadAlloc([&] { starts.resize(count); });
    size_t at = 0;
    for (size_t i = 0; i < count; ++i) {
        starts[i] = node.bytes.data() + at;
        at += (size_t)node.lengths[i];
    }
    BTPageRef page;
    m_tree.GetFile()->AllocPage(page, &m_tree);
    BTNode out(page.Data());
    out.Init(leaf ? BTNode::kindLeaf : BTNode::kindInner);
    out.SetEntries(starts.data(), node.lengths.data(), (int)entries);
    const BYTE* last = starts[count - 1];
    const int lastLength = node.lengths[count - 1];
    if (!leaf)
        out.SetUpper(BTNode::GetU32At(last + lastLength - kChildSize));
    const DWORD offset = page->GetOffset();
    Level& level = m_levels[(size_t)depth];
    if (level.written) {
        BTNode before(level.written.Data());
        before.SetNext(offset);
        out.SetPrev(level.written->GetOffset());
    }
    page->MarkDirty();
    level.written = page;
    ++level.writtenCount;
    ++m_pages;
    if (leaf) {
        if (m_firstLeaf == 0)
            m_firstLeaf = offset;
        m_lastLeaf = offset;
    }
    // The node's bound: its last key (for an inner node, its upper child's).
    const int keyLength = leaf ? m_tree.GetKeySize(last) : lastLength - kChildSize;
    PassUp(depth, last, keyLength, offset);
}

void BTBulkBuilder::PassUp(int depth, const BYTE* key, int keyLength, DWORD child)
{
    Level& level = m_levels[(size_t)depth];
    BYTE item[BTNode::maxInnerEntrySize];
    if (keyLength <= 0 || keyLength + kChildSize > (int)sizeof item)
        AfxThrowNotSupportedException();
    if (level.writtenCount == 1) {
        // A lone node is the root: its parent comes with a second node.
        AfxTranslateBadAlloc([&] { level.firstBound.assign(key, key + keyLength); });
        level.firstOffset = child;
        return;
    }
    if (level.writtenCount == 2) {
        const int firstLength = (int)level.firstBound.size();
        std::memcpy(item, level.firstBound.data(), (size_t)firstLength);
        BTNode::PutU32At(item + firstLength, level.firstOffset);
        Add(depth + 1, item, firstLength + kChildSize);
    }
    std::memcpy(item, key, (size_t)keyLength);
    BTNode::PutU32At(item + keyLength, child);
    Add(depth + 1, item, keyLength + kChildSize);
}

void BTBulkBuilder::FinishLevel(int depth)
{
    Level& level = m_levels[(size_t)depth];
    const bool leaf = depth == 0;
    const int capacity = Capacity(depth);
    if (level.hasPrevious && level.current.used < capacity / 2) {
        // The last node shares with the one before it: both at least half
        // full where they can be, never over their capacity.
        Pending all;
        AfxTranslateBadAlloc([&] {
            all.bytes = level.previous.bytes;
            all.bytes.insert(all.bytes.end(), level.current.bytes.begin(), level.current.bytes.end());
            all.lengths = level.previous.lengths;
            all.lengths.insert(all.lengths.end(), level.current.lengths.begin(), level.current.lengths.end());
        });
        const size_t n = all.lengths.size();
        const size_t least = leaf ? 1 : 2;
        size_t best = level.previous.lengths.size();
        int bestGap = -1;
        for (size_t split = least; split + least <= n; ++split) {
            const int first = NodeBytes(all.lengths, 0, split, leaf);
            const int second = NodeBytes(all.lengths, split, n, leaf);
            if (first > capacity || second > capacity)
                continue;
            const int gap = first > second ? first - second : second - first;
            if (bestGap < 0 || gap < bestGap) {
                bestGap = gap;
                best = split;
            }
        }
        size_t at = 0;
        for (size_t i = 0; i < best; ++i)
            at += (size_t)all.lengths[i];
        Pending first, second;
        AfxTranslateBadAlloc([&] {
            first.bytes.assign(all.bytes.begin(), all.bytes.begin() + (ptrdiff_t)at);
            first.lengths.assign(all.lengths.begin(), all.lengths.begin() + (ptrdiff_t)best);
            second.bytes.assign(all.bytes.begin() + (ptrdiff_t)at, all.bytes.end());
            second.lengths.assign(all.lengths.begin() + (ptrdiff_t)best, all.lengths.end());
        });
        level.previous = std::move(first);
        level.current = std::move(second);
    }
    if (level.hasPrevious)
        WriteNode(depth, level.previous);
    level.hasPrevious = false;
    if (!level.current.lengths.empty())
        WriteNode(depth, level.current);
    level.current.lengths.clear();
    level.current.bytes.clear();
}

void BTBulkBuilder::Finish()
{
    if (m_finished)
        return;
    WORD levels = 0;
    for (size_t depth = 0; depth < m_levels.size(); ++depth) {
        FinishLevel((int)depth);
        Level& level = m_levels[depth];
        if (level.writtenCount == 1) {
            m_root = level.written->GetOffset();
            levels = (WORD)(depth + 1);
            break;
        }
    }
    if (levels > BTNode::maxLevels)
        AfxThrowNotSupportedException();
    for (Level& level : m_levels)
        level.written.Release();
    m_finished = true;
    BTRootDescriptor root = m_tree.GetRootDescriptor();
    root.root = m_root;
    root.firstLeaf = m_firstLeaf;
    root.lastLeaf = m_lastLeaf;
    root.entryCount = m_entries;
    root.objectCount = m_objects;
    root.levels = levels;
    m_tree.SetRootDescriptor(root);
    if (BTPositionIndex* index = m_tree.GetPositionIndex())
        index->RemoveAll(); // built again when next used
}
