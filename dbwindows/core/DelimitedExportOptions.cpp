#include "dbwindows/core/DelimitedExportOptions.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

DelimitedExportOptions::DelimitedExportOptions() : selectedFieldsOnly(0), exportWorkformDefinitions(1) {}

DelimitedExportOptions::DelimitedExportOptions(const DelimitedExportOptions& other) : DelimitedExportOptions()
{
    *this = other;
}

DelimitedExportOptions& DelimitedExportOptions::operator=(const DelimitedExportOptions& other)
{
    if (this != &other) {
        selectedFieldsOnly = other.selectedFieldsOnly;
        fields = other.fields;
        exportWorkformDefinitions = other.exportWorkformDefinitions;
    }
    return *this;
}

bool DelimitedExportOptions::operator==(const DelimitedExportOptions& other) const
{
    return selectedFieldsOnly == other.selectedFieldsOnly && fields == other.fields &&
           exportWorkformDefinitions == other.exportWorkformDefinitions;
}

// Stored form (little-endian, 14 bytes):
//   offset 0  u32 selected fields only
//   offset 4  6 bytes, the field set's bitmap (bit n % 8 of byte n / 8 is field n)
//   offset 10 u32 export workform definitions
void DelimitedExportOptions::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(selectedFieldsOnly);
        BYTE bits[FieldSet::kBytes];
        for (int i = 0; i < FieldSet::kBytes; ++i)
            bits[i] = fields.GetByte(i);
        ar.Write(bits, FieldSet::kBytes);
        ar << static_cast<DWORD>(exportWorkformDefinitions);
        return;
    }
    DWORD selectedOnly;
    ar >> selectedOnly;
    BYTE bits[FieldSet::kBytes];
    if (ar.Read(bits, FieldSet::kBytes) != FieldSet::kBytes)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    DWORD workforms;
    ar >> workforms;
    selectedFieldsOnly = static_cast<int32_t>(selectedOnly);
    for (int i = 0; i < FieldSet::kBytes; ++i)
        fields.SetByte(i, bits[i]);
    exportWorkformDefinitions = static_cast<int32_t>(workforms);
}
