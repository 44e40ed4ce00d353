// The archive's string and count forms and the collections' stored forms.
// Byte 0 picks the reader; the rest is the archive.
#include "FuzzSupport.h"

#include "classlib/Array.h"
#include "classlib/List.h"
#include "classlib/Map.h"

namespace
{
template <class C> void LoadCollection(CArchive& ar)
{
    C collection;
    collection.Serialize(ar);
}

const int kReaders = 13;

void Read(int reader, CArchive& ar)
{
    switch (reader)
    {
    case 0:
        for (int i = 0; i < 8; ++i)
        {
            CString s;
            ar >> s;
        }
        break;
    case 1:
        for (int i = 0; i < 8; ++i)
            ar.ReadCount();
        break;
    case 2: LoadCollection<CStringArray>(ar); break;
    case 3: LoadCollection<CByteArray>(ar); break;
    case 4: LoadCollection<CWordArray>(ar); break;
    case 5: LoadCollection<CDWordArray>(ar); break;
    case 6: LoadCollection<CUIntArray>(ar); break;
    case 7: LoadCollection<CStringList>(ar); break;
    case 8: LoadCollection<CList<DWORD, DWORD>>(ar); break;
    case 9: LoadCollection<CMapStringToString>(ar); break;
    case 10: LoadCollection<CMap<WORD, WORD, CString, LPCTSTR>>(ar); break;
    case 11: LoadCollection<CObArray>(ar); break; // not stored: not supported
    default: LoadCollection<CMapStringToOb>(ar); break;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int reader = data[0] % kReaders;
    FuzzLoad(data + 1, size - 1, [&](CArchive& ar) { Read(reader, ar); });
    return 0;
}
