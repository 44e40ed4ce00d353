// The New type chooser: a small modal list of document kinds, for File New when several templates have a
// File New name.
#pragma once

#include "classlib/CString.h"

#include <vector>

class CWnd;

// The dialog's list control id (tests find it by this).
#define AFX_IDC_NEWTYPE_LIST 100

// Shows the names (first selected) in a dialog titled AFX_IDS_NEWTYPE owned by pOwner; the chosen
// index, or -1 when cancelled.
int AfxChooseNewType(CWnd* pOwner, const std::vector<CString>& names);
