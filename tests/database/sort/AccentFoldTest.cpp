#include "database/sort/AccentFold.h"

#include <gtest/gtest.h>

namespace
{
class AccentFoldTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }

    static int Fold(int c) { return g_AccentFold[c]; }
};
} // namespace

TEST_F(AccentFoldTest, AccentedLatinLettersFoldToTheirBaseLetter)
{
    // Every Windows-1252 letter from 0xC0 up, upper then lower case half.
    const char expected[] = "AAAAAAACEEEEIIII" // À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
                            "\xD0N" "OOOOO\xD7\xD8UUUUY\xDE\xDF" // Ð Ñ Ò-Ö × Ø Ù-Ü Ý Þ ß
                            "AAAAAAACEEEEIIII" // à .. ï
                            "\xF0N" "OOOOO\xF7\xF8UUUUY\xFEY"; // ð ñ ò-ö ÷ ø ù-ü ý þ ÿ
    for (int c = 0xC0; c <= 0xFF; ++c)
        EXPECT_EQ(static_cast<unsigned char>(expected[c - 0xC0]), Fold(c)) << std::hex << c;
}

TEST_F(AccentFoldTest, OtherBytes)
{
    for (int c = 0; c < 0x80; ++c)
    {
        const int up = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
        EXPECT_EQ(up, Fold(c)) << c;
    }
    const int changed[][2] = {{138, 'S'}, {140, 'O'}, {159, 'Y'}, {145, '\''}, {146, '\''},
                              {147, '"'}, {148, '"'}};
    for (int c = 0x80; c < 0xC0; ++c)
    {
        int expected = c;
        for (const auto& pair : changed)
        {
            if (pair[0] == c)
                expected = pair[1];
        }
        EXPECT_EQ(expected, Fold(c)) << c;
    }
    // The named exceptions keep their values.
    for (int c : {154, 156, 142, 158, 0xD8, 0xF8, 0xDF, 0xD0, 0xF0, 0xDE, 0xFE})
        EXPECT_EQ(c, Fold(c)) << c;
}

TEST_F(AccentFoldTest, FoldingIsIdempotent)
{
    for (int c = 0; c < 256; ++c)
        EXPECT_EQ(Fold(c), Fold(Fold(c))) << c;
}
