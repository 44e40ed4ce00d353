// The search expression tree: nodes that test one record and that evaluate to
// a candidate record set over a whole database.
//
// Contract of every node: Evaluate returns a set holding every record of the
// database for which Test holds; when it may hold others it sets needsTest.
// needsTest is one flag for a whole evaluation: callers clear it, nodes only
// set it. Test never changes the record (texts are folded in copies), so a
// record shared with an editor stays as it is.
//
// A node owns its operands and deletes them with itself; an absent operand is
// skipped. In "and" and "or" nodes Test looks at `right` first and stops at
// the first operand that decides.
//
// EvaluateSure gives, besides the candidates, the part of them that is known
// to pass Test (`sure`, a subset of the returned set): the test phase reads
// only the others. Every node keeps Evaluate's contract in it as well.
#pragma once

#include "classlib/Types.h"
#include "database/db/DBRecordSet.h"
#include "database/db/FieldSet.h"

class DBRecord;
class ISearchDatabase;

class SearchNode
{
public:
    SearchNode() = default;
    virtual ~SearchNode() = default;
    SearchNode(const SearchNode&) = delete;
    SearchNode& operator=(const SearchNode&) = delete;

    virtual BOOL Test(const DBRecord& record) = 0;
    virtual DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) = 0;
    // As Evaluate; `sure` receives the returned records that pass Test for
    // certain. By default the whole set when it is exact, else none.
    virtual DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure);
    // Adds the record fields (1 to 45, 0 for the record ID text) that Test
    // reads; the workform and the record number are always there. By
    // default every field.
    virtual void AddTestedFields(FieldSet& fields) const;
};

class SearchAndNode : public SearchNode
{
public:
    // Takes both operands.
    SearchAndNode(SearchNode* left, SearchNode* right) : right(right), left(left) {}
    ~SearchAndNode() override;
    BOOL Test(const DBRecord& record) override;
    // The intersection of left's and right's sets; sure where both are.
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;
    void AddTestedFields(FieldSet& fields) const override;

    SearchNode* right;
    SearchNode* left;
};

class SearchOrNode : public SearchNode
{
public:
    SearchOrNode(SearchNode* left, SearchNode* right) : right(right), left(left) {}
    ~SearchOrNode() override;
    BOOL Test(const DBRecord& record) override;
    // The union of left's and right's sets; sure where either is.
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;
    void AddTestedFields(FieldSet& fields) const override;

    SearchNode* right;
    SearchNode* left;
};

class SearchNotNode : public SearchNode
{
public:
    explicit SearchNotNode(SearchNode* operand) : operand(operand) {}
    ~SearchNotNode() override;
    BOOL Test(const DBRecord& record) override;
    // The complement within all records when the operand's set is exact;
    // else all records, and needsTest is set. Sure, either way: the records
    // outside the operand's set, which fail it.
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;
    void AddTestedFields(FieldSet& fields) const override;

    SearchNode* operand;
};

// The search of a citation text without items: matches nothing, exactly.
class SearchNothingNode : public SearchNode
{
public:
    BOOL Test(const DBRecord&) override { return FALSE; }
    DBRecordSet Evaluate(ISearchDatabase&, BOOL&) override { return DBRecordSet(); }
    void AddTestedFields(FieldSet&) const override {}
};
