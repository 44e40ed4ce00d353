// DBSortUpdater: fills, in one pass over the records, every sort slot index
// that is marked built but still empty, and the duplicate index when its
// settings name fields and it is empty.
//
// A slot is in use only over a complete index: the build is one Change of
// the database (DBRecordSetTask), so after Stop, No at a failing record or
// an exception the pages it filled are put back first; Abort then empties
// every index it was filling and clears their indexBuilt bits, and turns
// duplicate detection off, so the next use starts over.
//
// BuildSortSlotIndex is what the database document runs before showing a set
// in a slot's order.
#pragma once

#include "classlib/Array.h"
#include "database/db/DBRecordSetTask.h"

class ISortIndexDatabase;

class DBSortUpdater : public DBRecordSetTask
{
public:
    enum
    {
        IDS_SORTING_DATABASE = 5264,
    };

    // allRecords: every record of the database.
    DBSortUpdater(ISortIndexDatabase& database, const DBRecordSet& allRecords);

    BOOL Begin() override;
    BOOL End() override;
    BOOL Abort() override;
    BOOL Apply(DBRecord& record) override;

    BOOL IsPicked(int slot) const { return slot < picked.GetSize() && picked[slot] != 0; }

private:
    ISortIndexDatabase& m_sortDatabase;
    CArray<LONG> picked;
    LONG withDuplicates;
};

// Marks the slot built when it is not and builds what is missing; FALSE (the
// slot not in use) when the build failed or was stopped.
BOOL BuildSortSlotIndex(ISortIndexDatabase& database, int slot, const DBRecordSet& allRecords);
