#include "database/search/SearchLeafNode.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBDateIndex.h"
#include "database/db/DBRecord.h"
#include "database/db/DBWordIndex.h"
#include "database/search/ISearchDatabase.h"
#include "database/search/SearchText.h"
#include "database/sort/CallNumberSortKey.h"
#include "database/text/WorkformTable.h"

#include <cstring>
#include <utility>

namespace {

const int kLastField = 45;
const int kCallNumberField = 44;
const size_t kMaxCallNumberKey = 255;

FieldSet WordIndexFields()
{
    return FieldSet::AuthorFields() | FieldSet::TitleFields() | FieldSet::JournalField() |
           FieldSet::KeywordField();
}

} // namespace

BOOL SharesField(const FieldSet& a, const FieldSet& b)
{
    for (int n = 1; n <= kLastField; ++n) {
        if (a.Contains(n) && b.Contains(n))
            return TRUE;
    }
    return FALSE;
}

namespace {

BOOL HasFieldOutside(const FieldSet& fields, const FieldSet& covered)
{
    for (int n = 1; n <= kLastField; ++n) {
        if (fields.Contains(n) && !covered.Contains(n))
            return TRUE;
    }
    return FALSE;
}

} // namespace

BOOL IsOutsideIndexes(const FieldSet& fields)
{
    return HasFieldOutside(fields, WordIndexFields() | FieldSet::DateFields());
}

BOOL IsOutsideWordIndex(const FieldSet& fields)
{
    return HasFieldOutside(fields, WordIndexFields());
}

namespace {

// The date tests compare years without their eras, while the date index puts
// BC before AD: records with BC dates go to the test whatever the index said,
// and a BC date searched takes every record.
void AddEraBlindCandidates(ISearchDatabase& database, const DateValue& searched, DBRecordSet& found)
{
    const DBRecordSet& all = database.GetAllRecords();
    if (searched.start.era == kEraBC || searched.end.era == kEraBC) {
        found = all;
        return;
    }
    DateValue anyBC(1);
    anyBC.start.year = 1;
    anyBC.start.era = kEraBC;
    anyBC.end = anyBC.start;
    DBRecordSet early;
    database.GetDateIndex().CollectOnOrBefore(anyBC, all, early);
    found |= early;
}

// A searched date part that gives its year alone: the date tests then
// compare years only, and eras not at all.
bool IsYearOnly(const DatePart& part)
{
    return part.year != 0 && part.letter == 0 && part.month == 0;
}

const int kLastKeyYear = 0x7FFF;

// The union of the sets of the AD (or era-less) keys of a date tree whose
// years lie from first to last, walked from the first such key. Each key
// stands for a date field of its records whose date, read as the search's
// test reads it, has that year. BC keys, which come before, are left out.
void CollectDateYears(BTRecordTree& tree, int first, int last, DBRecordSet& out)
{
    if (first > last)
        return;
    DatePart from = DatePart();
    from.year = (WORD)first;
    BTreeCursor cursor(&tree);
    BTRecordTree::SetSearchKey(MakeDateIndexKey(from), 0);
    tree.Find(cursor);
    for (BOOL on = cursor.IsOnEntry(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        const DWORD key = cursor.ReadU32();
        if ((key & 0x80000000u) == 0 || (int)((key >> 16) & 0x7FFF) > last)
            break;
        DBRecordSet set;
        tree.ReadBlob(set, key);
        out |= set;
    }
}

// A range that ends before it starts is read as its start alone, and the
// index keys its end as an empty date: the lookups by end never find such a
// record, so it goes to the test whatever they said.
void AddDroppedRangeCandidates(ISearchDatabase& database, DBRecordSet& found)
{
    DBRecordSet set;
    if (database.GetDateIndex().GetEndTree().ReadBlob(set, MakeDateIndexKey(DatePart())))
        found |= set;
}

} // namespace

SearchLeafNode::SearchLeafNode(const FieldSet& searched, const char* typed)
    : fields(searched), term(FoldSearchText(typed)), date(1)
{
    if (SharesField(fields, FieldSet::DateFields()))
        date.Parse(typed, (int)strlen(typed));
}

BOOL SearchLeafNode::ComparesDatesIn(int n) const
{
    return date.start.year != 0 && FieldSet::DateFields().Contains(n);
}

BOOL SearchLeafNode::SearchesEveryDateField() const
{
    return date.start.year != 0 && !HasFieldOutside(FieldSet::DateFields(), fields);
}

BOOL SearchLeafNode::Test(const DBRecord& record)
{
    for (int n = 1; n <= kLastField; ++n) {
        if (!fields.Contains(n))
            continue;
        FoldSearchText(record.GetField((BYTE)n).text, m_folded);
        if (TestField(n, record, m_folded))
            return TRUE;
    }
    return FALSE;
}

// "=" ------------------------------------------------------------------------

SearchWordLeaf::SearchWordLeaf(const FieldSet& searched, const char* typed)
    : SearchLeafNode(searched, typed), leadingStar(FALSE), trailingStar(FALSE)
{
    if (!term.empty() && term.front() == '*')
        leadingStar = TRUE;
    if (!term.empty() && term.back() == '*')
        trailingStar = TRUE;
    if (leadingStar)
        term.erase(0, 1);
    if (trailingStar && !term.empty())
        term.erase(term.size() - 1);
}

BOOL SearchWordLeaf::TestField(int n, const DBRecord& record, const std::string& folded)
{
    if (ComparesDatesIn(n)) {
        const DateValue value(record.GetField((BYTE)n).text);
        return value.start.year != 0 && value.Equals(date);
    }
    return !folded.empty() && MatchesWordRule(folded, term, leadingStar, trailingStar);
}

DBRecordSet SearchWordLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    const DBRecordSet& all = database.GetAllRecords();
    if (leadingStar || IsOutsideIndexes(fields))
        return DBRecordSet(all);
    DBRecordSet result;
    if (SharesField(fields, FieldSet::DateFields())) {
        // "=" holds for every record date that overlaps a searched range: the
        // records that start by its end and end by its start.
        DateValue overlapping(date);
        if (date.isRange)
            std::swap(overlapping.start, overlapping.end);
        DBRecordSet found;
        database.GetDateIndex().CollectCovering(overlapping, all, found);
        if (date.start.year != 0) {
            AddEraBlindCandidates(database, date, found);
            AddDroppedRangeCandidates(database, found);
        }
        result |= found;
    }
    if (SharesField(fields, WordIndexFields())) {
        DBRecordSet found;
        if (trailingStar)
            database.GetWordIndex().FindAllWordsPrefix(term.c_str(), all, found);
        else
            database.GetWordIndex().FindAllWords(term.c_str(), all, found);
        result |= found;
    }
    return result;
}

