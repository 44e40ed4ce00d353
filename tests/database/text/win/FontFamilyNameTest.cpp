#include "database/text/win/FontFamilyName.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

int CALLBACK CollectTrueTypeFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD fontType, LPARAM param)
{
    auto* faces = reinterpret_cast<std::vector<std::string>*>(param);
    // Vertical faces ("@name") are the same families turned on their side.
    if ((fontType & TRUETYPE_FONTTYPE) != 0 && lf->lfFaceName[0] != '@')
        faces->push_back(lf->lfFaceName);
    return 1;
}

// The TrueType families installed for the character set, as the system enumerates them.
std::vector<std::string> InstalledTrueTypeFaces(BYTE charSet)
{
    std::vector<std::string> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTA lf = {};
    lf.lfCharSet = charSet;
    EnumFontFamiliesExA(dc, &lf, CollectTrueTypeFace, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);
    return faces;
}

// The first of the preferred faces that is installed, else the first installed one.
std::string PickFace(const std::vector<std::string>& installed)
{
    for (const char* preferred : {"Arial", "Tahoma", "Liberation Sans", "DejaVu Sans"}) {
        if (std::find(installed.begin(), installed.end(), preferred) != installed.end())
            return preferred;
    }
    return installed.empty() ? std::string() : installed.front();
}

TEST(FontFamilyNameTest, UnknownOrEmptyFacesGiveNoName)
{
    CString family("unchanged");
    EXPECT_FALSE(GetFontFamilyName("", 0, family));
    EXPECT_FALSE(GetFontFamilyName(nullptr, 0, family));
    EXPECT_STREQ("unchanged", family);
}

// An installed face reports its own family, in the ANSI set and in a national
// set it covers (the case normalisation asks about).
TEST(FontFamilyNameTest, InstalledFaceReportsItsFamily)
{
    for (BYTE charSet : {BYTE(ANSI_CHARSET), BYTE(RUSSIAN_CHARSET)}) {
        const std::string face = PickFace(InstalledTrueTypeFaces(charSet));
        ASSERT_FALSE(face.empty()) << "no TrueType face installed for character set " << int(charSet);
        CString family("unchanged");
        EXPECT_TRUE(GetFontFamilyName(face.c_str(), charSet, family)) << face;
        EXPECT_STREQ(face.c_str(), family) << int(charSet);
    }
}

} // namespace
