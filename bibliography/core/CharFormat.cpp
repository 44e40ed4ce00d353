#include "bibliography/core/CharFormat.h"

#include "classlib/CString.h"

#include <string.h>

CharFormat::CharFormat() : CharFormat("Times New Roman", 0, 12, 0) {}

CharFormat::CharFormat(const char* name, int style_, int size_, int charSet_)
    : style(style_), size(size_), charSet(charSet_)
{
    SetFontName(name);
}

CharFormat& CharFormat::operator=(const CharFormat& other)
{
    if (this != &other) {
        memcpy(fontName, other.fontName, sizeof fontName);
        style = other.style;
        size = other.size;
        charSet = other.charSet;
    }
    return *this;
}

void CharFormat::SetFontName(const char* name)
{
    memset(fontName, 0, sizeof fontName);
    if (name != nullptr)
        strncpy(fontName, name, sizeof fontName - 1);
}

BOOL CharFormat::Differs(const CharFormat& other) const
{
    return CString(fontName).CompareNoCase(other.fontName) != 0 || style != other.style ||
           size != other.size || charSet != other.charSet;
}