// A date field's value v (year Y, a range ending no earlier) equals a searched
// year-only date Q, or range Q1-Q2, when Y is Q, or lies in Q1-Q2.
DBRecordSet SearchWordLeaf::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    DBRecordSet result = Evaluate(database, needsTest);
    sure.RemoveAll();
    if (!SearchesEveryDateField() || !IsYearOnly(date.start) || (date.isRange && !IsYearOnly(date.end)))
        return result;
    const int first = date.start.year;
    const int last = date.isRange ? date.end.year : first;
    CollectDateYears(database.GetDateIndex().GetStartTree(), first, last, sure);
    sure &= result;
    return result;
}

// "<", "<=", ">", ">=" ---------------------------------------------------------

SearchCompareLeaf::SearchCompareLeaf(const FieldSet& searched, const char* typed)
    : SearchLeafNode(searched, typed)
{
    if (fields.Contains(kCallNumberField)) {
        callNumberKey = MakeCallNumberSortKey(typed);
        if (callNumberKey.size() > kMaxCallNumberKey)
            callNumberKey.resize(kMaxCallNumberKey);
    }
}

BOOL SearchCompareLeaf::TestField(int n, const DBRecord& record, const std::string& folded)
{
    const char* text = record.GetField((BYTE)n).text;
    if (ComparesDatesIn(n)) {
        const DateValue value(text);
        return value.start.year != 0 && AcceptsDate(value);
    }
    if (n == kCallNumberField && !callNumberKey.empty()) {
        std::string key = MakeCallNumberSortKey(text);
        if (key.size() > kMaxCallNumberKey)
            key.resize(kMaxCallNumberKey);
        return !key.empty() && Accepts(CompareSearchText(key, callNumberKey));
    }
    return Accepts(CompareSearchText(folded, term));
}

