// The character sets offered for imported text, in the order the lists show
// them, each with the character-set value its runs get.
#pragma once

#include "classlib/Types.h"

struct ImportCharset
{
    const char* name;
    BYTE value;
};

enum
{
    kImportCharsetCount = 12
};

extern const ImportCharset ImportCharsetTable[kImportCharsetCount];
