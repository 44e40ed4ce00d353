#include "classlib/Collections.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_SERIAL(CUIntArray, CObject, 0)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)

UINT HashKey(LPCTSTR key)
{
    UINT nHash = 0;
    if (key != nullptr) {
        while (*key != '\0')
            nHash = (nHash << 5) + nHash + (BYTE)*key++;
    }
    return nHash;
}

UINT HashKey(const CString& key)
{
    // Same value as for the NUL-terminated form when the key holds no NUL,
    // so CString and LPCTSTR keys of one map agree.
    UINT nHash = 0;
    const int n = key.GetLength();
    LPCTSTR p = key;
    for (int i = 0; i < n; ++i)
        nHash = (nHash << 5) + nHash + (BYTE)p[i];
    return nHash;
}
