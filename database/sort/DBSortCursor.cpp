#include "database/sort/DBSortCursor.h"

#include "database/db/DBRecordSet.h"
#include "database/sort/DBSortKeyTree.h"

#include <cstring>

DBSortCursor::DBSortCursor(DBSortKeyTree* tree) : m_cursor(tree), m_tree(tree)
{
    if (m_tree)
        m_tree->AddRef();
}

DBSortCursor::~DBSortCursor()
{
    if (m_tree)
        m_tree->Release();
}

LONG DBSortCursor::CurrentRecord()
{
    BTPageRef hold;
    const BYTE* entry = m_cursor.GetEntry(hold);
    return entry ? DBSortKeyBuilder::GetKeyRecordNumber(entry) : -1;
}

BOOL DBSortCursor::MoveEnd(BOOL forward)
{
    return forward ? m_cursor.MoveFirst() : m_cursor.MoveLast();
}

BOOL DBSortCursor::Advance(BOOL forward)
{
    if (forward)
        return m_cursor.Next();
    // Past the end of the whole index: the last entry is the one before.
    if (m_cursor.GetState() == BTreeCursor::stateAfterLast && m_cursor.GetLeaf() == 0)
        return FALSE;
    return m_cursor.Prev();
}

LONG DBSortCursor::ScanFrom(const DBRecordSet& set, BOOL forward, BOOL includeCurrent)
{
    BOOL on = includeCurrent ? m_cursor.IsOnEntry() : Advance(forward);
    for (; on; on = Advance(forward)) {
        const LONG record = CurrentRecord();
        if (set.Contains(record))
            return record;
    }
    return -1;
}

BOOL DBSortCursor::BeginsWithTyped(const BYTE* typed)
{
    BTPageRef hold;
    const BYTE* entry = m_cursor.GetEntry(hold);
    const char* part = (const char*)typed + 1;
    return entry && std::strncmp((const char*)entry + 1, part, std::strlen(part)) == 0;
}

BOOL DBSortCursor::SeekRecord(const DBRecord& record)
{
    if (!m_tree)
        return FALSE;
    m_tree->MakeRecordKey(record);
    return m_tree->Find(m_cursor);
}

BOOL DBSortCursor::SeekTextExact(const char* text)
{
    return m_tree ? m_tree->SeekText(text, TRUE, m_cursor, nullptr) : FALSE;
}

LONG DBSortCursor::SeekFirst(int n, const DBRecordSet& set, BOOL forward)
{
    if (!m_tree || !MoveEnd(forward))
        return -1;
    for (LONG record = ScanFrom(set, forward, TRUE); record != -1; record = ScanFrom(set, forward, FALSE)) {
        if (n-- == 0)
            return record;
    }
    return -1;
}

LONG DBSortCursor::Step(const DBRecordSet& set, BOOL forward)
{
    if (!m_tree || m_cursor.GetLeaf() == 0)
        return -1;
    return ScanFrom(set, forward, FALSE);
}

int DBSortCursor::FindNextInSets(const DBRecordSet& set1, const DBRecordSet& set2, BOOL forward)
{
    if (!m_tree || m_cursor.GetLeaf() == 0)
        return 0;
    const BTreeCursor start = m_cursor;
    int count = 0;
    for (LONG record = ScanFrom(set1, forward, FALSE); record != -1;
         record = ScanFrom(set1, forward, FALSE)) {
        ++count;
        if (set2.Contains(record))
            return count;
    }
    m_cursor = start;
    return 0;
}

int DBSortCursor::FindText(const char* text, const DBRecordSet& set, BOOL forward)
{
    if (!m_tree)
        return 0;
    const BTreeCursor start = m_cursor;
    m_tree->SeekText(text, forward, m_cursor, nullptr);
    // The place the text gives, as the key there (none: beyond every entry).
    BYTE place[DBSortKeyBuilder::kMaxKeySize];
    const BOOL bounded = GetCurrentKey(place) != nullptr;

    int count = 0;
    for (LONG record = SeekFirst(0, set, forward); record != -1; record = ScanFrom(set, forward, FALSE)) {
        BTPageRef hold;
        const BYTE* entry = m_cursor.GetEntry(hold);
        const int order = bounded ? m_tree->CompareKeys(entry, place) : (forward ? -1 : 1);
        if (forward ? order >= 0 : order <= 0)
            return count;
        ++count;
    }
    m_cursor = start;
    return count;
}

