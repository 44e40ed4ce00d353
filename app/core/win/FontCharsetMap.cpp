// The face-to-character-set map of the default printer.
#include "app/core/win/FontCharsetMap.h"

#include "app/core/win/PrinterDC.h"

#include <map>
#include <string>

namespace {

std::map<std::string, BYTE>& CharsetMap()
{
    static std::map<std::string, BYTE> map;
    return map;
}
bool g_bFilled = false;

int CALLBACK AddFamily(const LOGFONT* font, const TEXTMETRIC*, DWORD, LPARAM)
{
    CharsetMap().emplace(font->lfFaceName, font->lfCharSet); // the first set enumerated stays
    return 1;
}

void FillOnce()
{
    if (g_bFilled)
        return;
    g_bFilled = true; // set first: a failure is not retried
    HDC hDC = GetPrinterDC();
    if (hDC == nullptr)
        return;
    ::EnumFontFamilies(hDC, nullptr, AddFamily, 0);
    ::DeleteDC(hDC);
}

} // namespace

BOOL LookupFontCharset(const char* faceName, BYTE& charSet)
{
    if (faceName == nullptr || *faceName == '\0')
        return FALSE;
    FillOnce();
    const auto it = CharsetMap().find(faceName);
    if (it == CharsetMap().end())
        return FALSE;
    charSet = it->second;
    return TRUE;
}
