#include "database/sort/DBSortUpdater.h"

#include "database/file/BTPagedFile.h"
#include "database/sort/DBSortKeyTree.h"
#include "database/sort/ISortIndexDatabase.h"

DBSortUpdater::DBSortUpdater(ISortIndexDatabase& database, const DBRecordSet& allRecords)
    : DBRecordSetTask(database, allRecords, IDS_SORTING_DATABASE), m_sortDatabase(database), withDuplicates(0)
{
}

BOOL DBSortUpdater::Begin()
{
    const int slots = m_sortDatabase.GetSortSlotCount();
    picked.SetSize(slots);
    for (int slot = 0; slot < slots; ++slot) {
        DBSortKeyTree& tree = m_sortDatabase.GetSortSlotTree(slot);
        picked[slot] = tree.GetSpec().indexBuilt && tree.GetEntryCount() == 0;
        if (!picked[slot])
            continue;
        // A read-only key file cannot take the index: build it in the scratch file.
        BTPagedFile* file = tree.GetFile();
        if (file == nullptr || !file->IsWritable())
            tree.Attach(m_sortDatabase.GetScratchFile(), &m_sortDatabase);
    }
    withDuplicates = m_sortDatabase.NeedsDuplicateBuild();
    return TRUE;
}

BOOL DBSortUpdater::Apply(DBRecord& record)
{
    for (int slot = 0; slot < picked.GetSize(); ++slot) {
        if (picked[slot])
            m_sortDatabase.GetSortSlotTree(slot).AddRecord(record);
    }
    if (withDuplicates)
        m_sortDatabase.AddDuplicateRecord(record);
    return TRUE;
}

BOOL DBSortUpdater::End()
{
    return CommitDatabase();
}

BOOL DBSortUpdater::Abort()
{
    for (int slot = 0; slot < picked.GetSize(); ++slot) {
        if (!picked[slot])
            continue;
        DBSortKeyTree& tree = m_sortDatabase.GetSortSlotTree(slot);
        tree.RemoveAll();
        DBSortSpec spec = tree.GetSpec();
        spec.indexBuilt = 0;
        tree.SetSpec(spec);
    }
    if (withDuplicates)
        m_sortDatabase.ResetDuplicates();
    return End();
}

BOOL BuildSortSlotIndex(ISortIndexDatabase& database, int slot, const DBRecordSet& allRecords)
{
    DBSortKeyTree& tree = database.GetSortSlotTree(slot);
    if (tree.GetSpec().indexBuilt && tree.GetEntryCount() != 0)
        return TRUE;
    DBSortSpec spec = tree.GetSpec();
    spec.indexBuilt = 1;
    tree.SetSpec(spec);
    DBSortUpdater updater(database, allRecords);
    if (updater.Execute())
        return TRUE;
    // Whatever stopped the build, the slot is not in use over a partial index.
    if (tree.GetSpec().indexBuilt) {
        tree.RemoveAll();
        spec.indexBuilt = 0;
        tree.SetSpec(spec);
    }
    return FALSE;
}
