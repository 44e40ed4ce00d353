#include "database/text/InternalEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
StyledString OneRun(const std::string& text, const StyleRun& attributes)
{
    StyledString s;
    s.AppendStyled(text.data(), static_cast<int>(text.size()), attributes);
    return s;
}

std::string Encode(const StyledString& s, int size = 1024)
{
    std::string buffer(size, '\x55');
    EncodeStyledText(&buffer[0], size, s);
    return std::string(buffer.c_str());
}

std::string Hex(const std::string& bytes)
{
    std::string out;
    char digits[4];
    for (unsigned char c : bytes)
    {
        snprintf(digits, sizeof digits, "%02X ", c);
        out += digits;
    }
    return out;
}
} // namespace

TEST(InternalEncodingTest, Examples)
{
    const struct
    {
        StyledString s;
        std::string expected;
    } cases[] = {
        {StyledString("M\xFCller"), "\x4D\x81\xFC\x6C\x6C\x65\x72"},
        {OneRun("ab", StyleRun(0, 0, "Symbol", 0)), "\x83\x61\x83\x62"},
        {OneRun("ab", StyleRun(0, 0, "sYmBoL", 0, 238)), "\x83\x61\x83\x62"}, // font wins over set
        {OneRun("\xE1", StyleRun(0, 0, nullptr, 0, 161)), "\x94\xE1"},
        {OneRun("\x8A", StyleRun(0, 0, nullptr, 0, 0, kEncodingMacintosh)), "\x82\x8A"},
        {OneRun("\x8A", StyleRun(0, 0, nullptr, 0, 1, kEncodingMacintosh)), "\xB0\x8A"},
        {OneRun("a\xE9", StyleRun(0, 0, nullptr, 0, 1)), "a\x81\xE9"}, // default set is ANSI
    };
    for (const auto& c : cases)
        EXPECT_EQ(Hex(c.expected), Hex(Encode(c.s))) << c.s.text;
}

TEST(InternalEncodingTest, LeadBytePerCharacterSet)
{
    const int windowsSets[][2] = {{0, 0x81}, {1, 0x81}, {2, 0x83}, {128, 0x90}, {129, 0x91}, {134, 0x92},
                                  {136, 0x93}, {161, 0x94}, {162, 0x95}, {177, 0x96}, {178, 0x97},
                                  {186, 0x98}, {204, 0x99}, {222, 0x9A}, {238, 0x9B}};
    for (int cs = 0; cs < 256; ++cs)
    {
        int expected = 0xFF;
        for (const auto& entry : windowsSets)
        {
            if (entry[0] == cs)
                expected = entry[1];
        }
        EXPECT_EQ(expected, GetRunLeadByte(StyleRun(0, 0, "Arial", 1, static_cast<BYTE>(cs)))) << cs;
        const int mac = cs == 0 ? 0x82 : cs < 32 ? 0xAF + cs : 0xFF;
        EXPECT_EQ(mac, GetRunLeadByte(StyleRun(0, 0, nullptr, 1, static_cast<BYTE>(cs), 1))) << cs;
        EXPECT_EQ(0xFF, GetRunLeadByte(StyleRun(0, 0, nullptr, 1, static_cast<BYTE>(cs), 2))) << cs;
    }
}

// Every byte value a text can hold (1-255; a text never holds a NUL), in an
// ANSI run and in a Symbol run, one character at a time and all together.
TEST(InternalEncodingTest, AllByteValuesInAnsiAndSymbolRuns)
{
    std::string all;
    std::string expectedAnsi;
    std::string expectedSymbol;
    for (int b = 1; b < 256; ++b)
    {
        const std::string ch(1, static_cast<char>(b));
        const std::string ansi = b < 0x80 ? ch : "\x81" + ch;
        const std::string symbol = "\x83" + ch;
        EXPECT_EQ(Hex(ansi), Hex(Encode(StyledString(ch.c_str())))) << b;
        EXPECT_EQ(Hex(symbol), Hex(Encode(OneRun(ch, StyleRun(0, 0, nullptr, 0, kCharSetSymbol))))) << b;
        all += ch;
        expectedAnsi += ansi;
        expectedSymbol += symbol;
    }
    EXPECT_EQ(Hex(expectedAnsi), Hex(Encode(StyledString(all.c_str()))));
    EXPECT_EQ(Hex(expectedSymbol), Hex(Encode(OneRun(all, StyleRun(0, 0, "Symbol", 0)))));
}

TEST(InternalEncodingTest, RunsKeepTheirOwnLeads)
{
    StyledString s("\xE9");
    s.AppendStyled("a\xE9", 2, StyleRun(0, 0, nullptr, 0, 204));
    s.AppendStyled("a", 1, StyleRun(0, 0, "Symbol", 0));
    EXPECT_EQ(Hex("\x81\xE9" "a\x99\xE9\x83" "a"), Hex(Encode(s)));
}

TEST(InternalEncodingTest, BufferLimitNeverSplitsAPair)
{
    EXPECT_EQ("abc", Encode(StyledString("abcdef"), 5));
    // A pair is written only while two bytes and the NUL still fit.
    EXPECT_EQ(Hex("a"), Hex(Encode(StyledString("a\xE9"), 3)));
    EXPECT_EQ(Hex("a\x81\xE9"), Hex(Encode(StyledString("a\xE9"), 4)));
    EXPECT_EQ("", Encode(StyledString("abc"), 2));
    EXPECT_EQ("", Encode(StyledString("abc"), 1));

    char untouched = 'x';
    EncodeStyledText(&untouched, 0, StyledString("abc"));
    EXPECT_EQ('x', untouched);

    // A full buffer ends with its NUL inside the buffer.
    char buffer[6];
    memset(buffer, 'z', sizeof buffer);
    EncodeStyledText(buffer, 6, StyledString("\xE9\xE9\xE9"));
    EXPECT_EQ(Hex("\x81\xE9\x81\xE9"), Hex(buffer));
}
