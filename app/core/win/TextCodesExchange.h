// Data exchange of texts that hold control characters, and of list boxes with string arrays.
//
// DDX_TextWithCodes: a text box shows a tab as "^t", a line feed as "^l" and a carriage return as "^p";
// saving turns the notation back into the characters, so the member holds the real text.
// DDX_ListBoxStrings: saving replaces the array by the list's strings in list order; loading empties the
// list and adds the array's elements in order.
#pragma once

#include "classlib/Array.h"
#include "classlib/win/DataExchange.h"

void DDX_TextWithCodes(CDataExchange* pDX, int nIDC, CString& value);
void DDX_ListBoxStrings(CDataExchange* pDX, int nIDC, CStringArray& strings);
