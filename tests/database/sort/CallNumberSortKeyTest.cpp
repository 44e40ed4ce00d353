#include "database/sort/CallNumberSortKey.h"

#include "database/sort/AccentFold.h"
#include "support/FailingAllocations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
class CallNumberSortKeyTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { BuildAccentFoldTable(); }
    static std::string Key(const char* text) { return MakeCallNumberSortKey(text); }
};

TEST_F(CallNumberSortKeyTest, KeysOfEachClass)
{
    const struct
    {
        const char* callNumber;
        const char* key;
    } cases[] = {
        {"QA76", "CQA007600000000"},
        {"QA100", "CQA010000000000"},
        {"QA76.9 .D3 1990", "CQA007690000000 D30000000 1990"},
        {"qa76.9 .d3 1990", "CQA007690000000 D30000000 1990"},
        {"QA 76.9", "CQA007690000000"},
        {"KFN5225", "CKFN522500000000"},
        {"610.73", "D61073000000"},
        {"5", "D00500000000"},
        {"ABC123", "D12300000000"},
        {"1000", "O1000"},
        {"FIC SMITH", "OFIC SMITH"},
        {"fic smith", "OFIC SMITH"},
        {"--", "O--"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.key, Key(c.callNumber)) << c.callNumber;
}

TEST_F(CallNumberSortKeyTest, DeweyKeysStartWithTheirClassNumber)
{
    EXPECT_EQ(0u, Key("5").rfind("D005", 0));
    EXPECT_EQ(0u, Key("610").rfind("D610", 0));
}

TEST_F(CallNumberSortKeyTest, AccentedAndLowerCaseKeyLikeTheirBase)
{
    EXPECT_EQ(Key("QA76 .S\xC9"), Key("qa76 .s\xE9"));
    EXPECT_EQ(Key("QA76 .SE"), Key("qa76 .s\xE9"));
}

TEST_F(CallNumberSortKeyTest, KeysSortInShelfOrder)
{
    // LC numbers together in shelf order, then Dewey, then the rest.
    const std::vector<std::string> shelf = {"QA76", "QA76.9 .D3 1990", "QA100", "5", "610.73",
                                            "1000", "FIC SMITH"};
    std::vector<std::string> keys;
    for (const auto& text : shelf)
        keys.push_back(Key(text.c_str()));
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
}

TEST_F(CallNumberSortKeyTest, SlashesInsideNumbersAreDropped)
{
    EXPECT_EQ(Key("61/0.73"), Key("610.73"));
}

TEST_F(CallNumberSortKeyTest, LongAndHostileTextsStayInTheKeyBuffer)
{
    const std::string cases[] = {std::string(5000, '9'), std::string(5000, 'A'),
                                 "QA" + std::string(3000, '7'), std::string(3000, '.'),
                                 std::string(3000, '/'), "QA1 " + std::string(2000, '1'),
                                 std::string(300, '\xE9'), "Q.A.1.2.3.4.5.6.7.8.9.0.1.2.3.4.5.6.7.8.9"};
    for (const auto& text : cases)
    {
        char dest[256];
        MakeCallNumberSortKey(dest, text.c_str());
        EXPECT_LE(strlen(dest), 255u);
    }
}

// Keys are built inside tree and index work, whose callers catch only the
// class library's exceptions.
TEST_F(CallNumberSortKeyTest, OutOfMemoryIsTheClassLibrarysMemoryException)
{
    char dest[256] = "unchanged";
    EXPECT_EQ(memoryException,
              WhileMemoryFails([&] { MakeCallNumberSortKey(dest, "QA76.9 .D3 1990 v.12 copy 3 supplement"); }));
    char key[256];
    MakeCallNumberSortKey(key, "QA76.9 .D3 1990");
    EXPECT_STREQ("CQA007690000000 D30000000 1990", key);
}
} // namespace
