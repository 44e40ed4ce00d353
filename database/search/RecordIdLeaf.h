// Record-ID leaves: the record's ID against a term in the order of record-ID
// sort keys (all-digit IDs by numeric value), answered exactly from the
// record-ID index (sort slot 0); never sets needsTest.
//
// The term is kept as typed. The leaf keeps the database it was made for:
// its record-ID index builds the key parts of both sides.
#pragma once

#include "database/search/SearchNode.h"

#include <string>

class RecordIdLeaf : public SearchNode
{
public:
    enum Operator
    {
        idEqual,
        idLess,
        idLessEqual,
        idGreater,
        idGreaterEqual
    };

    // "=".
    RecordIdLeaf(ISearchDatabase& database, const char* typed);
    BOOL Test(const DBRecord& record) override;
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    // The record ID text, field 0.
    void AddTestedFields(FieldSet& fields) const override { fields.Add(0); }

    std::string term;

protected:
    RecordIdLeaf(ISearchDatabase& database, const char* typed, Operator op);

private:
    std::string KeyPart(const char* id) const;

    ISearchDatabase& m_database;
    Operator m_operator;
};

class RecordIdLessLeaf : public RecordIdLeaf
{
public:
    RecordIdLessLeaf(ISearchDatabase& database, const char* typed) : RecordIdLeaf(database, typed, idLess) {}
};

class RecordIdLessEqualLeaf : public RecordIdLeaf
{
public:
    RecordIdLessEqualLeaf(ISearchDatabase& database, const char* typed)
        : RecordIdLeaf(database, typed, idLessEqual)
    {
    }
};

class RecordIdGreaterLeaf : public RecordIdLeaf
{
public:
    RecordIdGreaterLeaf(ISearchDatabase& database, const char* typed)
        : RecordIdLeaf(database, typed, idGreater)
    {
    }
};

class RecordIdGreaterEqualLeaf : public RecordIdLeaf
{
public:
    RecordIdGreaterEqualLeaf(ISearchDatabase& database, const char* typed)
        : RecordIdLeaf(database, typed, idGreaterEqual)
    {
    }
};

// "from-to": the "and" of a RecordIdGreaterEqualLeaf (left) and a
// RecordIdLessEqualLeaf (right), whose set is the one walk of the record-ID
// index from the first entry at or above `from` to the last at or below `to`,
// where the two ends would each walk their side of the whole index.
class RecordIdRangeNode : public SearchAndNode
{
public:
    // Takes both ends.
    RecordIdRangeNode(RecordIdGreaterEqualLeaf* low, RecordIdLessEqualLeaf* high);
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    DBRecordSet EvaluateSure(ISearchDatabase& database, BOOL& needsTest, DBRecordSet& sure) override;

private:
    const std::string& m_from;
    const std::string& m_to;
};

// A term of no character or of more than 20: message 5294 and the parse is
// aborted (the class library's user exception).
void CheckRecordIdTerm(const char* term);

// "=" in the search language: "from-to" (split at the first "-") is the
// range from..to, both ends included (a RecordIdRangeNode); anything else one ID. Both ends are
// checked, from first. The caller owns the node.
SearchNode* MakeRecordIdEqualsNode(ISearchDatabase& database, const char* term);
