// DBFieldIndex: an index over some fields of every record, kept current by the
// database on every record change.
//
// The database calls AddRecord, UpdateRecord and RemoveRecord of each index
// in turn with the record as the key code sees it (SortKeyRecord); the kinds
// say what a field's text becomes (AddTerms, RemoveTerms). The fields covered
// are a NUL-terminated list of field numbers (1 to 45).
//
// UpdateRecord does no tree work when every covered field keeps its text and
// runs, so editing a note touches no term entry.
//
// With a write-back layer set (SetPendingSets) the sets change in memory and
// reach the trees when the layer flushes; the index's own lookups flush it
// first. Without one every change is read and written at once.
#pragma once

#include "classlib/Types.h"
#include "database/db/DBPendingSets.h"
#include "database/db/DBRecordIndex.h"

#include <string>

class SortKeyRecord;
class StyledString;

class DBFieldIndex : public DBRecordIndex
{
public:
    explicit DBFieldIndex(const char* fieldList);
    ~DBFieldIndex() override;
    DBFieldIndex(const DBFieldIndex&) = delete;
    DBFieldIndex& operator=(const DBFieldIndex&) = delete;

    const char* GetFieldList() const { return m_fieldList.c_str(); }
    void SetPendingSets(DBPendingSets* pending) override { m_pending = pending; }

    void AddRecord(const SortKeyRecord& record) override;
    void UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord) override;
    void RemoveRecord(const SortKeyRecord& record) override;

protected:
    virtual void AddTerms(LONG recordNumber, const StyledString& field) = 0;
    virtual void RemoveTerms(LONG recordNumber, const StyledString& field) = 0;

    // The set changes, through the layer when there is one.
    void AddToSet(DBPendingSets::Store& store, const std::string& key, LONG recordNumber,
                  const StyledString* name = nullptr);
    void RemoveFromSet(DBPendingSets::Store& store, const std::string& key, LONG recordNumber);
    // The same for a key given as text: it is copied into a buffer kept for
    // the next key, so a key longer than a short string costs no allocation.
    void AddToSet(DBPendingSets::Store& store, const char* key, LONG recordNumber,
                  const StyledString* name = nullptr)
    {
        m_key.assign(key);
        AddToSet(store, m_key, recordNumber, name);
    }
    void RemoveFromSet(DBPendingSets::Store& store, const char* key, LONG recordNumber)
    {
        m_key.assign(key);
        RemoveFromSet(store, m_key, recordNumber);
    }
    // Before a read of the trees.
    void FlushPending()
    {
        if (m_pending)
            m_pending->Flush();
    }

private:
    bool SameFields(const SortKeyRecord& a, const SortKeyRecord& b) const;

    std::string m_fieldList;
    DBPendingSets* m_pending; // not owned
    std::string m_key;        // the last key given as text
};
