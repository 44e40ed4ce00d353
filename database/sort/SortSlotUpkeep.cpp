#include "database/sort/SortSlotUpkeep.h"

#include "database/sort/DBSortKeyTree.h"
#include "database/sort/ISortIndexDatabase.h"

namespace {
template <class Change> void ForEachBuiltSlot(ISortIndexDatabase& database, Change change)
{
    const int slots = database.GetSortSlotCount();
    for (int slot = 0; slot < slots; ++slot) {
        DBSortKeyTree& tree = database.GetSortSlotTree(slot);
        if (tree.GetSpec().indexBuilt)
            change(tree);
    }
}
} // namespace

void AddRecordToSortSlots(ISortIndexDatabase& database, const DBRecord& record)
{
    ForEachBuiltSlot(database, [&](DBSortKeyTree& tree) { tree.AddRecord(record); });
}

void UpdateRecordInSortSlots(ISortIndexDatabase& database, const DBRecord& oldRecord,
                             const DBRecord& newRecord)
{
    ForEachBuiltSlot(database, [&](DBSortKeyTree& tree) { tree.UpdateRecord(oldRecord, newRecord); });
}

void RemoveRecordFromSortSlots(ISortIndexDatabase& database, const DBRecord& record)
{
    ForEachBuiltSlot(database, [&](DBSortKeyTree& tree) { tree.RemoveRecord(record); });
}
