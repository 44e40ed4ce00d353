#include "grid/listbox/win/GridFontServices.h"

#include <string.h>

namespace {

int CALLBACK FoundOne(const LOGFONT*, const TEXTMETRIC*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

} // namespace

bool FontExistsInCharset(const char* face, BYTE charSet)
{
    if (charSet == DEFAULT_CHARSET)
        return true;
    LOGFONT lf = {};
    lf.lfCharSet = charSet;
    if (face)
        strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesEx(screen, &lf, reinterpret_cast<FONTENUMPROC>(FoundOne),
                         reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}
