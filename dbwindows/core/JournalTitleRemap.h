// Journal titles moved inside one record to the field its workform keeps
// them in: field 10 into field 7 for the standard workform 8 that keeps them
// there, field 9 into field 10 for a workform without field 9 but with field
// 10. The imports call it for every record they add. A moved text (with its
// runs) is appended to the target field and the source field is emptied.
#pragma once

class DBRecord;

void RemapJournalTitleFields(DBRecord& record);
