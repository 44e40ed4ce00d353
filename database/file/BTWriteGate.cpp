#include "database/file/BTWriteGate.h"

BOOL BTWriteGate::s_bArmed = FALSE;
BOOL BTWriteGate::s_bTear = FALSE;
DWORD BTWriteGate::s_limit = 0;
DWORD BTWriteGate::s_count = 0;

void BTWriteGate::StopAfter(DWORD changes, BOOL bTear)
{
    s_bArmed = TRUE;
    s_bTear = bTear;
    s_limit = changes;
    s_count = 0;
}

void BTWriteGate::Open()
{
    s_bArmed = FALSE;
    s_count = 0;
}

UINT BTWriteGate::Write(UINT n)
{
    if (!s_bArmed)
        return n;
    if (s_count >= s_limit)
        return 0;
    ++s_count;
    return s_bTear && s_count == s_limit ? n / 2 : n;
}

BOOL BTWriteGate::Change()
{
    if (!s_bArmed)
        return TRUE;
    if (s_count >= s_limit)
        return FALSE;
    ++s_count;
    return TRUE;
}
