#include "database/sort/DBSortKeyTree.h"

#include "app/core/ErrorReport.h"
#include "classlib/Archive.h"
#include "classlib/Collections.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecord.h"
#include "database/sort/DBRecordSortView.h"
#include "database/sort/ISortIndexDatabase.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyContext.h"

#include <cstring>
#include <vector>

namespace {
// The context of a tree without a database: comparisons never read it.
const SortKeyContext& NeutralContext()
{
    static const CLanguageSort sort;
    static const CStringArray none;
    static const SortKeyContext context(sort, none, none);
    return context;
}
} // namespace

DBSortKeyTree::DBSortKeyTree() : m_database(nullptr)
{
    ResetBuilder();
}

DBSortKeyTree::~DBSortKeyTree() = default;

void DBSortKeyTree::ResetBuilder()
{
    const SortKeyContext& context = m_database ? m_database->GetSortKeyContext() : NeutralContext();
    m_builder.reset(new DBSortKeyBuilder(spec, context));
}

void DBSortKeyTree::Attach(BTPagedFile* file, ISortIndexDatabase* database)
{
    BTree::Attach(file);
    m_database = database;
    ResetBuilder();
}

void DBSortKeyTree::SetSpec(const DBSortSpec& newSpec)
{
    spec = newSpec;
    spec.indexBuilt = newSpec.indexBuilt;
}

void DBSortKeyTree::SerializeRoot(CArchive& ar)
{
    BTree::SerializeRoot(ar);
    spec.Serialize(ar);
}

int DBSortKeyTree::CompareKeys(const BYTE* a, const BYTE* b) const
{
    return m_builder->CompareKeys(a, b);
}

int DBSortKeyTree::CompareKeyText(const BYTE* a, const BYTE* b) const
{
    return m_builder->CompareKeyText(a, b);
}

BOOL DBSortKeyTree::IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const
{
    if (bLeaf)
        return DBSortKeyBuilder::IsWellFormedKey(entry, length);
    // A separator: the key and its u32 child.
    return length > 4 && DBSortKeyBuilder::IsWellFormedKey(entry, length - 4);
}

int DBSortKeyTree::MakeRecordKey(const DBRecord& record)
{
    const CString workform =
        m_database ? m_database->GetWorkformName(record.GetWorkformId()) : CString("<Default>");
    const DBRecordSortView view(record, workform);
    int length = 0;
    m_builder->BuildKey(view, BTGetSearchKey(), &length);
    BTSetSearchKeyLength(length);
    return length;
}

void DBSortKeyTree::InsertSearchKey()
{
    if (Insert() != 0)
        ShowErrorAndAbort(IDP_DATABASE_DAMAGED);
}

void DBSortKeyTree::DeleteSearchKey()
{
    if (Delete() != 0)
        ShowErrorAndAbort(IDP_DATABASE_DAMAGED);
}

void DBSortKeyTree::AddRecord(const DBRecord& record)
{
    MakeRecordKey(record);
    InsertSearchKey();
    SetObjectCount(GetObjectCount() + 1);
}

void DBSortKeyTree::UpdateRecord(const DBRecord& oldRecord, const DBRecord& newRecord)
{
    BYTE newKey[DBSortKeyBuilder::kMaxKeySize];
    const int newLength = MakeRecordKey(newRecord);
    std::memcpy(newKey, BTGetSearchKey(), (size_t)newLength);
    const int oldLength = MakeRecordKey(oldRecord);
    if (oldLength == newLength && CompareKeys(BTGetSearchKey(), newKey) == 0)
        return;
    DeleteSearchKey();
    BTSetSearchKey(newKey, newLength);
    InsertSearchKey();
}

void DBSortKeyTree::RemoveRecord(const DBRecord& record)
{
    MakeRecordKey(record);
    DeleteSearchKey();
    SetObjectCount(GetObjectCount() - 1);
}

BOOL DBSortKeyTree::SeekText(const char* text, BOOL exact, BTreeCursor& cursor, BYTE* copy)
{
    BYTE key[DBSortKeyBuilder::kMaxKeySize];
    const int length = m_builder->MakeSearchKey(text, key);
    if (copy)
        std::memcpy(copy, key, (size_t)length);
    BTSetSearchKey(key, length);
    cursor.SetTree(this);
    const BOOL found = Find(cursor);
    if (exact || !cursor.IsOnEntry())
        return found;

    // Onto the last entry of the run whose first part begins with the typed part.
    const char* typed = (const char*)key + 1;
    const size_t typedLength = std::strlen(typed);
    BTreeCursor probe = cursor;
    for (;;) {
        BTPageRef hold;
        const BYTE* entry = probe.GetEntry(hold);
        if (!entry || std::strncmp((const char*)entry + 1, typed, typedLength) != 0)
            break;
        cursor = probe;
        if (!probe.Next())
            break;
    }
    return found;
}

int DBSortKeyTree::CopyKeysTo(DBSortKeyTree& other)
{
    // Keys are copied out first: the other tree's inserts reuse the search key.
    BTreeCursor cursor(this);
    for (BOOL on = cursor.MoveFirst(); on; on = cursor.Next()) {
        BYTE key[DBSortKeyBuilder::kMaxKeySize];
        const int length = cursor.CopyKey(key);
        BTSetSearchKey(key, length);
        if (other.Insert() != 0)
            return 0;
        other.SetObjectCount(other.GetObjectCount() + 1);
    }
    return 1;
}
