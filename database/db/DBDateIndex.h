// DBDateIndex: the dates of the date fields (12, 20, 21) as numbers, for the
// date comparisons of the search.
//
// Each field's text is read as a date value (DateValue, mode 1); a value
// with a year puts the record under the date key of its start in the start
// tree and under that of its end in the end tree. Both trees are of the
// record-tree kind, the u32 date key standing in the record number's place,
// with a DBRecordSet stored under each key; a key is there exactly while some
// record has it.
//
// Date key of a DatePart (MakeDateIndexKey): bit 31 set unless the era is BC,
// bits 30-16 the year (low 15 bits), 15-12 the low four bits of the year
// letter, 11-8 the low four bits of the month, 7-0 zero. Keys compare
// unsigned, so BC dates come before all others.
//
// The lookups give candidate sets that the search's per-record test narrows;
// a query without a year gives every record. Years are compared with their
// era (100 BC before 50 BC before 1990), so a BC date in the database never
// hides the AD ones from a search.
#pragma once

#include "database/btree/BTRecordTree.h"
#include "database/db/DBFieldIndex.h"
#include "database/db/DBSetStores.h"

class BTPagedFile;
class DBRecordSet;
class DateValue;
struct DatePart;

DWORD MakeDateIndexKey(const DatePart& part);

class DBDateIndex : public DBFieldIndex
{
public:
    explicit DBDateIndex(const char* fieldList);

    void Attach(BTPagedFile* file)
    {
        m_startTree.Attach(file);
        m_endTree.Attach(file);
    }
    // The trees with every pending set written.
    BTRecordTree& GetStartTree()
    {
        FlushPending();
        return m_startTree;
    }
    BTRecordTree& GetEndTree()
    {
        FlushPending();
        return m_endTree;
    }

    // Records whose start is at or before the query's start and whose end is
    // at or after the query's end ("=").
    void CollectCovering(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out);
    // Records whose start is at or before the query's start ("<", "<=").
    void CollectOnOrBefore(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out);
    // Records whose start is at or after the query's start (">", ">=").
    void CollectOnOrAfter(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out);

    // The start tree, then the end tree.
    int GetTreeCount() const override { return 2; }
    BTree& GetIndexTree(int i) override
    {
        if (i == 0)
            return m_startTree;
        return m_endTree;
    }
    DBPendingSets::Store& GetSetStore(int i) override
    {
        if (i == 0)
            return m_startSets;
        return m_endSets;
    }
    std::unique_ptr<DBRecordIndex> MakeEmpty() const override
    {
        return std::unique_ptr<DBRecordIndex>(new DBDateIndex(GetFieldList()));
    }

protected:
    void AddTerms(LONG recordNumber, const StyledString& field) override;
    void RemoveTerms(LONG recordNumber, const StyledString& field) override;

private:
    // The union of the sets of every key of the tree at or before (onOrBefore)
    // or at or after the query part.
    void Collect(BTRecordTree& tree, const DatePart& query, bool onOrBefore, DBRecordSet& out);

    BTRecordTree m_startTree;
    BTRecordTree m_endTree;
    RecordTreeSetStore m_startSets;
    RecordTreeSetStore m_endSets;
};
