// Element helpers shared by the collection templates: raw storage, element
// serialisation and key hashing.
//
// SerializeElements stores fixed-width numbers and CStrings with the archive's
// operators (CString in the archive string form), CObject-derived elements by
// their own Serialize; any other element type (pointers above all, which are
// never stored) throws CNotSupportedException.  A program type can take part by
// declaring its own SerializeElements overload.
#pragma once

#include "classlib/Object.h"
#include "classlib/CString.h"
#include "classlib/Exceptions.h"
#include "classlib/Archive.h"

#include <new>
#include <type_traits>
#include <utility>

// Uninitialised room for n elements; throws CMemoryException when there is none.
template <class TYPE> TYPE* AfxAllocElements(INT_PTR n)
{
    if (n < 0 || (size_t)n > ((size_t)-1) / 2 / sizeof(TYPE))
        AfxThrowMemoryException();
    void* p = ::operator new((size_t)n * sizeof(TYPE), std::nothrow);
    if (p == nullptr)
        AfxThrowMemoryException();
    return static_cast<TYPE*>(p);
}

template <class TYPE> void AfxFreeElements(TYPE* p)
{
    ::operator delete(static_cast<void*>(p));
}

template <class TYPE> constexpr bool AfxIsArchivable()
{
    return std::is_same<TYPE, char>::value || std::is_same<TYPE, unsigned char>::value ||
           std::is_same<TYPE, short>::value || std::is_same<TYPE, unsigned short>::value ||
           std::is_same<TYPE, int>::value || std::is_same<TYPE, unsigned int>::value ||
           std::is_same<TYPE, long>::value || std::is_same<TYPE, unsigned long>::value ||
           std::is_same<TYPE, float>::value || std::is_same<TYPE, double>::value ||
           std::is_same<TYPE, CString>::value;
}

template <class TYPE> void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_same<TYPE, BYTE>::value) {
        if (ar.IsStoring())
            ar.Write(pElements, (UINT)nCount);
        else if (ar.Read(pElements, (UINT)nCount) != (UINT)nCount)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    } else if constexpr (AfxIsArchivable<TYPE>()) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (std::is_base_of<CObject, TYPE>::value) {
        for (INT_PTR i = 0; i < nCount; ++i)
            pElements[i].Serialize(ar);
    } else {
        AfxThrowNotSupportedException();
    }
}

// Hash values of map keys.
UINT HashKey(LPCTSTR key);
UINT HashKey(const CString& key);
template <class ARG_KEY> UINT HashKey(ARG_KEY key)
{
    if constexpr (std::is_pointer<ARG_KEY>::value)
        return (UINT)(((UINT_PTR)(const void*)key) >> 4); // heap blocks are aligned
    else
        return (UINT)(DWORD_PTR)key;
}
