// DelimitedExportOptions: which fields an export of marked records writes.
//
// By default every field is written (selected-fields-only off, no fields
// chosen) together with the workform definitions. The profile keeps the
// options as "Database Settings" "Custom Export Options" (these defaults when
// missing).
//
// A stored form that is cut short is refused with the archive's end-of-file
// error and leaves the object unchanged.
#pragma once

#include "classlib/Object.h"
#include "database/db/FieldSet.h"

#include <cstdint>

class DelimitedExportOptions : public CObject
{
public:
    enum
    {
        kStoredSize = 14
    };

    DelimitedExportOptions();
    DelimitedExportOptions(const DelimitedExportOptions& other);
    DelimitedExportOptions& operator=(const DelimitedExportOptions& other);

    bool operator==(const DelimitedExportOptions& other) const;
    bool operator!=(const DelimitedExportOptions& other) const { return !(*this == other); }

    void Serialize(CArchive& ar) override;

    int32_t selectedFieldsOnly;        // only the fields of `fields` are written
    FieldSet fields;                   // the chosen fields (bit n: field n)
    int32_t exportWorkformDefinitions; // the workforms' field names are written too
};
