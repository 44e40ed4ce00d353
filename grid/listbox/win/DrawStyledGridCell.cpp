#include "grid/listbox/win/DrawStyledGridCell.h"

#include "classlib/WinApp.h"
#include "database/text/StyledString.h"
#include "grid/listbox/win/FontCache.h"
#include "grid/listbox/win/GridFontServices.h"

namespace {

const char kListSection[] = "Record List Options";

// The record list's face and point size, which styled runs without their own face use.
void ListFont(CString& face, int& points)
{
    face = "MS Sans Serif";
    points = 8;
    if (CWinApp* app = AfxGetApp()) {
        face = app->GetProfileString(kListSection, "Font Name", "MS Sans Serif");
        points = static_cast<int>(app->GetProfileInt(kListSection, "Font Size", 8));
    }
}

HFONT RunFont(const StyleRun& run)
{
    CString face;
    int points;
    ListFont(face, points);
    if (run.fontName[0])
        face = run.fontName;
    LOGFONT lf;
    MakeLogFont(lf, face, points, (run.style & kStyleBold) != 0, (run.style & kStyleItalic) != 0,
                (run.style & kStyleUnderline) != 0);
    lf.lfCharSet = run.charSet;
    if (!FontExistsInCharset(lf.lfFaceName, run.charSet))
        lf.lfFaceName[0] = '\0';
    return CFontCache::Lookup(lf);
}

} // namespace

UINT DrawStyledGridCell(const StyledString& text, GridWndNotify& block, const GridWndState& gridState)
{
    HDC dc = block.dc;
    HGDIOBJ before = gridState.font ? ::SelectObject(dc, gridState.font) : nullptr;
    TEXTMETRIC tm = {};
    ::GetTextMetrics(dc, &tm);
    const BYTE gridCharSet = tm.tmCharSet;
    ::SetTextColor(dc, block.textColor);
    ::SetBkColor(dc, block.backColor);
    const UINT previous = ::SetTextAlign(dc, static_cast<UINT>(block.align) | TA_UPDATECP | TA_BASELINE);
    const RECT& r = block.rect;
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    const int x = (block.align & GRID_ALIGN_RIGHT) ? r.right - 2 : r.left + 2;
    ::MoveToEx(dc, x, r.top + tm.tmAscent + 1, nullptr);
    int at = 0;
    const int length = text.GetLength();
    const char* chars = text.text;
    for (int i = 0; i < text.runs.GetSize() && at < length; ++i) {
        const StyleRun& run = text.runs[i];
        const int count = run.length < length - at ? run.length : length - at;
        if (count <= 0)
            continue;
        const bool own = run.charSet != gridCharSet || run.fontName[0] != '\0' || run.style != 0;
        HFONT f = own ? RunFont(run) : nullptr;
        HGDIOBJ old = f ? ::SelectObject(dc, f) : nullptr;
        ::ExtTextOut(dc, 0, 0, ETO_CLIPPED, &r, chars + at, static_cast<UINT>(count), nullptr);
        if (old)
            ::SelectObject(dc, old);
        at += count;
    }
    ::SetTextAlign(dc, previous);
    if (before)
        ::SelectObject(dc, before);
    return previous;
}
