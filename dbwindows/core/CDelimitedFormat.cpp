#include "dbwindows/core/CDelimitedFormat.h"

#include "classlib/Archive.h"

CDelimitedFormat::CDelimitedFormat(BYTE separator, BYTE terminator, BOOL delimit, BYTE delimiterChar,
                                   BYTE replacementChar, BOOL workforms, BOOL ids, BOOL all)
    : fieldSeparator(separator), recordTerminator(terminator), delimitFields(delimit),
      delimiter(delimiterChar), replacement(replacementChar), workformIndicators(workforms), recordIds(ids),
      allFields(all)
{
}

CDelimitedFormat::CDelimitedFormat(const CDelimitedFormat& other) : CObject()
{
    *this = other;
}

CDelimitedFormat& CDelimitedFormat::operator=(const CDelimitedFormat& other)
{
    if (this != &other) {
        fieldSeparator = other.fieldSeparator;
        recordTerminator = other.recordTerminator;
        delimitFields = other.delimitFields;
        delimiter = other.delimiter;
        replacement = other.replacement;
        workformIndicators = other.workformIndicators;
        recordIds = other.recordIds;
        allFields = other.allFields;
    }
    return *this;
}

bool CDelimitedFormat::operator==(const CDelimitedFormat& other) const
{
    return fieldSeparator == other.fieldSeparator && recordTerminator == other.recordTerminator &&
           delimitFields == other.delimitFields && delimiter == other.delimiter &&
           replacement == other.replacement && workformIndicators == other.workformIndicators &&
           recordIds == other.recordIds && allFields == other.allFields;
}

const CDelimitedFormat& CDelimitedFormat::CommaDelimited()
{
    static const CDelimitedFormat comma(',', 13, TRUE, '"', '\'', TRUE, TRUE, TRUE);
    return comma;
}

const CDelimitedFormat& CDelimitedFormat::TabDelimited()
{
    static const CDelimitedFormat tab('\t', 13, FALSE, 0, 0, TRUE, TRUE, FALSE);
    return tab;
}

// Stored form (little-endian, 20 bytes):
//   offset 0  u8  field separator
//   offset 1  u8  record terminator
//   offset 2  u32 delimit fields
//   offset 6  u8  delimiter
//   offset 7  u8  replacement
//   offset 8  u32 workform indicators
//   offset 12 u32 record IDs
//   offset 16 u32 all 45 fields
void CDelimitedFormat::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << fieldSeparator << recordTerminator << static_cast<DWORD>(delimitFields);
        ar << delimiter << replacement;
        ar << static_cast<DWORD>(workformIndicators) << static_cast<DWORD>(recordIds)
           << static_cast<DWORD>(allFields);
        return;
    }
    BYTE separator, terminator, delimiterChar, replacementChar;
    DWORD delimit, workforms, ids, all;
    ar >> separator >> terminator >> delimit >> delimiterChar >> replacementChar >> workforms >> ids >> all;
    *this =
        CDelimitedFormat(separator, terminator, static_cast<BOOL>(delimit), delimiterChar, replacementChar,
                         static_cast<BOOL>(workforms), static_cast<BOOL>(ids), static_cast<BOOL>(all));
}
