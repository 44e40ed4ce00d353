#include "database/search/GroupLeaf.h"

#include "app/core/ErrorReport.h"
#include "database/db/DBRecord.h"
#include "database/search/ISearchDatabase.h"

namespace {

const UINT IDP_NO_SUCH_GROUP = 5295;

} // namespace

GroupLeaf::GroupLeaf(ISearchDatabase& database, const char* groupName) : name(groupName), m_database(database)
{
    if (!m_database.GroupExists(groupName))
        ShowErrorAndAbort(IDP_NO_SUCH_GROUP, groupName);
}

BOOL GroupLeaf::Test(const DBRecord& record)
{
    if (!m_database.GroupExists(name.c_str()))
        return FALSE;
    const DBRecordSet* group = m_database.FindGroup(name.c_str());
    return group != nullptr && group->Contains(record.GetRecordNumber());
}

DBRecordSet GroupLeaf::Evaluate(ISearchDatabase& database, BOOL&)
{
    const DBRecordSet* group =
        database.GroupExists(name.c_str()) ? database.FindGroup(name.c_str()) : nullptr;
    return group ? DBRecordSet(*group) : DBRecordSet();
}
