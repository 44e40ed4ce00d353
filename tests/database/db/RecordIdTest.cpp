// Record ID values and decimal increments.
#include <gtest/gtest.h>

#include "database/db/RecordId.h"

TEST(RecordIdTest, ParseRecordId)
{
    const struct
    {
        const char* text;
        int32_t value;
    } cases[] = {
        {"0042", 42},
        {"42a", 0},
        {"0000", 0},
        {"2147483647", 2147483647},
        {"2147483648", 10},
        {"12345678901", 10},
        {"00000000002147483647", 2147483647},
        {"", 0},
        {" 42", 0},
        {"-5", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseRecordId(c.text), c.value) << "'" << c.text << "'";
}

TEST(RecordIdTest, DecimalIncrements)
{
    const struct
    {
        const char* text;
        int32_t increment;
        const char* result;
    } cases[] = {
        {"129", 1, "130"},
        {"99", 1, "100"},
        {"", 1, "1"},
        {"999", 1, "1000"},
        {"0099", 1, "0100"},
        {"120", 10, "130"},
        {"", 5, "5"},
        {"7", 0, "7"},
        {"7", -3, "7"},
        {"95", 10, "105"},
        {"7", 1000000, "1000007"},
        {"1", 2147483647, "2147483648"},
    };
    for (const auto& c : cases) {
        CString text = c.text;
        AddToDecimalText(text, c.increment);
        EXPECT_EQ(text, c.result) << "'" << c.text << "' + " << c.increment;
        // The same as that many single steps, where the steps are few.
        if (c.increment > 0 && c.increment <= 100) {
            CString stepped = c.text;
            for (int32_t i = 0; i < c.increment; ++i)
                IncrementDecimalText(stepped, stepped.GetLength());
            EXPECT_EQ(stepped, text) << c.text;
        }
    }
    CString middle = "129";
    IncrementDecimalText(middle, 2); // a digit left of the end
    EXPECT_EQ(middle, "139");
}
