// Styled cells drawn into a memory device context as a GN_DRAWCELL block gives them: which runs take a
// font of the cache (seen through its observer), shared fonts, faces missing in a character set, right
// alignment and runs reaching past the text.
#include "database/text/StyledString.h"
#include "grid/listbox/win/DrawStyledGridCell.h"
#include "grid/listbox/win/FontCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Lookup
{
    LOGFONT logFont;
    HFONT font;
    bool created;
};
std::vector<Lookup> s_lookups;
void Observe(const LOGFONT& lf, HFONT font, bool created)
{
    s_lookups.push_back({lf, font, created});
}

class StyledGridCellTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        screen = ::GetDC(nullptr);
        dc = ::CreateCompatibleDC(screen);
        bitmap = ::CreateCompatibleBitmap(screen, 300, 40);
        oldBitmap = ::SelectObject(dc, bitmap);
        gridFont = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
        oldFont = ::SelectObject(dc, gridFont);
        state = {};
        state.font = gridFont;
        s_lookups.clear();
        CFontCache::SetObserver(Observe);
    }
    void TearDown() override
    {
        CFontCache::SetObserver(nullptr);
        ::SelectObject(dc, oldFont);
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        ::ReleaseDC(nullptr, screen);
    }
    GridWndNotify Block(LONG align = GRID_ALIGN_LEFT)
    {
        GridWndNotify b = {};
        b.dc = dc;
        b.rect = {0, 0, 300, 40};
        b.textColor = RGB(0, 0, 0);
        b.backColor = RGB(255, 255, 255);
        b.align = align;
        return b;
    }
    // The columns that hold a dark pixel: first and last.
    std::pair<int, int> InkColumns()
    {
        int first = -1, last = -1;
        for (int x = 0; x < 300; ++x)
            for (int y = 0; y < 40; ++y)
                if (::GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
        return {first, last};
    }
    POINT Position()
    {
        POINT p;
        ::GetCurrentPositionEx(dc, &p);
        return p;
    }

    HDC screen = nullptr, dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr, oldFont = nullptr;
    HFONT gridFont = nullptr;
    GridWndState state;
};

StyledString Runs(std::initializer_list<std::pair<const char*, StyleRun>> parts)
{
    StyledString s;
    for (const auto& [text, run] : parts)
        s.AppendStyled(text, static_cast<int>(strlen(text)), run);
    return s;
}

