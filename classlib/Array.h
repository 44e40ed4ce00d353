// Arrays: the CArray template, the named arrays built on it and CTypedPtrArray.
//
// Contract (the class library's documented behaviour):
// - indexes run from 0 to GetUpperBound() == GetSize() - 1; GetAt/SetAt/
//   operator[] require a valid index (checked by ASSERT);
// - SetSize(n, nGrowBy) keeps the first elements, value-initialises new ones
//   (numbers and pointers become 0) and remembers nGrowBy (-1 keeps the old
//   value; 0 picks a growth step from the current size); a growth step is
//   at least the grow-by value and at least an eighth of the size;
// - SetAtGrow and InsertAt past the end grow the array, filling the gap;
// - InsertAt shifts the following elements up, RemoveAt down (a count running
//   past the end is cut);
// - Append adds a copy of another array and returns the first new index;
//   Copy makes the array an exact copy of another.
// Arrays are not copyable themselves (use Copy).  Elements move when the
// array grows, so references into it do not survive a size change.
//
// Archive form of Serialize: the element count in the count form (u16, or
// 0xFFFF then u32), then each element (see CollectionElements.h): bytes raw,
// WORD as u16, DWORD and UINT as u32, strings in the archive string form.
// Loading replaces the contents.  Object and pointer arrays are not stored:
// their Serialize throws CNotSupportedException.
#pragma once

#include "classlib/CollectionElements.h"

template <class TYPE, class ARG_TYPE = const TYPE&> class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_pData[CheckIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_pData[CheckIndex(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_pData[CheckIndex(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

    void Serialize(CArchive& ar) override;

protected:
    INT_PTR CheckIndex(INT_PTR nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < m_nSize);
        return nIndex;
    }
    void Reallocate(INT_PTR nNewMax);

    TYPE* m_pData = nullptr; // m_nMaxSize slots, the first m_nSize constructed
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;
};

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Reallocate(INT_PTR nNewMax)
{
    TYPE* pNew = AfxAllocElements<TYPE>(nNewMax);
    for (INT_PTR i = 0; i < m_nSize; ++i) {
        new (&pNew[i]) TYPE(std::move(m_pData[i]));
        m_pData[i].~TYPE();
    }
    AfxFreeElements(m_pData);
    m_pData = pNew;
    m_nMaxSize = nNewMax;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy)
{
    ASSERT(nNewSize >= 0);
    if (nNewSize < 0)
        AfxThrowNotSupportedException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;

    if (nNewSize == 0) {
        for (INT_PTR i = 0; i < m_nSize; ++i)
            m_pData[i].~TYPE();
        AfxFreeElements(m_pData);
        m_pData = nullptr;
        m_nSize = m_nMaxSize = 0;
        return;
    }
    if (nNewSize > m_nMaxSize) {
        // The grow-by value is a minimum; growing by an eighth as well keeps
        // long runs of Add linear.
        INT_PTR nStep = m_nSize / 8;
        if (nStep < m_nGrowBy)
            nStep = m_nGrowBy;
        if (m_nGrowBy == 0 && nStep < 4)
            nStep = 4;
        INT_PTR nNewMax = m_pData == nullptr ? nStep : m_nMaxSize + nStep;
        Reallocate(nNewMax < nNewSize ? nNewSize : nNewMax);
    }
    for (INT_PTR i = m_nSize; i < nNewSize; ++i)
        new (&m_pData[i]) TYPE();
    for (INT_PTR i = nNewSize; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::FreeExtra()
{
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0)
        RemoveAll();
    else
        Reallocate(m_nSize);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
{
    ASSERT(nIndex >= 0);
    TYPE value(newElement); // the argument may live in this array
    if (nIndex >= m_nSize)
        SetSize(nIndex + 1, -1);
    m_pData[CheckIndex(nIndex)] = std::move(value);
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement)
{
    const INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE> INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src)
{
    const INT_PTR nOldSize = m_nSize;
    const INT_PTR nAdd = src.m_nSize; // src may be this array
    SetSize(m_nSize + nAdd, -1);
    for (INT_PTR i = 0; i < nAdd; ++i)
        m_pData[nOldSize + i] = (&src == this) ? m_pData[i] : src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src)
{
    if (&src == this)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount > 0);
    if (nIndex < 0 || nCount <= 0)
        return;
    TYPE value(newElement); // the argument may live in this array
    const INT_PTR nOldSize = m_nSize;
    if (nIndex >= nOldSize) {
        SetSize(nIndex + nCount, -1); // past the end: grow, fill the gap with defaults
    } else {
        SetSize(nOldSize + nCount, -1);
        for (INT_PTR i = nOldSize - 1; i >= nIndex; --i)
            m_pData[i + nCount] = std::move(m_pData[i]);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = value;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
{
    ASSERT(pNewArray != nullptr && nStartIndex >= 0);
    if (pNewArray == nullptr || pNewArray->m_nSize == 0 || nStartIndex < 0)
        return;
    if (pNewArray == this) {
        CArray copy;
        copy.Copy(*this);
        InsertAt(nStartIndex, &copy);
        return;
    }
    InsertAt(nStartIndex, pNewArray->m_pData[0], pNewArray->m_nSize);
    for (INT_PTR i = 1; i < pNewArray->m_nSize; ++i)
        m_pData[nStartIndex + i] = pNewArray->m_pData[i];
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount)
{
    ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    for (INT_PTR i = nIndex + nCount; i < m_nSize; ++i)
        m_pData[i - nCount] = std::move(m_pData[i]);
    for (INT_PTR i = m_nSize - nCount; i < m_nSize; ++i)
        m_pData[i].~TYPE();
    m_nSize -= nCount;
}

template <class TYPE, class ARG_TYPE> void CArray<TYPE, ARG_TYPE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)m_nSize);
        SerializeElements(ar, m_pData, m_nSize);
        return;
    }
    // A damaged count must not reserve memory for elements the archive does
    // not hold: grow in steps, each step read before the next is made.
    const INT_PTR nCount = (INT_PTR)ar.ReadCount();
    RemoveAll();
    INT_PTR nDone = 0;
    while (nDone < nCount) {
        INT_PTR nStep = nDone < 4096 ? 4096 : nDone;
        if (nStep > nCount - nDone)
            nStep = nCount - nDone;
        SetSize(nDone + nStep, -1);
        SerializeElements(ar, m_pData + nDone, nStep);
        nDone += nStep;
    }
}

// ---- named arrays -------------------------------------------------------------

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_SERIAL(CUIntArray)
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
};

// ---- typed pointer arrays ---------------------------------------------------------

// An object or pointer array whose elements are of pointer type TYPE.
template <class BASE_CLASS, class TYPE> class CTypedPtrArray : public BASE_CLASS
{
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
    TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
    TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1)
    {
        BASE_CLASS::InsertAt(nIndex, newElement, nCount);
    }
    void InsertAt(INT_PTR nStartIndex, const CTypedPtrArray* pNewArray)
    {
        BASE_CLASS::InsertAt(nStartIndex, pNewArray);
    }
};
