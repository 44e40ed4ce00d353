// Logical fonts, font settings and font lists.
#include "app/core/win/FontSettings.h"

#include "app/core/win/PrinterDC.h"
#include "app/core/win/ScreenMetrics.h"
#include "classlib/WinApp.h"
#include "classlib/win/ComboBox.h"

#include <cstring>

namespace {

const char kFontNameKey[] = "Font Name";
const char kFontSizeKey[] = "Font Size";

void CopyFace(LOGFONT& font, const char* faceName)
{
    // LF_FACESIZE holds 31 characters and the terminator.
    std::strncpy(font.lfFaceName, faceName != nullptr ? faceName : "", LF_FACESIZE - 1);
    font.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void AddOnce(CComboBox& combo, const char* name)
{
    if (combo.FindStringExact(-1, name) == CB_ERR)
        combo.AddString(name);
}

int CALLBACK AddScreenFamily(const LOGFONT* font, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    AddOnce(*reinterpret_cast<CComboBox*>(lParam), font->lfFaceName);
    return 1;
}

int CALLBACK AddPrinterFamily(const LOGFONT* font, const TEXTMETRIC*, DWORD fontType, LPARAM lParam)
{
    if (fontType & (TRUETYPE_FONTTYPE | DEVICE_FONTTYPE))
        AddOnce(*reinterpret_cast<CComboBox*>(lParam), font->lfFaceName);
    return 1;
}

} // namespace

void MakeLogFont(LOGFONT& font, const char* faceName, int points, BOOL bBold, BOOL bItalic, BOOL bUnderline)
{
    std::memset(&font, 0, sizeof font);
    font.lfHeight = -::MulDiv(points, ScreenMetrics.logPixelsY, 72);
    font.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = bItalic ? 1 : 0;
    font.lfUnderline = bUnderline ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    CopyFace(font, faceName);
}

void LoadFontSetting(const char* section, LOGFONT& font, const char* defaultFace, int defaultSize)
{
    CWinApp* pApp = AfxGetApp();
    const CString face = pApp->GetProfileString(section, kFontNameKey, defaultFace);
    const int size = static_cast<int>(pApp->GetProfileInt(section, kFontSizeKey, defaultSize));
    std::memset(&font, 0, sizeof font);
    CopyFace(font, face);
    font.lfHeight = ::MulDiv(size, ScreenMetrics.logPixelsY, 72);
    font.lfCharSet = DEFAULT_CHARSET;
}

void SaveFontSetting(const char* section, const LOGFONT& font)
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileString(section, kFontNameKey, font.lfFaceName);
    pApp->WriteProfileInt(section, kFontSizeKey, ::MulDiv(font.lfHeight, 72, ScreenMetrics.logPixelsY));
}

void GetLogFontMetrics(const LOGFONT& font, TEXTMETRIC& metrics)
{
    std::memset(&metrics, 0, sizeof metrics);
    HFONT hFont = ::CreateFontIndirect(&font);
    HDC hScreenDC = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreenDC);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    ::GetTextMetrics(hDC, &metrics);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreenDC);
    ::DeleteObject(hFont);
}

void FillScreenFontCombo(CComboBox& combo)
{
    HDC hDC = ::GetDC(nullptr);
    if (hDC == nullptr)
        return;
    combo.ResetContent();
    LOGFONT all = {};
    all.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesEx(hDC, &all, AddScreenFamily, reinterpret_cast<LPARAM>(&combo), 0);
    ::ReleaseDC(nullptr, hDC);
}

void FillPrinterFontCombo(CComboBox& combo)
{
    HDC hDC = GetPrinterDC();
    if (hDC == nullptr)
        return;
    combo.ResetContent();
    ::EnumFontFamilies(hDC, nullptr, AddPrinterFamily, reinterpret_cast<LPARAM>(&combo));
    ::DeleteDC(hDC);
}

void FillFontSizeCombo(CComboBox& combo)
{
    static const int sizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    combo.ResetContent();
    for (int size : sizes) {
        char text[8];
        wsprintf(text, "%d", size);
        combo.AddString(text);
    }
}
