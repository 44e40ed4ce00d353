#include "bibliography/setup/SetupArchive.h"

#include "classlib/Exceptions.h"

void WriteSetupHeader(CArchive& ar, WORD version)
{
    ar << static_cast<WORD>(0) << version;
}

WORD ReadSetupHeader(CArchive& ar)
{
    WORD schema = 0;
    WORD version = 0;
    ar >> schema;
    if (schema != 0)
        AfxThrowArchiveException(CArchiveException::badSchema);
    ar >> version;
    return version;
}

void WriteSetupInt(CArchive& ar, int value)
{
    ar << static_cast<int32_t>(value);
}

int ReadSetupInt(CArchive& ar)
{
    int32_t value = 0;
    ar >> value;
    return value;
}
