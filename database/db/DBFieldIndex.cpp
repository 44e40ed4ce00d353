#include "database/db/DBFieldIndex.h"

#include "database/sort/SortKeyRecord.h"
#include "database/text/StyledString.h"

DBFieldIndex::DBFieldIndex(const char* fieldList) : m_fieldList(fieldList), m_pending(nullptr) {}

DBFieldIndex::~DBFieldIndex() {}

void DBFieldIndex::AddRecord(const SortKeyRecord& record)
{
    const LONG n = record.GetRecordNumber();
    for (unsigned char f : m_fieldList) {
        const StyledString& field = record.GetField(f);
        if (!field.IsEmpty())
            AddTerms(n, field);
    }
}

bool DBFieldIndex::SameFields(const SortKeyRecord& a, const SortKeyRecord& b) const
{
    for (unsigned char f : m_fieldList) {
        const StyledString& x = a.GetField(f);
        const StyledString& y = b.GetField(f);
        if (!(x.text == y.text) || !x.runs.IsEqual(y.runs))
            return false;
    }
    return true;
}

void DBFieldIndex::UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord)
{
    if (SameFields(oldRecord, newRecord))
        return;
    // All old terms go before any new one comes: a term two fields share is
    // then never left out.
    RemoveRecord(oldRecord);
    AddRecord(newRecord);
}

void DBFieldIndex::RemoveRecord(const SortKeyRecord& record)
{
    const LONG n = record.GetRecordNumber();
    for (unsigned char f : m_fieldList) {
        const StyledString& field = record.GetField(f);
        if (!field.IsEmpty())
            RemoveTerms(n, field);
    }
}

void DBFieldIndex::AddToSet(DBPendingSets::Store& store, const std::string& key, LONG recordNumber,
                            const StyledString* name)
{
    if (m_pending)
        m_pending->Add(store, key, recordNumber, name, DBPendingSets::kNameWhenAdded);
    else
        DBPendingSets::AddDirect(store, key, recordNumber, name, DBPendingSets::kNameWhenAdded);
}

void DBFieldIndex::RemoveFromSet(DBPendingSets::Store& store, const std::string& key, LONG recordNumber)
{
    if (m_pending)
        m_pending->Remove(store, key, recordNumber);
    else
        DBPendingSets::RemoveDirect(store, key, recordNumber);
}
