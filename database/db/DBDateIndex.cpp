#include "database/db/DBDateIndex.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecordSet.h"
#include "database/text/DateValue.h"
#include "database/text/StyledString.h"

namespace {

// A key's fields, the year signed by its era so that years compare in time.
struct KeyDate
{
    explicit KeyDate(DWORD key)
        : year((key & 0x80000000u) ? static_cast<int>((key >> 16) & 0x7FFF)
                                   : -static_cast<int>((key >> 16) & 0x7FFF)),
          letter((key >> 12) & 0xF), month((key >> 8) & 0xF)
    {
    }
    int year;
    int letter;
    int month;
};

// -1 when the key lies before the query, 1 after it, 0 when it matches it.
// A letter or month the query leaves open matches any.
int CompareToQuery(const KeyDate& key, const KeyDate& query)
{
    if (key.year != query.year)
        return key.year < query.year ? -1 : 1;
    if (query.letter != 0 && key.letter != query.letter)
        return key.letter < query.letter ? -1 : 1;
    if (query.month != 0 && key.month != query.month)
        return key.month < query.month ? -1 : 1;
    return 0;
}

} // namespace

DWORD MakeDateIndexKey(const DatePart& part)
{
    DWORD key = part.era == kEraBC ? 0 : 0x80000000u;
    key |= static_cast<DWORD>(part.year & 0x7FFF) << 16;
    key |= static_cast<DWORD>(part.letter & 0xF) << 12;
    key |= static_cast<DWORD>(part.month & 0xF) << 8;
    return key;
}

DBDateIndex::DBDateIndex(const char* fieldList)
    : DBFieldIndex(fieldList), m_startSets(m_startTree), m_endSets(m_endTree)
{
}

void DBDateIndex::AddTerms(LONG recordNumber, const StyledString& field)
{
    const DateValue date(field.text);
    if (date.start.year == 0)
        return;
    AddToSet(m_startSets, RecordTreeSetStore::MakeKey(MakeDateIndexKey(date.start)), recordNumber);
    AddToSet(m_endSets, RecordTreeSetStore::MakeKey(MakeDateIndexKey(date.end)), recordNumber);
}

void DBDateIndex::RemoveTerms(LONG recordNumber, const StyledString& field)
{
    const DateValue date(field.text);
    if (date.start.year == 0)
        return;
    RemoveFromSet(m_startSets, RecordTreeSetStore::MakeKey(MakeDateIndexKey(date.start)), recordNumber);
    RemoveFromSet(m_endSets, RecordTreeSetStore::MakeKey(MakeDateIndexKey(date.end)), recordNumber);
}

void DBDateIndex::Collect(BTRecordTree& tree, const DatePart& query, bool onOrBefore, DBRecordSet& out)
{
    FlushPending();
    const KeyDate wanted(MakeDateIndexKey(query));
    BTreeCursor cursor(&tree);
    // AD keys are in time order, so the walk ends at the first AD key beyond
    // the query; BC keys run backwards in the tree and are each tested.
    for (BOOL on = onOrBefore ? cursor.MoveFirst() : cursor.MoveLast(); on && cursor.IsOnEntry();
         on = onOrBefore ? cursor.NextKey() : cursor.PrevKey()) {
        const DWORD key = cursor.ReadU32();
        const int order = CompareToQuery(KeyDate(key), wanted);
        const bool beyond = onOrBefore ? order > 0 : order < 0;
        if (beyond) {
            if ((key & 0x80000000u) != 0 && KeyDate(key).year != wanted.year)
                break;
            continue;
        }
        DBRecordSet set;
        tree.ReadBlob(set, key);
        out |= set;
    }
}

void DBDateIndex::CollectOnOrBefore(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out)
{
    out.RemoveAll();
    if (query.start.year == 0) {
        out = allRecords;
        return;
    }
    Collect(m_startTree, query.start, true, out);
}

void DBDateIndex::CollectOnOrAfter(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out)
{
    out.RemoveAll();
    if (query.start.year == 0) {
        out = allRecords;
        return;
    }
    Collect(m_startTree, query.start, false, out);
}

void DBDateIndex::CollectCovering(const DateValue& query, const DBRecordSet& allRecords, DBRecordSet& out)
{
    CollectOnOrBefore(query, allRecords, out);
    if (query.start.year == 0)
        return;
    DBRecordSet ending;
    Collect(m_endTree, query.end, false, ending);
    out &= ending;
}
