#include "database/search/RecordIdLeaf.h"

#include "app/core/ErrorReport.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecord.h"
#include "database/db/RecordId.h"
#include "database/file/BTPageRef.h"
#include "database/search/ISearchDatabase.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortKeyBuilder.h"
#include "database/sort/DBSortKeyTree.h"

#include <cstring>
#include <memory>

namespace {

const UINT IDP_INVALID_RECORD_ID_TERM = 5294;

// The records of the index entries whose first part lies from `from` to `to`
// (typed texts), both included: the entries that CollectGreaterOrEqual of
// from and CollectLessOrEqual of to both take, the index being in key order.
void CollectRange(DBSortKeyTree& tree, const char* from, const char* to, DBRecordSet& out)
{
    BYTE typedFrom[DBSortKeyBuilder::kMaxKeySize];
    BYTE typedTo[DBSortKeyBuilder::kMaxKeySize];
    BTreeCursor cursor(&tree);
    tree.SeekText(to, TRUE, cursor, typedTo);
    tree.SeekText(from, TRUE, cursor, typedFrom);
    if (!cursor.IsOnEntry())
        return;
    // Back over any entry of the range that the positioning passed.
    for (BTreeCursor probe = cursor; probe.Prev();) {
        BTPageRef hold;
        const BYTE* entry = probe.GetEntry(hold);
        if (!entry || tree.CompareKeyText(typedFrom, entry) > 0)
            break;
        cursor = probe;
    }
    for (BOOL on = TRUE; on; on = cursor.Next()) {
        BTPageRef hold;
        const BYTE* entry = cursor.GetEntry(hold);
        if (!entry || tree.CompareKeyText(typedTo, entry) < 0)
            return;
        if (tree.CompareKeyText(typedFrom, entry) <= 0)
            out.Set(DBSortKeyBuilder::GetKeyRecordNumber(entry));
    }
}

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

RecordIdRangeNode::RecordIdRangeNode(RecordIdGreaterEqualLeaf* low, RecordIdLessEqualLeaf* high)
    : SearchAndNode(low, high), m_from(low->term), m_to(high->term)
{
}

DBRecordSet RecordIdRangeNode::Evaluate(ISearchDatabase& database, BOOL&)
{
    DBRecordSet result;
    CollectRange(database.GetSortSlotTree(0), m_from.c_str(), m_to.c_str(), result);
    return result;
}

DBRecordSet RecordIdRangeNode::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    DBRecordSet result = Evaluate(database, needsTest);
    sure = result;
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
    std::unique_ptr<RecordIdGreaterEqualLeaf> low(new RecordIdGreaterEqualLeaf(database, from.c_str()));
    std::unique_ptr<RecordIdLessEqualLeaf> high(new RecordIdLessEqualLeaf(database, to.c_str()));
    SearchNode* range = new RecordIdRangeNode(low.get(), high.get());
    low.release();
    high.release();
    return range;
}
