#include "database/search/SearchNode.h"

#include "database/search/ISearchDatabase.h"

void SearchNode::AddTestedFields(FieldSet& fields) const
{
    fields |= FieldSet::AllFields();
}

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
    DBRecordSet result = left->Evaluate(database, needsTest);
    const DBRecordSet other = right->Evaluate(database, needsTest);
    result &= other;
    return result;
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
    DBRecordSet result = left->Evaluate(database, needsTest);
    const DBRecordSet other = right->Evaluate(database, needsTest);
    result |= other;
    return result;
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
    BOOL operandNeedsTest = FALSE;
    DBRecordSet operandSet = operand->Evaluate(database, operandNeedsTest);
    DBRecordSet result(database.GetAllRecords());
    if (operandNeedsTest) {
        needsTest = TRUE;
        return result;
    }
    // Only members of all records are taken away; a caller's flag word must not
    // turn the symmetric difference into a no-op.
    operandSet &= result;
    result.flagWord = 0;
    operandSet.flagWord = 0;
    result ^= operandSet;
    return result;
}

void SearchNotNode::AddTestedFields(FieldSet& fields) const
{
    operand->AddTestedFields(fields);
}
