// DDX_SortOrder: a sort-order code (the number of one of a database's first eight sort slots) exchanged
// with a drop-down list of the eight orders, shown in this order: "Author/Title/Date", "Author/Date/Title",
// "Author-Title/Title/Date", "Title/Date", "Date/Author/Title", "Call Number/Author/Title",
// "Record Number", "Custom". An empty list gets the eight items when it is loaded.
//
// Loading code 0 to 7 selects item 6, 0, 1, 2, 3, 4, 5, 7 (another code is taken as the item itself);
// saving item 0 to 7 gives code 1, 2, 3, 4, 5, 6, 0, 7, and no selection (or another item) gives 1.
#pragma once

#include "classlib/win/DataExchange.h"

void DDX_SortOrder(CDataExchange* pDX, int nIDC, int& code);
