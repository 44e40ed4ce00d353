#include "database/btree/BTreeCursor.h"

#include "database/btree/BTNode.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTree.h"
#include "database/btree/StringKeyTree.h"

#include "classlib/Exceptions.h"

#include <cstring>

BTPageRef BTreeCursor::ReadLeaf()
{
    BTPageRef page;
    if (m_leaf == 0)
        return page;
    page = m_pTree->GetPage(m_leaf);
    if (page.Data()[0] != BTNode::kindLeaf)
    {
        // The leaf was freed or reused since the cursor was placed.
        page.Release();
        SetAfterLast();
        return page;
    }
    m_pTree->CheckNodePage(page, BTNode::kindLeaf);
    return page;
}

BTPageRef BTreeCursor::StepLeaf(const BTNode& from, BOOL bForward)
{
    BTPageRef page;
    DWORD offset = bForward ? from.Next() : from.Prev();
    if (offset == 0)
        return page;
    page = m_pTree->GetNode(offset, BTNode::kindLeaf);
    BTNode to(page.Data());
    int n = to.Count();
    int fromCount = from.Count();
    if (n == 0)
        BTThrowDamagedNode();
    if (fromCount > 0)
    {
        int len;
        const BYTE* a = m_pTree->CheckedEntry(from, bForward ? fromCount - 1 : 0, &len);
        const BYTE* b = m_pTree->CheckedEntry(to, bForward ? 0 : n - 1, &len);
        int c = m_pTree->CompareKeys(a, b);
        if (bForward ? c >= 0 : c <= 0)
            BTThrowDamagedNode();
    }
    m_leaf = offset;
    return page;
}

BOOL BTreeCursor::MoveFirst()
{
    const BTRootDescriptor& root = m_pTree->GetRootDescriptor();
    if (root.root == 0)
    {
        SetPosition(0, 0, stateBeforeFirst);
        return FALSE;
    }
    BTPageRef page = m_pTree->GetNode(root.firstLeaf, BTNode::kindLeaf);
    if (BTNode(page.Data()).Count() == 0)
        BTThrowDamagedNode();
    SetPosition(root.firstLeaf, 0, stateOnEntry);
    return TRUE;
}

BOOL BTreeCursor::MoveLast()
{
    const BTRootDescriptor& root = m_pTree->GetRootDescriptor();
    if (root.root == 0)
    {
        SetAfterLast();
        return FALSE;
    }
    BTPageRef page = m_pTree->GetNode(root.lastLeaf, BTNode::kindLeaf);
    int n = BTNode(page.Data()).Count();
    if (n == 0)
        BTThrowDamagedNode();
    page.Release();
    SetPosition(root.lastLeaf, n - 1, stateOnEntry);
    for (;;)
    {
        BTPageRef hold;
        const BYTE* e = GetEntry(hold);
        if (!e || m_pTree->GetDuplicateNumber(e) == 0)
            break;
        hold.Release();
        if (!Prev())
            break;
    }
    return TRUE;
}

BOOL BTreeCursor::Next()
{
    if (m_state == stateBeforeFirst && m_leaf == 0)
        return MoveFirst();
    if (m_leaf == 0)
        return FALSE;
    BTPageRef page = ReadLeaf();
    if (!page)
        return FALSE;
    BTNode leaf(page.Data());
    int slot = m_state == stateOnEntry ? m_slot + 1 : m_state == stateBeforeFirst ? 0 : m_slot;
    if (slot < 0)
        slot = 0;
    if (slot < leaf.Count())
    {
        SetPosition(m_leaf, slot, stateOnEntry);
        return TRUE;
    }
    BTPageRef next = StepLeaf(leaf, TRUE);
    if (!next)
    {
        SetAfterLast();
        return FALSE;
    }
    SetPosition(m_leaf, 0, stateOnEntry);
    return TRUE;
}

BOOL BTreeCursor::Prev()
{
    if (m_leaf == 0 || m_state == stateBeforeFirst)
        return FALSE;
    BTPageRef page = ReadLeaf();
    if (!page)
        return FALSE;
    BTNode leaf(page.Data());
    int n = leaf.Count();
    int slot = (m_slot < n ? m_slot : n) - 1;
    if (slot >= 0)
    {
        SetPosition(m_leaf, slot, stateOnEntry);
        return TRUE;
    }
    DWORD here = m_leaf;
    BTPageRef prev = StepLeaf(leaf, FALSE);
    if (!prev)
    {
        SetPosition(here, 0, stateBeforeFirst);
        return FALSE;
    }
    SetPosition(m_leaf, BTNode(prev.Data()).Count() - 1, stateOnEntry);
    return TRUE;
}

BOOL BTreeCursor::NextKey()
{
    if (m_state != stateOnEntry)
        return Next();
    BYTE key[BTNode::maxInnerEntrySize];
    if (CopyKey(key) == 0)
        return Next();
    for (;;)
    {
        if (!Next())
            return FALSE;
        BTPageRef hold;
        const BYTE* e = GetEntry(hold);
        if (e && m_pTree->CompareKeyText(key, e) != 0)
            return TRUE;
    }
}

