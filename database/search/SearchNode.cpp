#include "database/search/SearchNode.h"

#include "database/search/ISearchDatabase.h"

void SearchNode::AddTestedFields(FieldSet& fields) const
{
    fields |= FieldSet::AllFields();
}

DBRecordSet SearchNode::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    BOOL ownNeedsTest = FALSE;
    DBRecordSet result = Evaluate(database, ownNeedsTest);
    if (ownNeedsTest) {
        needsTest = TRUE;
        sure.RemoveAll();
    } else {
        sure = result;
    }
    return result;
}

namespace
{
// Evaluates left, then right, and combines their candidates and their sure
// sets alike (intersection for "and", union for "or").
template <class Combine>
DBRecordSet EvaluateBoth(SearchNode* left, SearchNode* right, ISearchDatabase& database, BOOL& needsTest,
                         DBRecordSet& sure, Combine combine)
{
    DBRecordSet rightSure;
    DBRecordSet result = left->EvaluateSure(database, needsTest, sure);
    const DBRecordSet other = right->EvaluateSure(database, needsTest, rightSure);
    combine(result, other);
    combine(sure, rightSure);
    return result;
}
} // namespace

SearchAndNode::~SearchAndNode()
{
    delete right;
    delete left;
}

BOOL SearchAndNode::Test(const DBRecord& record)
{
    return right->Test(record) && left->Test(record);
}

DBRecordSet SearchAndNode::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    DBRecordSet sure;
    return EvaluateSure(database, needsTest, sure);
}

DBRecordSet SearchAndNode::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    return EvaluateBoth(left, right, database, needsTest, sure,
                        [](DBRecordSet& into, const DBRecordSet& other) { into &= other; });
}

void SearchAndNode::AddTestedFields(FieldSet& fields) const
{
    right->AddTestedFields(fields);
    left->AddTestedFields(fields);
}

SearchOrNode::~SearchOrNode()
{
    delete right;
    delete left;
}

BOOL SearchOrNode::Test(const DBRecord& record)
{
    return right->Test(record) || left->Test(record);
}

DBRecordSet SearchOrNode::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    DBRecordSet sure;
    return EvaluateSure(database, needsTest, sure);
}

DBRecordSet SearchOrNode::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    return EvaluateBoth(left, right, database, needsTest, sure,
                        [](DBRecordSet& into, const DBRecordSet& other) { into |= other; });
}

void SearchOrNode::AddTestedFields(FieldSet& fields) const
{
    right->AddTestedFields(fields);
    left->AddTestedFields(fields);
}

SearchNotNode::~SearchNotNode()
{
    delete operand;
}

BOOL SearchNotNode::Test(const DBRecord& record)
{
    return !operand->Test(record);
}

DBRecordSet SearchNotNode::Evaluate(ISearchDatabase& database, BOOL& needsTest)
{
    DBRecordSet sure;
    return EvaluateSure(database, needsTest, sure);
}

DBRecordSet SearchNotNode::EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure)
{
    BOOL operandNeedsTest = FALSE;
    DBRecordSet operandSure;
    DBRecordSet operandSet = operand->EvaluateSure(database, operandNeedsTest, operandSure);
    const DBRecordSet& all = database.GetAllRecords();
    // Only members of all records are taken away; a caller's flag word must not
    // turn the symmetric difference into a no-op.
    operandSet &= all;
    DBRecordSet outside(all);
    outside.flagWord = 0;
    operandSet.flagWord = 0;
    outside ^= operandSet;
    sure = outside;
    if (operandNeedsTest) {
        needsTest = TRUE;
        return DBRecordSet(all);
    }
    return outside;
}

void SearchNotNode::AddTestedFields(FieldSet& fields) const
{
    operand->AddTestedFields(fields);
}
