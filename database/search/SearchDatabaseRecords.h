// The search run: a typed search over a database, limited to a record set.
#pragma once

#include "classlib/Types.h"

class DBRecordSet;
class ISearchDatabase;

// Parses text and puts the matching records of restrictTo into result (an
// empty set given by the caller). The tree's set evaluation answers from
// the indexes; when that may leave records that do not match, each remaining
// record that the indexes do not show to match is read and tested, in
// ascending record number, under a progress dialog ("Searching
// Database..."). Stop keeps the untested records.
//
// FALSE when the text does not parse (result unchanged) or an exception
// stopped the search (reported; result as far as it got); TRUE otherwise,
// also when nothing was found.
BOOL SearchDatabaseRecords(const char* text, ISearchDatabase& database, const DBRecordSet& restrictTo,
                           DBRecordSet& result);
