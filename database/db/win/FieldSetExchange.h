// Data exchange of field choices with the dialogs' lists.
//
// DDX_FieldListBox: a multiple-selection list box whose item i is field i + 1. Saving clears the set and
// adds field index + 1 for each selected item (at most 48 selected items are read); loading selects item
// field - 1 for each of the fields 45 down to 1 in the set and leaves the other items as they are.
// DDX_CBIndexByte: a combo box whose item i stands for the value i + 1.
#pragma once

#include "classlib/win/DataExchange.h"
#include "database/db/FieldSet.h"

void DDX_FieldListBox(CDataExchange* pDX, int nIDC, FieldSet& fields);
void DDX_CBIndexByte(CDataExchange* pDX, int nIDC, BYTE& value);
