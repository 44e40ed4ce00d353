// Workform leaves: one operator and one term against the record's workform
// name (the workform table's name of its workform ID, "<Default>" for an ID
// no workform has), both folded.
//
// Every workform leaf answers exactly from the workform index (no
// needsTest): its names are the names the records' tests read.
#pragma once

#include "database/search/SearchNode.h"

#include <string>

class WorkformLeaf : public SearchNode
{
public:
    BOOL Test(const DBRecord& record) override;
    void AddTestedFields(FieldSet&) const override {}

    std::string term;

protected:
    explicit WorkformLeaf(const char* typed);
    virtual BOOL TestName(const std::string& name) = 0;
    // The union of the sets of every index name that TestName takes, folded.
    DBRecordSet CollectMatchingNames(ISearchDatabase& database);
};

class WorkformWordLeaf : public WorkformLeaf
{
public:
    explicit WorkformWordLeaf(const char* typed);
    // The union of the sets of every index name that the word rule matches.
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

    BOOL leadingStar;
    BOOL trailingStar;

protected:
    BOOL TestName(const std::string& name) override;
};

// "<", "<=", ">", ">=".
class WorkformCompareLeaf : public WorkformLeaf
{
public:
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    WorkformCompareLeaf(const char* typed, BOOL before, BOOL orEqual);
    BOOL TestName(const std::string& name) override;

    BOOL m_before;
    BOOL m_orEqual;
};

class WorkformLessLeaf : public WorkformCompareLeaf
{
public:
    explicit WorkformLessLeaf(const char* typed) : WorkformCompareLeaf(typed, TRUE, FALSE) {}
};

class WorkformLessEqualLeaf : public WorkformCompareLeaf
{
public:
    explicit WorkformLessEqualLeaf(const char* typed) : WorkformCompareLeaf(typed, TRUE, TRUE) {}
};

class WorkformGreaterLeaf : public WorkformCompareLeaf
{
public:
    explicit WorkformGreaterLeaf(const char* typed) : WorkformCompareLeaf(typed, FALSE, FALSE) {}
};

class WorkformGreaterEqualLeaf : public WorkformCompareLeaf
{
public:
    explicit WorkformGreaterEqualLeaf(const char* typed) : WorkformCompareLeaf(typed, FALSE, TRUE) {}
};

// "begins with", "ends with", "exactly", "contains".
class WorkformTextLeaf : public WorkformLeaf
{
public:
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;

protected:
    WorkformTextLeaf(const char* typed, int how);
    BOOL TestName(const std::string& name) override;

    int m_how; // a SearchItemMatch, or -1 for "contains"
};

class WorkformBeginsWithLeaf : public WorkformTextLeaf
{
public:
    explicit WorkformBeginsWithLeaf(const char* typed);
};

class WorkformEndsWithLeaf : public WorkformTextLeaf
{
public:
    explicit WorkformEndsWithLeaf(const char* typed);
};

class WorkformExactlyLeaf : public WorkformTextLeaf
{
public:
    explicit WorkformExactlyLeaf(const char* typed);
};

class WorkformContainsLeaf : public WorkformTextLeaf
{
public:
    explicit WorkformContainsLeaf(const char* typed);
};
