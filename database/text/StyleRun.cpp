#include "database/text/StyleRun.h"

#include <string.h>

StyleRun::StyleRun() : StyleRun(0, 0, nullptr, 0)
{
}

StyleRun::StyleRun(WORD style, short pointSize, const char* fontName, int length, BYTE charSet,
                   BYTE encoding)
    : length(length), style(style), pointSize(pointSize), encoding(encoding), charSet(charSet)
{
    SetFontName(fontName);
}

void StyleRun::SetFontName(const char* name)
{
    memset(fontName, 0, sizeof fontName);
    if (name != nullptr)
    {
        size_t n = strlen(name);
        if (n > kFontNameSize - 1)
            n = kFontNameSize - 1;
        memcpy(fontName, name, n);
    }
}

bool StyleRun::IsPlain() const
{
    return style == 0 && pointSize == 0 && encoding == 0 && charSet == 0 && fontName[0] == '\0';
}

bool StyleRun::HasSameAttributes(const StyleRun& other) const
{
    return style == other.style && pointSize == other.pointSize && charSet == other.charSet &&
           encoding == other.encoding && strncmp(fontName, other.fontName, kFontNameSize) == 0;
}

bool StyleRun::FontNameIs(const char* name) const
{
    for (int i = 0; i < kFontNameSize; ++i)
    {
        char a = fontName[i];
        char b = name[i];
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (b >= 'a' && b <= 'z')
            b = static_cast<char>(b - 'a' + 'A');
        if (a != b)
            return false;
        if (a == '\0')
            return true;
    }
    return name[kFontNameSize] == '\0';
}
