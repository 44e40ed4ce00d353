// Font records: names compared in either stored form, the alternate name standing in, and masked
// copies of 16-bit units.
#include <gtest/gtest.h>

#include "richtext/engine/TxFontInfo.h"

#include <cstring>
#include <string>

namespace {
TxFontInfo Pascal(const char* name)
{
    TxFontInfo f{};
    TxSetFontName(f, name);
    return f;
}

TxFontInfo ZeroTerminated(const char* name)
{
    TxFontInfo f{};
    std::strncpy(reinterpret_cast<char*>(f.name), name, sizeof f.name);
    f.flags = kTxFontNameZeroTerminated;
    return f;
}
} // namespace

TEST(TxFontInfo, NamesCompareInTheirOwnForms)
{
    struct Case
    {
        const char* name;
        TxFontInfo a, b;
        int32_t result;
    } cases[] = {
        {"length-prefixed equals zero-terminated", Pascal("Arial"), ZeroTerminated("Arial"), 0},
        {"case matters", Pascal("Arial"), ZeroTerminated("arial"), -1},
        {"a shorter name comes first", Pascal("Times"), Pascal("Times New Roman"), -1},
        {"a longer one after", ZeroTerminated("Symbolic"), Pascal("Symbol"), 1},
        {"two empty names", TxFontInfo{}, ZeroTerminated(""), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, TxCompareFont(c.a, c.b, false)) << c.name;

    // A zero-terminated name filling all 64 bytes is read without running past them.
    TxFontInfo full{};
    std::memset(full.name, 'x', sizeof full.name);
    full.flags = kTxFontNameZeroTerminated;
    const uint8_t* chars;
    EXPECT_EQ(64, TxFontName(full, false, chars));
    // A length byte above 63 is held to the record.
    TxFontInfo damaged{};
    damaged.name[0] = 200;
    EXPECT_EQ(63, TxFontName(damaged, false, chars));
    // A 70-character name is kept as 63.
    std::string longName(70, 'n');
    EXPECT_EQ(63, TxFontName(Pascal(longName.c_str()), false, chars));
}

TEST(TxFontInfo, TheAlternateNameStandsInWhenAskedFor)
{
    TxFontInfo a = Pascal("Helvetica");
    std::strcpy(reinterpret_cast<char*>(a.alternateName), "Arial");
    a.flags |= kTxFontAlternateZeroTerminated;
    TxFontInfo b = ZeroTerminated("Courier");
    b.alternateName[0] = 5;
    std::memcpy(b.alternateName + 1, "Arial", 5);
    EXPECT_NE(0, TxCompareFont(a, b, false));
    EXPECT_EQ(0, TxCompareFont(a, b, true));

    TxFontInfo unchanged = a;
    TxResolveFont(unchanged);
    EXPECT_EQ(0, TxCompareFont(unchanged, Pascal("Helvetica"), false));
    a.flags |= kTxFontUseAlternate;
    TxResolveFont(a);
    EXPECT_EQ(0, TxCompareFont(a, Pascal("Arial"), false));
    b.flags |= kTxFontUseAlternate;
    TxResolveFont(b);
    EXPECT_EQ(0, TxCompareFont(b, ZeroTerminated("Arial"), false));
}

TEST(TxFontInfo, MaskedCopiesTakeOnlySelectedUnits)
{
    struct Case
    {
        const char* name;
        int16_t mask[4];
        int16_t result[4];
        int32_t changed;
    } cases[] = {
        {"nothing selected", {0, 0, 0, 0}, {1, 2, 3, 4}, 0},
        {"one unit", {0, -1, 0, 0}, {1, 20, 3, 4}, 1},
        {"any non-zero mask value selects", {7, 0, 0, 0x100}, {10, 2, 3, 40}, 1},
        {"a selected unit already equal", {0, 0, -1, 0}, {1, 2, 3, 4}, 0},
    };
    for (const Case& c : cases) {
        int16_t destination[4] = {1, 2, 3, 4};
        const int16_t value[4] = {10, 20, 3, 40};
        EXPECT_EQ(c.changed, TxMaskedCopy(destination, value, c.mask, sizeof destination)) << c.name;
        EXPECT_EQ(0, std::memcmp(c.result, destination, sizeof destination)) << c.name;
    }
    int16_t one[2] = {1, 2};
    const int16_t other[2] = {5, 6}, all[2] = {-1, -1};
    EXPECT_EQ(1, TxMaskedCopy(one, other, all, 3)); // the odd last byte is left out
    EXPECT_EQ(5, one[0]);
    EXPECT_EQ(2, one[1]);
}
