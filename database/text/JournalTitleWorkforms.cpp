#include "database/text/JournalTitleWorkforms.h"

#include "database/text/WorkformTable.h"

#include <cstdint>

BOOL IsJournalTitleWorkform(int id)
{
    const IWorkformInfo& workform = GetWorkformTable().FindById(id);
    return !workform.IsFieldUsed(9) && workform.IsFieldUsed(10);
}

BOOL IsField10ToField7Workform(int id)
{
    if (static_cast<int16_t>(id) != 8)
        return FALSE;
    const IWorkformInfo& workform = GetWorkformTable().FindById(id);
    return !workform.IsFieldUsed(11) && workform.IsFieldUsed(7);
}

int GetField10Target(int)
{
    return 7;
}
