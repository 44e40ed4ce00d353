// The objects a database document keeps as resources and profile values: the
// record list layout, the delimited format, the export options and the
// duplicate settings. Byte 0 picks the reader; the rest is the archive.
//
// A refused form leaves the object as it was (layout, format, options); an
// accepted one stores and reads back equal.
#include "FuzzSupport.h"

#include "database/sort/DuplicateSettings.h"
#include "dbwindows/core/CDelimitedFormat.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "dbwindows/core/RecordListLayout.h"

namespace {
template <class T> void StoreAndReadBack(T& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
    }
    file.SeekToBegin();
    T again = object;
    again = T(again); // the copy paths too
    CArchive ar(&file, CArchive::load);
    again.Serialize(ar);
    if (!(again == object))
        FuzzFinding("stored object reads back different");
}

template <class T> void Check(const uint8_t* data, size_t size, T object, bool keptWhenRefused)
{
    const T before = object;
    if (FuzzLoad(data, size, [&](CArchive& ar) { object.Serialize(ar); }))
        FuzzStep([&] { StoreAndReadBack(object); });
    else if (keptWhenRefused && !(object == before))
        FuzzFinding("refused form changed the object");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    switch (data[0] % 4) {
    case 0:
        Check(data + 1, size - 1, RecordListLayout(), true);
        break;
    case 1:
        Check(data + 1, size - 1, CDelimitedFormat::TabDelimited(), true);
        break;
    case 2:
        Check(data + 1, size - 1, DelimitedExportOptions(), true);
        break;
    default:
        Check(data + 1, size - 1, DuplicateSettings(), false);
        break;
    }
    return 0;
}
