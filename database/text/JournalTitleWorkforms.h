// Where a workform keeps a journal's title. Records of the current model hold
// it in field 10; where a caller asks for field 9 of a workform that has no
// field 9 but a field 10, the text comes from field 10; and the one standard
// workform (ID 8) that kept it in field 7 is served from there when asked
// for field 10. Workforms are looked up in the process-wide table (an unknown
// ID stands for "<Default>").
#pragma once

#include "classlib/Types.h"

// TRUE when the workform does not use field 9 ("Title, Monographic") and uses field 10 ("Journal Title").
BOOL IsJournalTitleWorkform(int id);
// TRUE only for ID 8 when that workform does not use field 11 and uses field 7.
BOOL IsField10ToField7Workform(int id);
// The field that serves field 10 of such a workform: always 7.
int GetField10Target(int id);
