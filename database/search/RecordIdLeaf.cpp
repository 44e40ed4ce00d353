#include "database/search/RecordIdLeaf.h"

#include "app/core/ErrorReport.h"
#include "database/db/DBRecord.h"
#include "database/db/RecordId.h"
#include "database/search/ISearchDatabase.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortKeyTree.h"

#include <cstring>
#include <memory>

namespace {

const UINT IDP_INVALID_RECORD_ID_TERM = 5294;

} // namespace

RecordIdLeaf::RecordIdLeaf(ISearchDatabase& database, const char* typed)
    : RecordIdLeaf(database, typed, idEqual)
{
}

RecordIdLeaf::RecordIdLeaf(ISearchDatabase& database, const char* typed, Operator op)
    : term(typed), m_database(database), m_operator(op)
{
}

std::string RecordIdLeaf::KeyPart(const char* id) const
{
    char part[DBSortKeyBuilder::kPartRoom];
    m_database.GetSortSlotTree(0).GetBuilder().MakeRecordIdPart(part, StyledString(id), (int)sizeof part);
    return part;
}

BOOL RecordIdLeaf::Test(const DBRecord& record)
{
    const int c = strcmp(KeyPart(record.GetRecordIdText()).c_str(), KeyPart(term.c_str()).c_str());
    switch (m_operator) {
    case idEqual:
        return c == 0;
    case idLess:
        return c < 0;
    case idLessEqual:
        return c <= 0;
    case idGreater:
        return c > 0;
    case idGreaterEqual:
        return c >= 0;
    }
    return FALSE;
}

DBRecordSet RecordIdLeaf::Evaluate(ISearchDatabase& database, BOOL&)
{
    DBRecordSet result;
    DBSortCursor cursor(&database.GetSortSlotTree(0));
    switch (m_operator) {
    case idEqual:
        cursor.CollectEqual(term.c_str(), result);
        break;
    case idLess:
        cursor.CollectLess(term.c_str(), result);
        break;
    case idLessEqual:
        cursor.CollectLessOrEqual(term.c_str(), result);
        break;
    case idGreater:
        cursor.CollectGreater(term.c_str(), result);
        break;
    case idGreaterEqual:
        cursor.CollectGreaterOrEqual(term.c_str(), result);
        break;
    }
    return result;
}

void CheckRecordIdTerm(const char* term)
{
    const size_t length = strlen(term);
    if (length == 0 || length > kMaxRecordIdLength)
        ShowErrorAndAbort(IDP_INVALID_RECORD_ID_TERM, term);
}

SearchNode* MakeRecordIdEqualsNode(ISearchDatabase& database, const char* term)
{
    const char* dash = strchr(term, '-');
    if (dash == nullptr) {
        CheckRecordIdTerm(term);
        return new RecordIdLeaf(database, term);
    }
    const std::string from(term, (size_t)(dash - term));
    const std::string to(dash + 1);
    CheckRecordIdTerm(from.c_str());
    CheckRecordIdTerm(to.c_str());
    std::unique_ptr<SearchNode> low(new RecordIdGreaterEqualLeaf(database, from.c_str()));
    std::unique_ptr<SearchNode> high(new RecordIdLessEqualLeaf(database, to.c_str()));
    SearchNode* range = new SearchAndNode(low.get(), high.get());
    low.release();
    high.release();
    return range;
}
