#include "dbwindows/core/JournalTitleRemap.h"

#include "database/db/DBRecord.h"
#include "database/text/JournalTitleWorkforms.h"

namespace {

void MoveField(DBRecord& record, int from, int to)
{
    StyledString target = record.GetField((BYTE)to);
    target += record.GetField((BYTE)from);
    record.SetField(target, (BYTE)to);
    record.SetField(StyledString(), (BYTE)from);
}

} // namespace

void RemapJournalTitleFields(DBRecord& record)
{
    const int id = record.GetWorkformId();
    if (IsField10ToField7Workform(id) && !record.GetField(10).IsEmpty())
        MoveField(record, 10, GetField10Target(id));
    if (IsJournalTitleWorkform(id) && !record.GetField(9).IsEmpty())
        MoveField(record, 9, 10);
}