DBRecordSet SearchCompareLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    const DBRecordSet& all = database.GetAllRecords();
    // Without a date the date fields are compared as text: any record may hold.
    if (!SharesField(fields, FieldSet::DateFields()) || date.start.year == 0)
        return DBRecordSet(all);
    DBRecordSet found;
    if (LooksBefore()) {
        database.GetDateIndex().CollectOnOrBefore(date, all, found);
        AddEraBlindCandidates(database, date, found);
        return found;
    }
    // ">" and ">=" compare a record's end: the candidates are the records
    // that end at or after the searched date, whenever they start.
    DateValue ending(date);
    ending.end = date.isRange ? date.end : date.start;
    ending.start = DatePart();
    ending.start.year = kYearInPress;
    ending.start.era = kEraAD;
    database.GetDateIndex().CollectCovering(ending, all, found);
    AddEraBlindCandidates(database, date, found);
    AddDroppedRangeCandidates(database, found);
    return found;
}

// "<" and "<=" compare a value's start with the searched start, ">" and ">="
// its end (the start when it is no range) with the searched end: a year-only
// searched part makes the year of the start or end key decide.
DBRecordSet SearchCompareLeaf::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    DBRecordSet result = Evaluate(database, needsTest);
    sure.RemoveAll();
    const DatePart& searched = LooksBefore() || !date.isRange ? date.start : date.end;
    if (!SearchesEveryDateField() || !IsYearOnly(searched))
        return result;
    DBDateIndex& index = database.GetDateIndex();
    BTRecordTree& tree = LooksBefore() ? index.GetStartTree() : index.GetEndTree();
    // The accepted years are those below, at or above the searched one; a
    // range dropped for ending before its start keys its end as year 0,
    // which no walk here reaches.
    const int year = searched.year;
    const int first = Accepts(-1) ? 1 : Accepts(0) ? year : year + 1;
    const int last = Accepts(1) ? kLastKeyYear : Accepts(0) ? year : year - 1;
    CollectDateYears(tree, first, last, sure);
    sure &= result;
    return result;
}

// "begins with", "ends with", "exactly" -----------------------------------------

SearchItemLeaf::SearchItemLeaf(const FieldSet& searched, const char* typed, int how)
    : SearchLeafNode(searched, typed), m_how(how)
{
}

BOOL SearchItemLeaf::TestField(int n, const DBRecord&, const std::string& folded)
{
    const BOOL author = FieldSet::AuthorFields().Contains(n);
    const BOOL slash = author || FieldSet::KeywordField().Contains(n);
    return MatchesItems(folded, term, (SearchItemMatch)m_how, author, slash);
}

DBRecordSet SearchItemLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    return DBRecordSet(database.GetAllRecords());
}

SearchBeginsWithLeaf::SearchBeginsWithLeaf(const FieldSet& searched, const char* typed)
    : SearchItemLeaf(searched, typed, itemBeginsWith)
{
}

DBRecordSet SearchBeginsWithLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    const DBRecordSet& all = database.GetAllRecords();
    if (IsOutsideWordIndex(fields))
        return DBRecordSet(all);
    DBRecordSet found;
    database.GetWordIndex().FindAllWordsPrefix(term.c_str(), all, found);
    return found;
}

SearchEndsWithLeaf::SearchEndsWithLeaf(const FieldSet& searched, const char* typed)
    : SearchItemLeaf(searched, typed, itemEndsWith)
{
}

SearchExactlyLeaf::SearchExactlyLeaf(const FieldSet& searched, const char* typed)
    : SearchItemLeaf(searched, typed, itemExactly)
{
}

DBRecordSet SearchExactlyLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    const DBRecordSet& all = database.GetAllRecords();
    if (IsOutsideWordIndex(fields))
        return DBRecordSet(all);
    DBRecordSet found;
    database.GetWordIndex().FindAllWords(term.c_str(), all, found);
    return found;
}

// "contains", "= empty", "= not empty" -------------------------------------------

BOOL SearchContainsLeaf::TestField(int, const DBRecord&, const std::string& folded)
{
    return folded.find(term) != std::string::npos;
}

DBRecordSet SearchContainsLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    return DBRecordSet(database.GetAllRecords());
}

BOOL SearchEmptyLeaf::TestField(int n, const DBRecord& record, const std::string&)
{
    return GetWorkformTable().FindById(record.GetWorkformId()).IsFieldUsed(n) &&
           record.GetField((BYTE)n).text.IsEmpty();
}

DBRecordSet SearchEmptyLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    return DBRecordSet(database.GetAllRecords());
}

BOOL SearchNotEmptyLeaf::TestField(int n, const DBRecord& record, const std::string&)
{
    return !record.GetField((BYTE)n).text.IsEmpty();
}

DBRecordSet SearchNotEmptyLeaf::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    needsTest = TRUE;
    return DBRecordSet(database.GetAllRecords());
}
