// Hash maps: the CMap template, the named maps built on it and CTypedPtrMap.
//
// Contract: one value per key; string keys are case-sensitive and counted.
// Lookup leaves the out value alone when the key is missing; operator[] adds
// a value-initialised entry for a missing key; SetAt adds or replaces;
// RemoveKey returns FALSE for a missing key.  Iteration: pos =
// GetStartPosition() (NULL when empty), then GetNextAssoc(pos, key, value)
// until pos is NULL; the order is that of the hash buckets.  Removing the
// entry just returned during an iteration is allowed; adding is not.  The
// hash table size (17 unless InitHashTable chose another before the first
// entry) is fixed; the block size of the constructor is accepted for
// compatibility.  Maps are not copyable.
//
// Archive form of Serialize: the entry count in the count form, then per
// entry its key and its value (strings in the archive string form, WORD keys
// as u16), in iteration order.  Loading adds to what the map holds.  Maps of
// pointers or objects are not stored: their Serialize throws
// CNotSupportedException.
#pragma once

#include "classlib/CollectionElements.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE> class CMap : public CObject
{
public:
    typedef KEY BASE_KEY;
    typedef ARG_KEY BASE_ARG_KEY;
    typedef VALUE BASE_VALUE;
    typedef ARG_VALUE BASE_ARG_VALUE;

    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
    VALUE& operator[](ARG_KEY key);
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key);
    void RemoveAll();

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

    UINT GetHashTableSize() const { return m_nHashTableSize; }
    // Only while the map is empty.
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE);

    void Serialize(CArchive& ar) override;

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };
    // The entry of the key, with the bucket it belongs in; NULL when missing.
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nBucket, UINT& nHash) const;
    CAssoc* FirstAssocFrom(UINT nBucket) const;

    CAssoc** m_pHashTable = nullptr;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
    ASSERT(m_nCount == 0 && nHashSize > 0);
    if (m_nCount != 0 || nHashSize == 0)
        return;
    delete[] m_pHashTable;
    m_pHashTable = nullptr;
    m_nHashTableSize = nHashSize;
    if (bAllocNow) {
        m_pHashTable = new (std::nothrow) CAssoc*[nHashSize]();
        if (m_pHashTable == nullptr)
            AfxThrowMemoryException();
    }
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
    if (m_pHashTable != nullptr) {
        for (UINT i = 0; i < m_nHashTableSize; ++i) {
            CAssoc* pAssoc = m_pHashTable[i];
            while (pAssoc != nullptr) {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        delete[] m_pHashTable;
        m_pHashTable = nullptr;
    }
    m_nCount = 0;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(ARG_KEY key, UINT& nBucket, UINT& nHash) const
{
    nHash = HashKey(key);
    nBucket = nHash % m_nHashTableSize;
    if (m_pHashTable == nullptr)
        return nullptr;
    for (CAssoc* pAssoc = m_pHashTable[nBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
        if (pAssoc->nHashValue == nHash && pAssoc->key == key)
            return pAssoc;
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
    UINT nBucket, nHash;
    const CAssoc* pAssoc = GetAssocAt(key, nBucket, nHash);
    if (pAssoc == nullptr)
        return FALSE;
    rValue = pAssoc->value;
    return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
    UINT nBucket, nHash;
    CAssoc* pAssoc = GetAssocAt(key, nBucket, nHash);
    if (pAssoc != nullptr)
        return pAssoc->value;
    if (m_pHashTable == nullptr)
        InitHashTable(m_nHashTableSize, TRUE);
    pAssoc = new (std::nothrow) CAssoc{m_pHashTable[nBucket], nHash, KEY(key), VALUE()};
    if (pAssoc == nullptr)
        AfxThrowMemoryException();
    m_pHashTable[nBucket] = pAssoc;
    ++m_nCount;
    return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
    if (m_pHashTable == nullptr)
        return FALSE;
    const UINT nHash = HashKey(key);
    for (CAssoc** ppAssoc = &m_pHashTable[nHash % m_nHashTableSize]; *ppAssoc != nullptr;
         ppAssoc = &(*ppAssoc)->pNext) {
        CAssoc* pAssoc = *ppAssoc;
        if (pAssoc->nHashValue == nHash && pAssoc->key == key) {
            *ppAssoc = pAssoc->pNext;
            delete pAssoc;
            --m_nCount;
            return TRUE;
        }
    }
    return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc*
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FirstAssocFrom(UINT nBucket) const
{
    if (m_pHashTable == nullptr)
        return nullptr;
    for (; nBucket < m_nHashTableSize; ++nBucket) {
        if (m_pHashTable[nBucket] != nullptr)
            return m_pHashTable[nBucket];
    }
    return nullptr;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey,
                                                        VALUE& rValue) const
{
    ASSERT(rNextPosition != nullptr);
    CAssoc* pAssoc =
        rNextPosition == BEFORE_START_POSITION ? FirstAssocFrom(0) : reinterpret_cast<CAssoc*>(rNextPosition);
    ASSERT(pAssoc != nullptr);
    if (pAssoc == nullptr) {
        rNextPosition = nullptr;
        return;
    }
    // Find the successor before handing out the entry, so that the caller may
    // remove it.
    CAssoc* pNext =
        pAssoc->pNext != nullptr ? pAssoc->pNext : FirstAssocFrom(pAssoc->nHashValue % m_nHashTableSize + 1);
    rNextPosition = reinterpret_cast<POSITION>(pNext);
    rKey = pAssoc->key;
    rValue = pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)m_nCount);
        POSITION pos = GetStartPosition();
        while (pos != nullptr) {
            KEY key{};
            VALUE value{};
            GetNextAssoc(pos, key, value);
            SerializeElements(ar, &key, 1);
            SerializeElements(ar, &value, 1);
        }
        return;
    }
    for (DWORD n = ar.ReadCount(); n > 0; --n) {
        KEY key{};
        VALUE value{};
        SerializeElements(ar, &key, 1);
        SerializeElements(ar, &value, 1);
        SetAt(key, value);
    }
}

// ---- named maps ------------------------------------------------------------------------------

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

// ---- typed pointer maps -------------------------------------------------------------------------

template <class BASE_CLASS, class KEY, class VALUE> class CTypedPtrMap : public BASE_CLASS
{
public:
    explicit CTypedPtrMap(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    BOOL Lookup(typename BASE_CLASS::BASE_ARG_KEY key, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_VALUE value{};
        if (!BASE_CLASS::Lookup(key, value))
            return FALSE;
        rValue = (VALUE)value;
        return TRUE;
    }
    VALUE& operator[](typename BASE_CLASS::BASE_ARG_KEY key)
    {
        return reinterpret_cast<VALUE&>(BASE_CLASS::operator[](key));
    }
    void SetAt(KEY key, VALUE newValue) { BASE_CLASS::SetAt(key, newValue); }
    BOOL RemoveKey(KEY key) { return BASE_CLASS::RemoveKey(key); }
    void GetNextAssoc(POSITION& rPosition, KEY& rKey, VALUE& rValue) const
    {
        typename BASE_CLASS::BASE_KEY key{};
        typename BASE_CLASS::BASE_VALUE value{};
        BASE_CLASS::GetNextAssoc(rPosition, key, value);
        rKey = (KEY)key;
        rValue = (VALUE)value;
    }
};

// Deletes the values of a map of pointers that owns them, then empties it.
template <class BASE_CLASS, class KEY, class VALUE>
void DeleteMapValues(CTypedPtrMap<BASE_CLASS, KEY, VALUE>& map)
{
    POSITION pos = map.GetStartPosition();
    while (pos != nullptr) {
        KEY key{};
        VALUE value = nullptr;
        map.GetNextAssoc(pos, key, value);
        delete value;
    }
    map.RemoveAll();
}
