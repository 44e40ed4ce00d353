#include "database/sort/LanguageSort.h"

#include <string.h>

char* MakeLocaleSortKey(char* dest, int size, const char* text, int flags)
{
    if (size < 1)
        return dest;
    dest[0] = '\0';
    return dest;
}