TEST_F(StyledGridCellTest, OnlyRunsWithAFaceStylesOrAnotherCharacterSetTakeACachedFont)
{
    TEXTMETRIC tm;
    ::GetTextMetrics(dc, &tm);
    const BYTE gridCharSet = tm.tmCharSet;
    const BYTE other = gridCharSet == GREEK_CHARSET ? RUSSIAN_CHARSET : GREEK_CHARSET;
    struct Case
    {
        const char* what;
        StyleRun run;
        int lookups;
        const char* face; // of the lookup
        LONG weight;
        BYTE italic, underline, charSet;
    };
    const Case cases[] = {
        {"plain", StyleRun(0, 0, nullptr, 0, gridCharSet), 0, "", 0, 0, 0, 0},
        {"plain with its own size", StyleRun(0, 24, nullptr, 0, gridCharSet), 0, "", 0, 0, 0, 0},
        {"bold", StyleRun(kStyleBold, 0, nullptr, 0, gridCharSet), 1, "MS Sans Serif", 700, 0, 0,
         gridCharSet},
        {"italic underlined", StyleRun(kStyleItalic | kStyleUnderline, 0, nullptr, 0, gridCharSet), 1,
         "MS Sans Serif", 400, 1, 1, gridCharSet},
        {"superscript", StyleRun(kStyleSuperscript, 0, nullptr, 0, gridCharSet), 1, "MS Sans Serif", 400, 0,
         0, gridCharSet},
        {"a face", StyleRun(0, 0, "Courier New", 0, gridCharSet), 1, "Courier New", 400, 0, 0, gridCharSet},
        {"another character set", StyleRun(0, 0, "Arial", 0, other), 1, "Arial", 400, 0, 0, other},
        {"a face missing in its character set", StyleRun(0, 0, "No Such Face", 0, other), 1, "", 400, 0, 0,
         other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s_lookups.clear();
        GridWndNotify b = Block();
        DrawStyledGridCell(Runs({{"Abc ", StyleRun()}, {"xyz", c.run}}), b, state);
        ASSERT_EQ(static_cast<size_t>(c.lookups), s_lookups.size());
        if (!c.lookups)
            continue;
        const LOGFONT& lf = s_lookups[0].logFont;
        EXPECT_STREQ(c.face, lf.lfFaceName);
        EXPECT_EQ(c.weight, lf.lfWeight);
        EXPECT_EQ(c.italic, lf.lfItalic);
        EXPECT_EQ(c.underline, lf.lfUnderline);
        EXPECT_EQ(c.charSet, lf.lfCharSet);
        HDC screenDc = ::GetDC(nullptr);
        EXPECT_EQ(-::MulDiv(8, ::GetDeviceCaps(screenDc, LOGPIXELSY), 72), lf.lfHeight)
            << "the list's 8 points, whatever the run's size";
        ::ReleaseDC(nullptr, screenDc);
        EXPECT_NE(nullptr, s_lookups[0].font);
    }
}

TEST_F(StyledGridCellTest, CellsAskingForTheSameFontShareOne)
{
    const StyledString bold = Runs({{"Bold", StyleRun(kStyleBold, 0, "Times New Roman", 0)}});
    for (int cell = 0; cell < 2; ++cell) {
        GridWndNotify b = Block();
        DrawStyledGridCell(bold, b, state);
    }
    const StyledString italic = Runs({{"Italic", StyleRun(kStyleItalic, 0, "Times New Roman", 0)}});
    GridWndNotify b = Block();
    DrawStyledGridCell(italic, b, state);
    ASSERT_EQ(3u, s_lookups.size());
    EXPECT_EQ(s_lookups[0].font, s_lookups[1].font);
    EXPECT_FALSE(s_lookups[1].created) << "the second cell finds the first one's font";
    EXPECT_NE(s_lookups[0].font, s_lookups[2].font);
}

TEST_F(StyledGridCellTest, AlignmentColoursAndRunsPastTheText)
{
    const StyledString text = Runs({{"Wide", StyleRun()}, {"Text", StyleRun(kStyleBold, 0, nullptr, 0)}});
    GridWndNotify left = Block(GRID_ALIGN_LEFT);
    ::SetTextAlign(dc, TA_NOUPDATECP);
    EXPECT_EQ(static_cast<UINT>(TA_NOUPDATECP), DrawStyledGridCell(text, left, state));
    EXPECT_EQ(static_cast<UINT>(TA_NOUPDATECP), ::GetTextAlign(dc)) << "the alignment given back";
    const auto leftInk = InkColumns();
    EXPECT_GE(leftInk.first, 2);
    EXPECT_LE(leftInk.first, 4) << "laid out from 2 pixels inside the left edge";
    const int width = leftInk.second - leftInk.first;

    GridWndNotify right = Block(GRID_ALIGN_RIGHT);
    DrawStyledGridCell(text, right, state);
    const auto rightInk = InkColumns();
    EXPECT_GE(rightInk.second, 300 - 5);
    EXPECT_LE(rightInk.second, 300 - 3) << "laid out from 2 pixels inside the right edge";
    EXPECT_NEAR(width, rightInk.second - rightInk.first, 2) << "the same runs, leftwards";

    // Selected colours fill the whole cell.
    GridWndNotify selected = Block();
    selected.backColor = RGB(0, 0, 128);
    selected.textColor = RGB(255, 255, 255);
    DrawStyledGridCell(StyledString(""), selected, state);
    EXPECT_EQ(RGB(0, 0, 128), ::GetPixel(dc, 150, 20));
    EXPECT_EQ(RGB(0, 0, 128), ::GetPixel(dc, 299, 39));

    // A damaged string whose last run reaches past its text draws the text only: the pen ends where
    // the sound string's does.
    StyledString sound = Runs({{"abc", StyleRun()}, {"def", StyleRun(kStyleBold, 0, nullptr, 0)}});
    StyledString damaged = sound;
    damaged.runs.Last().length = 40;
    StyledString overlong = sound;
    overlong.runs[0].length = 50; // the first run alone already covers more than the text
    std::vector<LONG> ends;
    for (const StyledString* s : {&sound, &damaged, &overlong}) {
        GridWndNotify b = Block();
        ::MoveToEx(dc, 0, 0, nullptr);
        DrawStyledGridCell(*s, b, state);
        ::SetTextAlign(dc, TA_UPDATECP);
        ends.push_back(Position().x);
        ::SetTextAlign(dc, TA_NOUPDATECP);
    }
    EXPECT_EQ(ends[0], ends[1]);
    EXPECT_GT(ends[0], 2);
    EXPECT_LT(ends[2], ends[0]) << "all six characters in the plain font, narrower than with the bold three";
    EXPECT_GT(ends[2], 2);
}

} // namespace
