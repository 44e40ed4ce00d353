// The standard workforms whose names a delimited file writes with a comma
// ("Journal Article" is written "Journal, Article").
//
// Export replaces a table name that equals a left-hand name exactly; import
// replaces a file name that equals a right-hand name exactly. Both give their
// argument back when it is not in the map.
#pragma once

const char* WorkformNameForExport(const char* tableName);
const char* WorkformNameForImport(const char* fileName);

// The workform ID of a name, or -1: as written first, then through the map
// for import (the program's own names already carry the comma).
int FindWorkformByName(const char* name);
