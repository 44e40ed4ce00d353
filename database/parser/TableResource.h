// The bytes of a table resource of the program, found by type and number.
#pragma once

#include "classlib/CString.h"

struct TableResource
{
    CString name; // the number in decimal, as messages name it
    const void* data;
    DWORD size;
};

// The resource (type, nID); raises error missingError with its name when
// there is none.
TableResource FindTableResource(LPCTSTR lpszType, UINT nID, int missingError);
