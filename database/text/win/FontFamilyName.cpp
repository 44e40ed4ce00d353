#include "database/text/win/FontFamilyName.h"

#include <string.h>
#include <vector>

BOOL GetFontFamilyName(const char* faceName, BYTE charSet, CString& familyName)
{
    if (faceName == nullptr || faceName[0] == '\0')
        return FALSE;
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    lf.lfCharSet = charSet;
    HFONT font = CreateFontIndirectA(&lf);
    if (font == nullptr)
        return FALSE;
    BOOL found = FALSE;
    HDC dc = GetDC(nullptr);
    if (dc != nullptr)
    {
        HGDIOBJ old = SelectObject(dc, font);
        const UINT size = GetOutlineTextMetricsA(dc, 0, nullptr);
        if (size >= sizeof(OUTLINETEXTMETRICA))
        {
            std::vector<BYTE> buffer(size);
            OUTLINETEXTMETRICA* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.data());
            // The name fields hold offsets from the start of the structure.
            size_t offset = 0;
            if (GetOutlineTextMetricsA(dc, size, otm) != 0)
                offset = reinterpret_cast<size_t>(otm->otmpFamilyName);
            if (offset > 0 && offset < size)
            {
                const char* name = reinterpret_cast<const char*>(buffer.data() + offset);
                familyName = CString(name, static_cast<int>(strnlen(name, size - offset)));
                found = !familyName.IsEmpty();
            }
        }
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
    }
    DeleteObject(font);
    return found;
}
