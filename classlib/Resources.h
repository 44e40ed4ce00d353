// String table and custom binary resources.
//
// One source for both builds: the STRINGTABLE blocks of res/strings/*.rc and
// the custom resources ("TYPE" id "file") of res/data/*.rc.  The Windows build
// links them as real resources of the executable (windres); the native build
// links a table generated from the same files at build time.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"
#include "classlib/ClassLibIds.h"

// The text of string nID; FALSE (and an empty text) when there is none.
BOOL AfxLoadStringResource(UINT nID, CString& rString);

// Loads string nIDS and replaces every "%1" (and "%2") by the insert; a NULL
// insert counts as empty.  A missing string gives an empty result.
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The same on a given format, with "%1".."%9" taken from rglpsz[0..nString-1];
// a "%n" past nString stays as it is.
void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);

// The bytes of custom resource (type, numeric id), read-only and valid for the
// whole process, or NULL when there is none; *pSize (when given) gets the size.
const void* AfxFindBinaryResource(LPCTSTR lpszType, UINT nID, DWORD* pSize);
