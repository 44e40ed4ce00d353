// Seeds: each reader's stored form as the class library writes it, byte 0
// naming the reader.
#include "FuzzSeeds.h"

#include "classlib/Array.h"
#include "classlib/List.h"
#include "classlib/Map.h"

#include <string>

namespace
{
void AddForm(FuzzSeeds& seeds, int reader, const std::string& name, const std::function<void(CArchive&)>& store)
{
    seeds.AddStored(name, [&](CArchive& ar) {
        ar << static_cast<BYTE>(reader);
        store(ar);
    });
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    const CString lengths[] = {CString(), CString('a', 1), CString('b', 254), CString('c', 255),
                               CString('d', 65534), CString('e', 70000)};
    AddForm(seeds, 0, "strings", [&](CArchive& ar) {
        for (const CString& s : lengths)
            ar << s;
    });
    AddForm(seeds, 1, "counts", [](CArchive& ar) {
        for (DWORD n : {0u, 1u, 65534u, 65535u, 70000u})
            ar.WriteCount(n);
    });
    CStringArray strings;
    strings.Add("one");
    strings.Add(CString('x', 300));
    AddForm(seeds, 2, "string-array", [&](CArchive& ar) { strings.Serialize(ar); });
    CByteArray bytes;
    for (int i = 0; i < 40; ++i)
        bytes.Add(static_cast<BYTE>(i));
    AddForm(seeds, 3, "byte-array", [&](CArchive& ar) { bytes.Serialize(ar); });
    CWordArray words;
    words.Add(1);
    words.Add(0xFFFF);
    AddForm(seeds, 4, "word-array", [&](CArchive& ar) { words.Serialize(ar); });
    CDWordArray dwords;
    dwords.Add(7);
    dwords.Add(0xFFFFFFFF);
    AddForm(seeds, 5, "dword-array", [&](CArchive& ar) { dwords.Serialize(ar); });
    CUIntArray uints;
    uints.Add(3);
    AddForm(seeds, 6, "uint-array", [&](CArchive& ar) { uints.Serialize(ar); });
    CStringList list;
    list.AddTail("first");
    list.AddTail("second");
    AddForm(seeds, 7, "string-list", [&](CArchive& ar) { list.Serialize(ar); });
    CList<DWORD, DWORD> numbers;
    numbers.AddTail(1);
    numbers.AddTail(2);
    AddForm(seeds, 8, "dword-list", [&](CArchive& ar) { numbers.Serialize(ar); });
    CMapStringToString map;
    map.SetAt("key", "value");
    map.SetAt("other", "");
    AddForm(seeds, 9, "string-map", [&](CArchive& ar) { map.Serialize(ar); });
    CMap<WORD, WORD, CString, LPCTSTR> wordMap;
    wordMap.SetAt(4, "four");
    AddForm(seeds, 10, "word-map", [&](CArchive& ar) { wordMap.Serialize(ar); });
    AddForm(seeds, 11, "object-array", [](CArchive& ar) { ar.WriteCount(1); });
    AddForm(seeds, 12, "object-map", [](CArchive& ar) { ar.WriteCount(1); });
}
