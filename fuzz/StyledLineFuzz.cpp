// Laid-out lines and fragments as a spool file holds them. Byte 0: even reads
// a line list, odd a fragment list. What loads must store and load again to
// the same bytes.
#include "FuzzSupport.h"

#include "bibliography/output/StyledLineList.h"

#include <vector>

namespace {
template <class List> std::vector<BYTE> Stored(List& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        list.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.Seek(0, CFile::begin);
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

template <class List> void LoadAndCheck(const uint8_t* data, size_t size)
{
    List list;
    if (!FuzzLoad(data, size, [&](CArchive& ar) { list.Serialize(ar); }))
        return;
    const std::vector<BYTE> first = Stored(list);
    List again;
    if (!FuzzLoad(first.data(), first.size(), [&](CArchive& ar) { again.Serialize(ar); }))
        FuzzFinding("a stored list does not load");
    if (Stored(again) != first)
        FuzzFinding("a stored list loads differently");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
        LoadAndCheck<StyledLineList>(data + 1, size - 1);
    else
        LoadAndCheck<StyledFragmentList>(data + 1, size - 1);
    return 0;
}
