// Lengths read from typed text and shown in inches.
#include "bibliography/output/MeasurementText.h"

#include <gtest/gtest.h>

namespace {

TEST(MeasurementText, NumbersAndUnitsReadAsTwips)
{
    const struct
    {
        const char* text;
        int twips;
    } cases[] = {
        {"2 cm", 1133}, {"12 pt", 240},     {"1.5", 2160},   {"1.5 in", 2160}, {"1.5\"", 2160},
        {"3 mm", -1},   {"2 Inches", 2880}, {"1 PICA", 240}, {"2 lines", 480}, {"-0.5 in", -720},
        {"abc", -1},    {"", -1},           {"1 i", -1},     {"1e30 in", -1},  {"nan", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.twips, ParseMeasurementText(c.text)) << c.text;
    // Only the first 63 characters are read: a unit beyond them is not seen.
    CString padded = "1";
    while (padded.GetLength() < 63)
        padded += ' ';
    EXPECT_EQ(1440, ParseMeasurementText(padded + "cm"));
}

TEST(MeasurementText, TwipsShowAsInches)
{
    EXPECT_STREQ("1.000 in", FormatMeasurement(1440));
    EXPECT_STREQ("0.500 in", FormatMeasurement(720));
    EXPECT_STREQ("-0.001 in", FormatMeasurement(-1));
}

} // namespace
