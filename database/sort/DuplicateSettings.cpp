#include "database/sort/DuplicateSettings.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

#include <string.h>

DuplicateSettings::DuplicateSettings() : fieldCount(0), lastNameOnly(0), yearOnly(0)
{
    memset(fields, 0, sizeof fields);
}

DuplicateSettings::DuplicateSettings(const DuplicateSettings& other) : DuplicateSettings()
{
    *this = other;
}

DuplicateSettings& DuplicateSettings::operator=(const DuplicateSettings& other)
{
    SetFields(other.fields, other.fieldCount);
    lastNameOnly = other.lastNameOnly;
    yearOnly = other.yearOnly;
    return *this;
}

bool DuplicateSettings::operator==(const DuplicateSettings& other) const
{
    return fieldCount == other.fieldCount && memcmp(fields, other.fields, fieldCount) == 0 &&
           lastNameOnly == other.lastNameOnly && yearOnly == other.yearOnly;
}

void DuplicateSettings::SetFields(const BYTE* codes, int count)
{
    if (count < 0)
        count = 0;
    if (count > kMaxFields)
        count = kMaxFields;
    if (codes != fields)
        memmove(fields, codes, count);
    fieldCount = count;
}

void DuplicateSettings::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(fieldCount);
        ar.Write(fields, fieldCount);
        ar << static_cast<DWORD>(lastNameOnly) << static_cast<DWORD>(yearOnly);
        return;
    }
    DWORD count;
    ar >> count;
    if (count > kMaxFields)
        AfxThrowArchiveException(CArchiveException::badSchema);
    BYTE codes[kMaxFields];
    if (ar.Read(codes, count) != count)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    SetFields(codes, static_cast<int>(count));
    DWORD option;
    ar >> option;
    lastNameOnly = static_cast<int32_t>(option);
    ar >> option;
    yearOnly = static_cast<int32_t>(option);
}
