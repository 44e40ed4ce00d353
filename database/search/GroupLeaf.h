// GroupLeaf: the records of a named group, looked up again at each use, so a
// group deleted after the parse gives an empty set. Never sets needsTest.
#pragma once

#include "database/search/SearchNode.h"

#include <string>

class GroupLeaf : public SearchNode
{
public:
    // A name that no group has: message 5295 and the parse is aborted (the
    // class library's user exception).
    GroupLeaf(ISearchDatabase& database, const char* groupName);
    BOOL Test(const DBRecord& record) override;
    DBRecordSet Evaluate(ISearchDatabase& database, BOOL& needsTest) override;
    void AddTestedFields(FieldSet&) const override {}

    std::string name;

private:
    ISearchDatabase& m_database;
};
