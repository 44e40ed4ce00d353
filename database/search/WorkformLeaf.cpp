#include "database/search/WorkformLeaf.h"

#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecord.h"
#include "database/db/DBWorkformIndex.h"
#include "database/search/ISearchDatabase.h"
#include "database/search/SearchText.h"
#include "database/text/WorkformTable.h"

namespace {

const int kContains = -1;

} // namespace

WorkformLeaf::WorkformLeaf(const char* typed) : term(FoldSearchText(typed)) {}

BOOL WorkformLeaf::Test(const DBRecord& record)
{
    return TestName(FoldSearchText(GetWorkformTable().GetName(record.GetWorkformId())));
}

DBRecordSet WorkformLeaf::CollectMatchingNames(ISearchDatabase& database)
{
    DBRecordSet result;
    BTreeCursor cursor(&database.GetWorkformIndex());
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        if (!TestName(FoldSearchText(cursor.GetKeyText())))
            continue;
        DBRecordSet set;
        cursor.ReadObject(set);
        result |= set;
    }
    return result;
}

WorkformWordLeaf::WorkformWordLeaf(const char* typed)
    : WorkformLeaf(typed), leadingStar(FALSE), trailingStar(FALSE)
{
    leadingStar = !term.empty() && term.front() == '*';
    trailingStar = !term.empty() && term.back() == '*';
    if (leadingStar)
        term.erase(0, 1);
    if (trailingStar && !term.empty())
        term.erase(term.size() - 1);
}

BOOL WorkformWordLeaf::TestName(const std::string& name)
{
    return MatchesWordRule(name, term, leadingStar, trailingStar);
}

DBRecordSet WorkformWordLeaf::Evaluate(ISearchDatabase& database, BOOL&)
{
    return CollectMatchingNames(database);
}

WorkformCompareLeaf::WorkformCompareLeaf(const char* typed, BOOL before, BOOL orEqual)
    : WorkformLeaf(typed), m_before(before), m_orEqual(orEqual)
{
}

BOOL WorkformCompareLeaf::TestName(const std::string& name)
{
    const int c = CompareSearchText(name, term);
    if (c == 0)
        return m_orEqual;
    return m_before ? c < 0 : c > 0;
}

DBRecordSet WorkformCompareLeaf::Evaluate(ISearchDatabase& database, BOOL&)
{
    DBWorkformIndex& index = database.GetWorkformIndex();
    DBRecordSet result;
    if (m_before)
        index.UnionBefore(term.c_str(), result);
    else
        index.UnionAfter(term.c_str(), result);
    if (m_orEqual) {
        DBRecordSet equal;
        index.GetSet(term.c_str(), equal);
        result |= equal;
    }
    return result;
}

WorkformTextLeaf::WorkformTextLeaf(const char* typed, int how) : WorkformLeaf(typed), m_how(how) {}

BOOL WorkformTextLeaf::TestName(const std::string& name)
{
    if (m_how == kContains)
        return name.find(term) != std::string::npos;
    return MatchesItems(name, term, (SearchItemMatch)m_how, FALSE, FALSE);
}

DBRecordSet WorkformTextLeaf::Evaluate(ISearchDatabase& database, BOOL&)
{
    return CollectMatchingNames(database);
}

WorkformBeginsWithLeaf::WorkformBeginsWithLeaf(const char* typed) : WorkformTextLeaf(typed, itemBeginsWith) {}

WorkformEndsWithLeaf::WorkformEndsWithLeaf(const char* typed) : WorkformTextLeaf(typed, itemEndsWith) {}

WorkformExactlyLeaf::WorkformExactlyLeaf(const char* typed) : WorkformTextLeaf(typed, itemExactly) {}

WorkformContainsLeaf::WorkformContainsLeaf(const char* typed) : WorkformTextLeaf(typed, kContains) {}
