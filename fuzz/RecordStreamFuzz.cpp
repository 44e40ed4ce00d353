// The record stream, in all three of its forms. A stream that reads must
// store, and what it stores must read back to the same stream. A load of only
// some fields (the search's) never fails badly, and on a stream as records
// are written (fields in order) gives those fields exactly as the whole load.
#include "FuzzSupport.h"

#include "classlib/MemFile.h"
#include "database/db/DBRecord.h"
#include "database/db/FieldSet.h"

namespace {
std::vector<BYTE> Stored(DBRecord& record)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        record.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}
// The fields a partial load asks for, drawn from the input's last bytes.
FieldSet WantedFields(const uint8_t* data, size_t size)
{
    FieldSet wanted;
    for (size_t i = 0; i < size && i < 8; ++i)
        wanted.Add(data[size - 1 - i] % (DBRecord::kFieldCount + 1));
    return wanted;
}

bool LoadPart(const uint8_t* data, size_t size, const FieldSet& wanted, DBRecord& part)
{
    return FuzzLoad(data, size, [&](CArchive& ar) { part.LoadFields(ar, wanted); });
}

void CheckPartialLoad(const std::vector<BYTE>& stream, const FieldSet& wanted, DBRecord& whole)
{
    DBRecord part;
    if (!LoadPart(stream.data(), stream.size(), wanted, part))
        FuzzFinding("a stored record does not read in part");
    for (int n = 0; n <= DBRecord::kFieldCount; ++n) {
        const StyledString& a = part.GetField(static_cast<BYTE>(n));
        const StyledString& b = whole.GetField(static_cast<BYTE>(n));
        if (wanted.Contains(n) && (!(a.text == b.text) || !a.runs.IsEqual(b.runs)))
            FuzzFinding("a field read in part differs from the whole read");
        if (!wanted.Contains(n) && n != 0 && !a.IsEmpty())
            FuzzFinding("a field not asked for was read");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FieldSet wanted = WantedFields(data, size);
    {
        DBRecord part;
        LoadPart(data, size, wanted, part);
    }
    DBRecord record;
    if (!FuzzLoad(data, size, [&](CArchive& ar) { record.Serialize(ar); }))
        return 0;
    for (int n = 0; n <= DBRecord::kFieldCount; ++n) {
        const StyledString& field = record.GetField(static_cast<BYTE>(n));
        if (field.runs.TotalLength() != field.GetLength())
            FuzzFinding("runs do not cover the field");
    }
    for (BYTE code : {255, 254, 253, 250})
        record.GetField(code);

    std::vector<BYTE> first;
    if (!FuzzStep([&] { first = Stored(record); }))
        FuzzFinding("a record that was read cannot be stored");
    DBRecord again;
    if (!FuzzLoad(first.data(), first.size(), [&](CArchive& ar) { again.Serialize(ar); }))
        FuzzFinding("a stored record does not read back");
    if (Stored(again) != first)
        FuzzFinding("a stored record reads back different");
    CheckPartialLoad(first, wanted, again);
    return 0;
}
