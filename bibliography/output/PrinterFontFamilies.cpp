#include "bibliography/output/PrinterFontFamilies.h"

#include "classlib/Exceptions.h"

#include <string.h>

#ifdef _WIN32
#include "app/core/win/PrinterDC.h"

#include <windows.h>
#endif

RtfFontFamily::RtfFontFamily() : pitchAndFamily(0)
{
    memset(faceName, 0, sizeof faceName);
}

RtfFontFamily::RtfFontFamily(const char* name, BYTE pitchAndFamily_) : pitchAndFamily(pitchAndFamily_)
{
    memset(faceName, 0, sizeof faceName);
    if (name != nullptr)
        strncpy(faceName, name, sizeof faceName - 1);
}

#ifdef _WIN32

namespace {
int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM context)
{
    // No exception may cross the system's enumeration: a failed add ends it.
    try {
        reinterpret_cast<RtfFontFamilyArray*>(context)->Add(
            RtfFontFamily(font->lfFaceName, font->lfPitchAndFamily));
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
    return 1;
}

} // namespace

void ListPrinterFontFamilies(RtfFontFamilyArray& families)
{
    HDC dc = GetPrinterDC();
    if (dc == nullptr)
        return;
    ::EnumFontFamiliesA(dc, nullptr, AddFamily, reinterpret_cast<LPARAM>(&families));
    ::DeleteDC(dc);
}

#else

void ListPrinterFontFamilies(RtfFontFamilyArray&) {}

#endif
