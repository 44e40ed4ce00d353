#include "database/sort/CodePageTranslation.h"

#include <gtest/gtest.h>

#include <string>

TEST(CodePageTranslationTest, DosText)
{
    const struct
    {
        int dos;
        int windows;
    } cases[] = {
        {20, 13},                               // paragraph mark
        {0x41, 0x41},   {0x7F, 0x7F},
        {0x80, 0xC7},   {0x81, 0xFC},   {0x9A, 0xDC},  {0xA4, 0xF1},   {0xE1, 0xDF}, // Ç ü Ü ñ ß
        {0x9F, 0x83},   {0xE6, 0xB5},   {0xF8, 0xB0},  {0xFD, 0xB2},   // ƒ µ ° ²
        {0xDA, '+'},    {0xBF, '+'},    {0xC0, '+'},   {0xD9, '+'},    // single corners
        {0xC9, '+'},    {0xBC, '+'},    {0xC5, '+'},   {0xCE, '+'},    // double corners, crossings
        {0xC3, '+'},                            // single T pointing right
        {0xC4, '-'},    {0xCD, '-'},    {0xC1, '-'},   {0xC2, '-'},  {0xCB, '-'},
        {0xB3, 166},    {0xBA, 166},    {0xB4, 166},   {0xCC, 166},  {0xC6, 166},
        {0xB0, '_'},    {0xDB, '_'},    {0xE0, '_'},   {0xF7, '_'},  {0xFF, '_'},
        {0xE3, 182},    {0xF9, 149},    {0xFC, 'n'},   {0x9E, 'P'},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.windows, g_DosToWindows[c.dos]) << std::hex << c.dos;

    CString text("\xDA\xC4\xBF\x14x");
    TranslateDosText(text);
    EXPECT_STREQ("+-+\rx", text);
}

TEST(CodePageTranslationTest, MacText)
{
    const struct
    {
        int mac;
        int windows;
    } cases[] = {
        {20, 13},       {0x80, 0xC4},   {0x8E, 0xE9},  {0xA5, 0x95},  {0xCA, 0xA0},  {0xD2, 0x93},
        {0xDB, 164},    {0xAD, 173},    {0xDE, 0x80},  {0xDF, 0x80},  {0xF0, 0x80},  {0xF5, 0x80},
        {0xBD, 0x80},   {0xDA, 0x80},   {0xB0, 0x80},  {0xF9, 0x80},  {0xFB, 0x80},  {0xFD, 0x80},
        {0xFF, 0x80},   {0xF6, 0x88},   {0xF7, 0x98},  {0xFC, 0xB8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.windows, g_MacToWindows[c.mac]) << std::hex << c.mac;

    CString text("caf\x8E \xDE");
    TranslateMacText(text);
    EXPECT_STREQ("caf\xE9 \x80", text);

    char buffer[] = "\x87t\x8E\x14";
    TranslateMacString(buffer, buffer);
    EXPECT_STREQ("\xE1t\xE9\r", buffer);
}

TEST(CodePageTranslationTest, NoByteBecomesNul)
{
    for (int c = 1; c < 256; ++c)
    {
        EXPECT_NE(0, g_DosToWindows[c]) << c;
        EXPECT_NE(0, g_MacToWindows[c]) << c;
    }
}
