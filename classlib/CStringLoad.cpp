// CString::LoadString lives apart from CString.cpp so that the string class
// itself does not depend on the resource tables.
#include "classlib/CString.h"
#include "classlib/Resources.h"

BOOL CString::LoadString(UINT nID)
{
    CString text;
    const BOOL bFound = AfxLoadStringResource(nID, text);
    *this = static_cast<CString&&>(text);
    return bFound;
}
