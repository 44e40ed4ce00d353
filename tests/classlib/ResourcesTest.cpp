#include "classlib/Resources.h"

#include <gtest/gtest.h>

#include <string>

TEST(ResourcesTest, StringTableLookups)
{
    CString s;
    EXPECT_TRUE(AfxLoadStringResource(4100, s));
    EXPECT_STREQ(s, "An error occurred while accessing or updating this database. This database should be "
                    "repaired using the Rebuild command under the Tools menu.");
    EXPECT_TRUE(AfxLoadStringResource(4101, s));
    EXPECT_NE(s.Find("Tools menu.\n\nWould you like to continue"), -1);
    EXPECT_TRUE(AfxLoadStringResource(AFX_IDP_FAILED_INVALID_PATH, s));
    EXPECT_NE(s.Find("%1"), -1);

    EXPECT_FALSE(AfxLoadStringResource(4099, s));
    EXPECT_TRUE(s.IsEmpty());

    // Every file-error prompt the reports use exists.
    for (UINT id = AFX_IDP_FAILED_INVALID_FORMAT; id <= AFX_IDP_FAILED_IO_ERROR_WRITE; ++id)
        EXPECT_TRUE(AfxLoadStringResource(id, s)) << id;
    for (UINT id = AFX_IDP_FILE_NONE; id <= AFX_IDP_FILE_EOF; ++id)
        EXPECT_TRUE(AfxLoadStringResource(id, s)) << id;
}

TEST(ResourcesTest, InsertsReplacePercentDigits)
{
    CString s;
    AfxFormatString1(s, AFX_IDP_ASK_TO_SAVE, "Refs.ldt");
    EXPECT_STREQ(s, "Save changes to Refs.ldt?");

    LPCTSTR two[] = {"A", "B"};
    AfxFormatStrings(s, "%2-%1-%3-%%1-100%", two, 2);
    EXPECT_STREQ(s, "B-A-%3-%A-100%");
    LPCTSTR none[] = {nullptr, "x"};
    AfxFormatStrings(s, "[%1][%2]", none, 2);
    EXPECT_STREQ(s, "[][x]");
    AfxFormatString2(s, 4099, "a", "b");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(ResourcesTest, BinaryResourceByTypeAndNumber)
{
    // res/data/ResourceSample.bin
    const std::string expected("LV\0\x01\xFF\xFE\"quoted\";\r\n\x80" "end", 21);
    DWORD size = 0;
    const void* p = AfxFindBinaryResource("LVTEST", 1, &size);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(p), size), expected);

    EXPECT_EQ(AfxFindBinaryResource("LVTEST", 2, &size), nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(AfxFindBinaryResource("YACC", 1, nullptr), nullptr);
}
