#include "database/text/win/FontFamilyName.h"

#include <gtest/gtest.h>

TEST(FontFamilyNameTest, UnknownOrEmptyFacesGiveNoName)
{
    CString family("unchanged");
    EXPECT_FALSE(GetFontFamilyName("", 0, family));
    EXPECT_FALSE(GetFontFamilyName(nullptr, 0, family));
    EXPECT_STREQ("unchanged", family);
}
