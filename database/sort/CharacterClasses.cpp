#include "database/sort/CharacterClasses.h"

#include "classlib/CodePage1252.h"

#include <string.h>

char ToUpperChar(char ch)
{
    return static_cast<char>(AnsiCharUpper(static_cast<BYTE>(ch)));
}

char ToLowerChar(char ch)
{
    return static_cast<char>(AnsiCharLower(static_cast<BYTE>(ch)));
}

void MakeUpper(char* text)
{
    AnsiCharUpperBuff(text, static_cast<UINT>(strlen(text)));
}

void MakeLowerBuffer(char* text, int length)
{
    if (length > 0)
        AnsiCharLowerBuff(text, static_cast<UINT>(length));
}

BOOL IsAlpha(char ch)
{
    return AnsiIsCharAlpha(static_cast<BYTE>(ch));
}

BOOL IsAlphaNumeric(char ch)
{
    return AnsiIsCharAlphaNumeric(static_cast<BYTE>(ch));
}

BOOL IsUpper(char ch)
{
    return AnsiIsCharUpper(static_cast<BYTE>(ch));
}
