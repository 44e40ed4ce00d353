// DuplicateSettings: which fields make two records duplicates.
//
// Up to 48 field codes: 255 author, 254 title, 253 date (each resolved per
// record like the sort role codes) or a field number 1 to 45; only the first
// kKeyFields take part in a duplicate key. No codes switches detection off.
// Stored with the database and as the profile's default.
//
// Archive form (little-endian): u32 fieldCount, fieldCount bytes of codes,
// u32 lastNameOnly, u32 yearOnly. A stored count above 48 raises
// CArchiveException badSchema with nothing changed; a form cut short keeps
// what was read before the cut.
#pragma once

#include "classlib/Object.h"
#include "classlib/Types.h"

#include <cstdint>

class DuplicateSettings : public CObject
{
public:
    enum
    {
        kMaxFields = 48,
        kKeyFields = 10
    };

    DuplicateSettings();
    DuplicateSettings(const DuplicateSettings& other);
    DuplicateSettings& operator=(const DuplicateSettings& other);

    // Equal counts, codes in use and options.
    bool operator==(const DuplicateSettings& other) const;
    bool operator!=(const DuplicateSettings& other) const { return !(*this == other); }

    // Replaces the codes (at most kMaxFields are kept).
    void SetFields(const BYTE* codes, int count);
    BOOL IsOn() const { return fieldCount > 0; }

    void Serialize(CArchive& ar) override;

    int32_t fieldCount;
    BYTE fields[kMaxFields];
    int32_t lastNameOnly; // authors compare by last name only
    int32_t yearOnly;     // dates compare by era, year and year letter only
};
