// Workforms: byte 0 even reads a workform descriptor, odd a workform file
// (header, ID, field set and names) into a workform document and enters it
// into a table. What reads must answer every field name, and a descriptor
// must store and read back the same.
#include "FuzzSupport.h"

#include "database/text/WorkformDoc.h"
#include "database/text/WorkformTable.h"

#include <cstring>

namespace {
void CheckNames(const IWorkformInfo& workform)
{
    if (std::strlen(workform.GetName()) >= kWorkformNameSize)
        FuzzFinding("a workform name longer than its buffer");
    for (int n = 1; n <= kWorkformFields; ++n) {
        const bool used = std::strcmp(workform.GetFieldName(n), kUnusedFieldName) != 0;
        if (used != (workform.IsFieldUsed(n) != FALSE))
            FuzzFinding("field use disagrees with the field's name");
    }
}

void ReadDescriptor(const uint8_t* data, size_t size)
{
    CWorkformInfo info;
    if (!FuzzLoad(data, size, [&](CArchive& ar) { info.Serialize(ar); }))
        return;
    CheckNames(info);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        info.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    CWorkformInfo back;
    if (!FuzzLoad(bytes.data(), bytes.size(), [&](CArchive& ar) { back.Serialize(ar); }))
        FuzzFinding("a stored descriptor does not read back");
    if (back.GetId() != info.GetId() || std::strcmp(back.GetName(), info.GetName()) != 0)
        FuzzFinding("a stored descriptor reads back different");
    for (int n = 1; n <= kWorkformFields; ++n) {
        if (std::strcmp(back.GetFieldName(n), info.GetFieldName(n)) != 0)
            FuzzFinding("a stored field name reads back different");
    }
}

void ReadWorkformFile(const uint8_t* data, size_t size)
{
    CWorkformDoc doc;
    doc.m_bAutoDelete = FALSE;
    if (!FuzzLoad(data, size, [&](CArchive& ar) {
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
        }))
        return;
    CWorkformTable table;
    table.AddFromDocument(doc);
    if (table.GetCount() > 1)
        FuzzFinding("one document gave several workforms");
    CheckNames(table.FindById(doc.GetWorkformId()));
    CheckNames(table.FindByName(doc.GetWorkformName()));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
        ReadDescriptor(data + 1, size - 1);
    else
        ReadWorkformFile(data + 1, size - 1);
    return 0;
}
