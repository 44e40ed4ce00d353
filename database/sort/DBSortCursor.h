// DBSortCursor: walks a sort index in order, skipping records outside a
// record set, and positions it at typed texts.
//
// The cursor holds its tree (AddRef at construction, Release at destruction),
// so a temporary index lives as long as a cursor walks it. It holds no page
// between calls (BTreeCursor). Every operation that finds an entry leaves the
// cursor on it; walks that find nothing leave it past their end. The record
// of an entry is the number in its key's last four bytes.
#pragma once

#include "database/btree/BTreeCursor.h"

class DBRecord;
class DBRecordSet;
class DBSortKeyTree;

class DBSortCursor
{
public:
    explicit DBSortCursor(DBSortKeyTree* tree);
    ~DBSortCursor();
    DBSortCursor(const DBSortCursor&) = delete;
    DBSortCursor& operator=(const DBSortCursor&) = delete;

    DBSortKeyTree* GetTree() const { return m_tree; }

    BOOL SeekRecord(const DBRecord& record);
    BOOL SeekTextExact(const char* text);
    // The (n+1)-th set record from the first (last) entry; -1 when none.
    LONG SeekFirst(int n, const DBRecordSet& set, BOOL forward);
    // The next (previous) set record after the cursor; -1 when none.
    LONG Step(const DBRecordSet& set, BOOL forward);
    // Counts set-1 records after (before) the cursor up to the first that is
    // also in set 2, which becomes current; the count with it, 0 when none.
    int FindNextInSets(const DBRecordSet& set1, const DBRecordSet& set2, BOOL forward);
    // The 0-based row, among the set's records in index order (backward: from
    // the end), of the first set record at or after (before) the typed text,
    // which becomes current; the set's count when there is none (the cursor
    // then stays where it was).
    int FindText(const char* text, const DBRecordSet& set, BOOL forward);
    LONG FindNearestForward(const char* text, const DBRecordSet& set);
    // Backward never starts on an entry above the text: when no entry begins
    // with the typed part, the walk starts before the entry positioning gave.
    LONG FindNearestBackward(const char* text, const DBRecordSet& set);
    LONG FindNearest(const char* text, const DBRecordSet& set, BOOL preferForward);
    // Copies the current entry's key (length byte + L bytes) into buffer and
    // returns it; NULL without a tree or off an entry.
    BYTE* GetCurrentKey(BYTE* buffer);

    // Range searches on the first key part; records are only added to out.
    void CollectEqual(const char* text, DBRecordSet& out);
    void CollectLess(const char* text, DBRecordSet& out);
    void CollectLessOrEqual(const char* text, DBRecordSet& out);
    void CollectGreater(const char* text, DBRecordSet& out);
    void CollectGreaterOrEqual(const char* text, DBRecordSet& out);

private:
    // The record of the current entry; -1 off an entry.
    LONG CurrentRecord();
    BOOL Advance(BOOL forward);
    BOOL MoveEnd(BOOL forward);
    // Whether the current entry's first part begins with the typed key's part.
    BOOL BeginsWithTyped(const BYTE* typed);
    // From the current entry (when included) on, the first set record.
    LONG ScanFrom(const DBRecordSet& set, BOOL forward, BOOL includeCurrent);
    // Adds records from one end while keep(comparison of the typed part with the entry).
    template <class Keep> void Collect(const char* text, DBRecordSet& out, BOOL forward, Keep keep);

    BTreeCursor m_cursor;
    DBSortKeyTree* m_tree;
};
