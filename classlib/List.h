// Doubly linked lists: the CList template, the named lists built on it and
// CTypedPtrList.
//
// Contract: a POSITION names one node and stays valid until that node is
// removed; GetNext/GetPrev return the element at the position and move the
// position on (to NULL after the last/first); GetHead/GetTail/RemoveHead/
// RemoveTail require a non-empty list (ASSERT).  InsertBefore/InsertAfter with
// a NULL position add at the head/tail.  Find compares with operator== and
// starts after the given position (at the head for NULL).  Lists are not
// copyable themselves (use AddTail(&other)).  The block size of the
// constructor is accepted for compatibility; nodes are allocated one by one.
//
// Archive form of Serialize: the element count in the count form, then each
// element as in the arrays (strings in the archive string form).  Loading adds
// the elements at the tail of what the list already holds.  Object and pointer
// lists are not stored: their Serialize throws CNotSupportedException.
#pragma once

#include "classlib/CollectionElements.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CList : public CObject
{
public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return CheckNonEmpty(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return CheckNonEmpty(m_pNodeHead)->data; }
    TYPE& GetTail() { return CheckNonEmpty(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return CheckNonEmpty(m_pNodeTail)->data; }
    TYPE RemoveHead();
    TYPE RemoveTail();

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(nullptr, newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(nullptr, newElement); }
    void AddHead(const CList* pNewList);
    void AddTail(const CList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const { return ToPos(m_pNodeHead); }
    POSITION GetTailPosition() const { return ToPos(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition);
    const TYPE& GetNext(POSITION& rPosition) const;
    TYPE& GetPrev(POSITION& rPosition);
    const TYPE& GetPrev(POSITION& rPosition) const;
    TYPE& GetAt(POSITION position) { return ToNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return ToNode(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { ToNode(pos)->data = newElement; }
    void RemoveAt(POSITION position);
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement);
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement);

    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const;
    // The position of the element with that 0-based index, or NULL.
    POSITION FindIndex(INT_PTR nIndex) const;

    void Serialize(CArchive& ar) override;

protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };
    static POSITION ToPos(CNode* pNode) { return reinterpret_cast<POSITION>(pNode); }
    static CNode* ToNode(POSITION pos)
    {
        ASSERT(pos != nullptr);
        return reinterpret_cast<CNode*>(pos);
    }
    static CNode* CheckNonEmpty(CNode* pNode)
    {
        ASSERT(pNode != nullptr);
        return pNode;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveHead()
{
    CNode* pNode = CheckNonEmpty(m_pNodeHead);
    TYPE value(std::move(pNode->data));
    RemoveAt(ToPos(pNode));
    return value;
}

template <class TYPE, class ARG_TYPE> TYPE CList<TYPE, ARG_TYPE>::RemoveTail()
{
    CNode* pNode = CheckNonEmpty(m_pNodeTail);
    TYPE value(std::move(pNode->data));
    RemoveAt(ToPos(pNode));
    return value;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddHead(const CList* pNewList)
{
    ASSERT(pNewList != nullptr);
    // Walk backwards so the other list keeps its order; counts first so that
    // adding a list to itself ends.
    POSITION pos = pNewList->GetTailPosition();
    for (INT_PTR n = pNewList->m_nCount; n > 0; --n)
        AddHead(pNewList->GetPrev(pos));
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::AddTail(const CList* pNewList)
{
    ASSERT(pNewList != nullptr);
    POSITION pos = pNewList->GetHeadPosition();
    for (INT_PTR n = pNewList->m_nCount; n > 0; --n)
        AddTail(pNewList->GetNext(pos));
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAll()
{
    CNode* pNode = m_pNodeHead;
    while (pNode != nullptr) {
        CNode* pNext = pNode->pNext;
        delete pNode;
        pNode = pNext;
    }
    m_pNodeHead = m_pNodeTail = nullptr;
    m_nCount = 0;
}

template <class TYPE, class ARG_TYPE> TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition)
{
    CNode* pNode = ToNode(rPosition);
    rPosition = ToPos(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE> const TYPE& CList<TYPE, ARG_TYPE>::GetNext(POSITION& rPosition) const
{
    CNode* pNode = ToNode(rPosition);
    rPosition = ToPos(pNode->pNext);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE> TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition)
{
    CNode* pNode = ToNode(rPosition);
    rPosition = ToPos(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE> const TYPE& CList<TYPE, ARG_TYPE>::GetPrev(POSITION& rPosition) const
{
    CNode* pNode = ToNode(rPosition);
    rPosition = ToPos(pNode->pPrev);
    return pNode->data;
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::RemoveAt(POSITION position)
{
    CNode* pNode = ToNode(position);
    if (pNode->pPrev != nullptr)
        pNode->pPrev->pNext = pNode->pNext;
    else
        m_pNodeHead = pNode->pNext;
    if (pNode->pNext != nullptr)
        pNode->pNext->pPrev = pNode->pPrev;
    else
        m_pNodeTail = pNode->pPrev;
    delete pNode;
    --m_nCount;
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertBefore(POSITION position, ARG_TYPE newElement)
{
    CNode* pNext = position != nullptr ? ToNode(position) : m_pNodeHead;
    CNode* pNode =
        new (std::nothrow) CNode{pNext, pNext != nullptr ? pNext->pPrev : nullptr, TYPE(newElement)};
    if (pNode == nullptr)
        AfxThrowMemoryException();
    if (pNode->pPrev != nullptr)
        pNode->pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    if (pNext != nullptr)
        pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    ++m_nCount;
    return ToPos(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::InsertAfter(POSITION position, ARG_TYPE newElement)
{
    CNode* pPrev = position != nullptr ? ToNode(position) : m_pNodeTail;
    CNode* pNode =
        new (std::nothrow) CNode{pPrev != nullptr ? pPrev->pNext : nullptr, pPrev, TYPE(newElement)};
    if (pNode == nullptr)
        AfxThrowMemoryException();
    if (pNode->pNext != nullptr)
        pNode->pNext->pPrev = pNode;
    else
        m_pNodeTail = pNode;
    if (pPrev != nullptr)
        pPrev->pNext = pNode;
    else
        m_pNodeHead = pNode;
    ++m_nCount;
    return ToPos(pNode);
}

template <class TYPE, class ARG_TYPE>
POSITION CList<TYPE, ARG_TYPE>::Find(ARG_TYPE searchValue, POSITION startAfter) const
{
    CNode* pNode = startAfter != nullptr ? ToNode(startAfter)->pNext : m_pNodeHead;
    for (; pNode != nullptr; pNode = pNode->pNext) {
        if (pNode->data == searchValue)
            return ToPos(pNode);
    }
    return nullptr;
}

template <class TYPE, class ARG_TYPE> POSITION CList<TYPE, ARG_TYPE>::FindIndex(INT_PTR nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount)
        return nullptr;
    CNode* pNode = m_pNodeHead;
    while (nIndex-- > 0)
        pNode = pNode->pNext;
    return ToPos(pNode);
}

template <class TYPE, class ARG_TYPE> void CList<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)m_nCount);
        for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
            SerializeElements(ar, &pNode->data, 1);
        return;
    }
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
        TYPE value{};
        SerializeElements(ar, &value, 1);
        AddTail(value);
    }
}

// ---- named lists -----------------------------------------------------------------------

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

// ---- typed pointer lists ------------------------------------------------------------------

template <class BASE_CLASS, class TYPE> class CTypedPtrList : public BASE_CLASS
{
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    void AddHead(const CTypedPtrList* pNewList) { BASE_CLASS::AddHead(pNewList); }
    void AddTail(const CTypedPtrList* pNewList) { BASE_CLASS::AddTail(pNewList); }
    TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement)
    {
        return BASE_CLASS::InsertBefore(position, newElement);
    }
    POSITION InsertAfter(POSITION position, TYPE newElement)
    {
        return BASE_CLASS::InsertAfter(position, newElement);
    }
};