BOOL BTreeCursor::PrevKey()
{
    for (;;)
    {
        if (!Prev())
            return FALSE;
        BTPageRef hold;
        const BYTE* e = GetEntry(hold);
        if (e && m_pTree->GetDuplicateNumber(e) == 0)
            return TRUE;
    }
}

BOOL BTreeCursor::MoveToOrdinal(DWORD n)
{
    if (m_pTree->GetPositionIndex())
    {
        DWORD leaf;
        int slot;
        if (!m_pTree->Locate(n, &leaf, &slot))
            return FALSE;
        SetPosition(leaf, slot, stateOnEntry);
        return TRUE;
    }
    if (!MoveFirst())
        return FALSE;
    DWORD seen = 0;
    do
    {
        BTPageRef hold;
        const BYTE* e = GetEntry(hold);
        if (e && m_pTree->GetDuplicateNumber(e) == 0)
        {
            if (seen == n)
                return TRUE;
            ++seen;
        }
    } while (Next());
    return FALSE;
}

const BYTE* BTreeCursor::GetEntry(BTPageRef& hold, int* length)
{
    if (m_state != stateOnEntry || m_leaf == 0 || !m_pTree)
        return nullptr;
    hold = ReadLeaf();
    if (!hold)
        return nullptr;
    BTNode leaf(hold.Data());
    if (m_slot < 0 || m_slot >= leaf.Count())
        return nullptr;
    int len;
    const BYTE* e = m_pTree->CheckedEntry(leaf, m_slot, &len);
    if (length)
        *length = len;
    return e;
}

int BTreeCursor::CopyKey(BYTE* buffer)
{
    BTPageRef hold;
    int len;
    const BYTE* e = GetEntry(hold, &len);
    if (!e)
        return 0;
    int size = m_pTree->GetKeySize(e);
    if (size <= 0 || size > len)
        BTThrowDamagedNode();
    std::memcpy(buffer, e, size);
    return size;
}

DWORD BTreeCursor::ReadU32()
{
    BTPageRef hold;
    int len;
    const BYTE* e = GetEntry(hold, &len);
    if (!e || len < 4)
        return 0;
    return BTNode::GetU32At(e);
}

BOOL BTreeCursor::ReadBlob(CObject& object, DWORD recordNumber)
{
    BTRecordTree::ObjectKey key(recordNumber);
    return BTChunkedObject(*m_pTree, key).Read(object, this);
}

BOOL BTreeCursor::SeekText(const char* text)
{
    if (!m_pTree)
        return FALSE;
    StringKeyTree::SetSearchKey(text, 0);
    return m_pTree->Find(*this);
}

CString BTreeCursor::GetKeyText()
{
    BTPageRef hold;
    int length;
    const BYTE* e = m_pTree ? GetEntry(hold, &length) : nullptr;
    if (!e || !std::memchr(e, 0, (size_t)length))
        return CString();
    return CString((const char*)e);
}

BOOL BTreeCursor::ReadObject(CObject& object)
{
    {
        BTPageRef hold;
        if (!m_pTree || !GetEntry(hold))
            return FALSE;
    }
    const CString text = GetKeyText();
    StringKeyTree::ObjectKey key(text);
    return BTChunkedObject(*m_pTree, key).Read(object);
}

int BTreeCursor::GetTextPosition(const char* text)
{
    StringKeyTree* tree = dynamic_cast<StringKeyTree*>(m_pTree);
    if (!tree)
        AfxThrowNotSupportedException();
    if (tree->GetObjectCount() == 0)
        return -1;
    char key[BTNode::maxEntrySize - 5];
    tree->MakeTypedTextKey(key, sizeof key, text);
    StringKeyTree::SetSearchKey(key, 0);
    tree->Find(*this);
    if (tree->GetRootDescriptor().root == 0)
        return 0;
    DWORD n = 0;
    if (tree->GetPositionIndex() && tree->GetOrdinal(m_leaf, m_slot, &n))
        return (int)n;
    // Leaves are never empty, so a sound chain has no more leaves than entries.
    DWORD leaves = 0;
    for (DWORD offset = tree->GetRootDescriptor().firstLeaf;; ++leaves)
    {
        if (offset == 0 || leaves > tree->GetEntryCount())
            BTThrowDamagedNode(); // the cursor's leaf is not on the chain
        BTPageRef page = tree->GetNode(offset, BTNode::kindLeaf);
        BTNode leaf(page.Data());
        if (offset != m_leaf)
        {
            n += tree->CountDistinct(leaf);
            offset = leaf.Next();
            continue;
        }
        for (int i = 0; i < m_slot && i < leaf.Count(); ++i)
        {
            int len;
            if (tree->GetDuplicateNumber(tree->CheckedEntry(leaf, i, &len)) == 0)
                ++n;
        }
        return (int)n;
    }
}