LONG DBSortCursor::FindNearestForward(const char* text, const DBRecordSet& set)
{
    if (!m_tree)
        return -1;
    m_tree->SeekText(text, TRUE, m_cursor, nullptr);
    return ScanFrom(set, TRUE, TRUE);
}

LONG DBSortCursor::FindNearestBackward(const char* text, const DBRecordSet& set)
{
    if (!m_tree)
        return -1;
    BYTE typed[DBSortKeyBuilder::kMaxKeySize];
    m_tree->SeekText(text, FALSE, m_cursor, typed);
    if (!m_cursor.IsOnEntry()) {
        // Beyond the last entry of its leaf: back onto that entry.
        if (!m_cursor.Prev() && !m_cursor.IsOnEntry())
            return -1;
        return ScanFrom(set, FALSE, TRUE);
    }
    // Left on the first entry above the text (no entry begins with it): that
    // one is after the text, so the walk starts before it.
    return ScanFrom(set, FALSE, BeginsWithTyped(typed));
}

LONG DBSortCursor::FindNearest(const char* text, const DBRecordSet& set, BOOL preferForward)
{
    LONG record = preferForward ? FindNearestForward(text, set) : FindNearestBackward(text, set);
    if (record == -1)
        record = preferForward ? FindNearestBackward(text, set) : FindNearestForward(text, set);
    return record;
}

BYTE* DBSortCursor::GetCurrentKey(BYTE* buffer)
{
    if (!m_tree)
        return nullptr;
    return m_cursor.CopyKey(buffer) > 0 ? buffer : nullptr;
}

template <class Keep> void DBSortCursor::Collect(const char* text, DBRecordSet& out, BOOL forward, Keep keep)
{
    if (!m_tree)
        return;
    BYTE typed[DBSortKeyBuilder::kMaxKeySize];
    m_tree->SeekText(text, TRUE, m_cursor, typed);
    for (BOOL on = MoveEnd(forward); on; on = Advance(forward)) {
        BTPageRef hold;
        const BYTE* entry = m_cursor.GetEntry(hold);
        if (!keep(m_tree->CompareKeyText(typed, entry)))
            return;
        out.Set(DBSortKeyBuilder::GetKeyRecordNumber(entry));
    }
}

void DBSortCursor::CollectEqual(const char* text, DBRecordSet& out)
{
    if (!m_tree)
        return;
    BYTE typed[DBSortKeyBuilder::kMaxKeySize];
    m_tree->SeekText(text, TRUE, m_cursor, typed);
    for (BOOL on = m_cursor.IsOnEntry(); on; on = m_cursor.Next()) {
        BTPageRef hold;
        const BYTE* entry = m_cursor.GetEntry(hold);
        if (m_tree->CompareKeyText(typed, entry) != 0)
            return;
        out.Set(DBSortKeyBuilder::GetKeyRecordNumber(entry));
    }
}

void DBSortCursor::CollectLess(const char* text, DBRecordSet& out)
{
    Collect(text, out, TRUE, [](int c) { return c > 0; });
}

void DBSortCursor::CollectLessOrEqual(const char* text, DBRecordSet& out)
{
    Collect(text, out, TRUE, [](int c) { return c >= 0; });
}

void DBSortCursor::CollectGreater(const char* text, DBRecordSet& out)
{
    Collect(text, out, FALSE, [](int c) { return c < 0; });
}

void DBSortCursor::CollectGreaterOrEqual(const char* text, DBRecordSet& out)
{
    Collect(text, out, FALSE, [](int c) { return c <= 0; });
}
