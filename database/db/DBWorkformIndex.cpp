#include "database/db/DBWorkformIndex.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecordSet.h"
#include "database/sort/SortKeyRecord.h"

void DBWorkformIndex::Add(const CString& name, LONG recordNumber)
{
    DBRecordSet set(name);
    ReadObject(set, name);
    set.Set(recordNumber);
    WriteObject(set, name);
}

void DBWorkformIndex::Remove(const CString& name, LONG recordNumber)
{
    DBRecordSet set;
    if (!ReadObject(set, name))
        return;
    if (set.Clear(recordNumber) > 0)
        WriteObject(set, name);
    else
        DeleteObject(name);
}

void DBWorkformIndex::AddRecord(const SortKeyRecord& record)
{
    Add(record.GetWorkformName(), record.GetRecordNumber());
}

void DBWorkformIndex::UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord)
{
    const CString oldName = oldRecord.GetWorkformName();
    const CString newName = newRecord.GetWorkformName();
    if (oldName == newName)
        return;
    Remove(oldName, oldRecord.GetRecordNumber());
    Add(newName, newRecord.GetRecordNumber());
}

void DBWorkformIndex::RemoveRecord(const SortKeyRecord& record)
{
    Remove(record.GetWorkformName(), record.GetRecordNumber());
}

void DBWorkformIndex::GetSet(const char* name, DBRecordSet& out)
{
    out.RemoveAll();
    ReadObject(out, name);
}

void DBWorkformIndex::UnionBefore(const char* name, DBRecordSet& out)
{
    out.RemoveAll();
    BTreeCursor cursor(this);
    cursor.SeekText(name);
    while (cursor.PrevKey()) {
        DBRecordSet set;
        cursor.ReadObject(set);
        out |= set;
    }
}

void DBWorkformIndex::UnionAfter(const char* name, DBRecordSet& out)
{
    out.RemoveAll();
    BTreeCursor cursor(this);
    if (cursor.SeekText(name) && !cursor.NextKey())
        return;
    while (cursor.IsOnEntry()) {
        DBRecordSet set;
        cursor.ReadObject(set);
        out |= set;
        if (!cursor.NextKey())
            break;
    }
}
