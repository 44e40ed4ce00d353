// CDelimitedFormat: how records are laid out as delimited text, one line of
// field values per record.
//
// The same record describes the export of marked records and the delimited
// import. The profile keeps the custom format as "Database Settings" "Custom
// Export Format" (the tab-delimited preset when missing).
//
// A stored form that is cut short is refused and leaves the object unchanged.
#pragma once

#include "classlib/Object.h"
#include "classlib/Types.h"

#include <cstdint>

class CDelimitedFormat : public CObject
{
public:
    enum
    {
        kStoredSize = 20
    };

    CDelimitedFormat(BYTE separator, BYTE terminator, BOOL delimit, BYTE delimiter, BYTE replacement,
                     BOOL workformIndicators, BOOL recordIds, BOOL allFields);
    CDelimitedFormat(const CDelimitedFormat& other);
    CDelimitedFormat& operator=(const CDelimitedFormat& other);

    bool operator==(const CDelimitedFormat& other) const;
    bool operator!=(const CDelimitedFormat& other) const { return !(*this == other); }

    // The two program-wide presets: comma (quoted values, apostrophe for a
    // quote inside a value, all 45 fields) and tab (plain values, filled
    // fields only); both end records with 13 and write workforms and IDs.
    static const CDelimitedFormat& CommaDelimited();
    static const CDelimitedFormat& TabDelimited();

    void Serialize(CArchive& ar) override;

    BYTE fieldSeparator;        // written between two field values
    BYTE recordTerminator;      // written after a record's last field (13: CR LF)
    int32_t delimitFields;      // values are enclosed in the delimiter
    BYTE delimiter;             // the enclosing character
    BYTE replacement;           // written for a delimiter inside a value
    int32_t workformIndicators; // the record's workform is written
    int32_t recordIds;          // the record ID is written
    int32_t allFields;          // all 45 fields are written, empty ones included
};
