// Upkeep of the sort slot indexes as records change: the record operations
// of the database call these after storing, replacing or deleting a record.
// Only slots whose indexBuilt is set are touched; an unbuilt slot is built
// from the records when it is next used.
#pragma once

class DBRecord;
class ISortIndexDatabase;

void AddRecordToSortSlots(ISortIndexDatabase& database, const DBRecord& record);
void UpdateRecordInSortSlots(ISortIndexDatabase& database, const DBRecord& oldRecord,
                             const DBRecord& newRecord);
void RemoveRecordFromSortSlots(ISortIndexDatabase& database, const DBRecord& record);
