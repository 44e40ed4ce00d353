// The test machines' drawing environment: pinned fonts that measure like the Windows faces they stand
// for, Wine's Symbol font, and a default printer whose device context exists.
#include "classlib/win/DC.h"

#include <gtest/gtest.h>

#include <winspool.h>

namespace {

CSize MeasureIn(CDC& dc, LPCTSTR face, LPCTSTR text)
{
    CFont font;
    EXPECT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face));
    CFont* pOld = dc.SelectObject(&font);
    const CSize size = dc.GetTextExtent(text, lstrlen(text));
    dc.SelectObject(pOld);
    return size;
}

TEST(TestEnvironment, WindowsFacesMeasureAsTheirLiberationReplacements)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const char text[] = "Lorvane 5: Smith & Jones, 1999";
    const struct
    {
        const char* face;
        const char* replacement;
    } cases[] = {
        {"Times New Roman", "Liberation Serif"},
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"MS Sans Serif", "Liberation Sans"},
    };
    for (const auto& c : cases) {
        const CSize size = MeasureIn(dc, c.face, text);
        EXPECT_EQ(MeasureIn(dc, c.replacement, text), size) << c.face;
        EXPECT_GT(size.cx, 100) << c.face;
    }
    // Different faces really differ: the pinning is not a single fallback font.
    EXPECT_NE(MeasureIn(dc, "Times New Roman", text), MeasureIn(dc, "Courier New", text));
}

TEST(TestEnvironment, SymbolFontHasTheSymbolCharacterSet)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Symbol"));
    CFont* pOld = dc.SelectObject(&font);
    EXPECT_EQ(static_cast<UINT>(SYMBOL_CHARSET), dc.GetTextCharset());
    CString face;
    dc.GetTextFace(face);
    EXPECT_STREQ("Symbol", face);
    dc.SelectObject(pOld);
}

TEST(TestEnvironment, DefaultPrinterGivesAPrinterDC)
{
    char name[256] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(::GetDefaultPrinter(name, &size)) << "no default printer: is cupsd running with a queue?";
    CDC dc;
    ASSERT_TRUE(dc.CreateDC("WINSPOOL", name, nullptr, nullptr));
    EXPECT_EQ(DT_RASPRINTER, dc.GetDeviceCaps(TECHNOLOGY));
    EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSX), 0);
    // Letter at the printer's resolution, 8.5 by 11 inches.
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX) * 85 / 10, dc.GetDeviceCaps(PHYSICALWIDTH));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY) * 11, dc.GetDeviceCaps(PHYSICALHEIGHT));
}

} // namespace
