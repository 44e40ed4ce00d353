// The record stream, in all three of its forms. A stream that reads must
// store, and what it stores must read back to the same stream.
#include "FuzzSupport.h"

#include "classlib/MemFile.h"
#include "database/db/DBRecord.h"

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
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
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
    return 0;
}
