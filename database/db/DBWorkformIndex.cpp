#include "database/db/DBWorkformIndex.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecordSet.h"
#include "database/sort/SortKeyRecord.h"
#include "database/text/StyledString.h"

void DBWorkformIndex::Add(const CString& name, LONG recordNumber)
{
    // A set made for a new name is named with it; an existing one keeps its name.
    StyledString setName;
    setName.text = name;
    const std::string key((const char*)name);
    if (m_pending)
        m_pending->Add(m_sets, key, recordNumber, &setName, DBPendingSets::kNameWhenNew);
    else
        DBPendingSets::AddDirect(m_sets, key, recordNumber, &setName, DBPendingSets::kNameWhenNew);
}

void DBWorkformIndex::Remove(const CString& name, LONG recordNumber)
{
    const std::string key((const char*)name);
    if (m_pending)
        m_pending->Remove(m_sets, key, recordNumber);
    else
        DBPendingSets::RemoveDirect(m_sets, key, recordNumber);
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
    FlushPending();
    out.RemoveAll();
    ReadObject(out, name);
}

void DBWorkformIndex::UnionBefore(const char* name, DBRecordSet& out)
{
    FlushPending();
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
    FlushPending();
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
