// DatabaseDefaults: what a new database takes from the user's profile
// (section "Database Settings"): its record-ID numbering, stop lists, custom
// sort, duplicate rules and sort language, and the import and editor
// switches for duplicates.
//
// The integer and list settings are the catalogue's; the custom sort and the
// duplicate rules are binary values declared here with their typed defaults
// (one key, author ascending; author, title and date with both options off).
// Every read goes to the profile.
//
// The database calls ReadDatabaseDefaults when it makes a new database, and
// takes DuplicateDetection for the duplicate finder of every database object
// it builds; the defaults dialog writes through WriteDatabaseDefaults.
#pragma once

#include "app/core/LineStringArray.h"
#include "app/core/TypedBinarySetting.h"
#include "database/sort/DBSortSpec.h"
#include "database/sort/DuplicateSettings.h"
#include "database/sort/SortSpecSetting.h"

#include <cstdint>

typedef TypedBinarySetting<DuplicateSettings> DupDetectionSetting;

namespace DatabaseSettings {
extern const SortSpecSetting CustomSort;             // "Database Settings" / "Custom Sort"
extern const DupDetectionSetting DuplicateDetection; // "Database Settings" / "Duplicate Detection"
} // namespace DatabaseSettings

// The duplicate rules stored in the profile; the default when there are
// none, the fields read so far over empty settings when the value is damaged.
DuplicateSettings GetDefaultDuplicateSettings();

struct DatabaseDefaults
{
    int32_t startingRecordId;
    int32_t recordIdIncrement;
    DBSortSpec customSort;
    CLineStringArray authorStopList;
    CLineStringArray genericStopList;
    DuplicateSettings duplicateSettings;
    int32_t discardDuplicates;
    int32_t warnDuplicates;
    int32_t languageSortId;
};

void ReadDatabaseDefaults(DatabaseDefaults& defaults);
void WriteDatabaseDefaults(const DatabaseDefaults& defaults);
