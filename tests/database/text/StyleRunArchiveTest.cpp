// One style run alone in its archived form, byte for byte, as the setup objects store it.
#include "database/text/ArchiveBytes.h"
#include "database/text/StyledStringArchive.h"

#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

namespace
{
TEST(StyleRunArchive, LengthsAttributesAndFaceAreStoredExactly)
{
    const struct
    {
        int length;
        WORD style;
        BYTE charSet;
        BYTE encoding;
        std::initializer_list<unsigned> head; // length field and format word
        BYTE readCharSet;
    } cases[] = {
        {100, 0x0001, 0, 0, {0x64, 0x00, 0x01, 0x00}, 0},
        {0x7FFF, 0, 0, 0, {0x00, 0x80, 0xFF, 0x7F, 0x00, 0x00}, 0},         // the two-word form from 0x7FFF
        {0x00010005, 0x0302, 0, 0, {0x01, 0x80, 0x05, 0x00, 0x02, 0x03}, 0}, // high half 1, low half 5
        {7, 0, 0xEE, 0, {0x07, 0x00, 0xE0, 0xE0}, 0xEE},                      // the set's halves in both nibbles
        {7, 0, 0x02, 1, {0x07, 0x00, 0x20, 0x04}, 0x02},                      // encoding flag at bit 10
        {7, 0, 0x01, 0, {0x07, 0x00, 0x10, 0x00}, 0},                         // the default set reads as none
    };
    for (const auto& c : cases)
    {
        const StyleRun run(c.style, 12, "Arial", c.length, c.charSet, c.encoding);
        const Bytes stored = StoreToBytes([&](CArchive& ar) { WriteStyleRun(ar, run); });
        Bytes expected;
        PutBytes(expected, c.head);
        Put16(expected, 12);
        PutFontName(expected, "Arial");
        EXPECT_EQ(expected, stored) << c.length << "/" << int(c.charSet);

        StyleRun read;
        EXPECT_EQ(0, LoadFromBytes(stored, [&](CArchive& ar) { ReadStyleRun(ar, read); }));
        EXPECT_EQ(c.length, read.length);
        EXPECT_EQ(c.style, read.style);
        EXPECT_EQ(12, read.pointSize);
        EXPECT_EQ(c.readCharSet, read.charSet) << int(c.charSet);
        EXPECT_EQ(c.encoding, read.encoding);
        EXPECT_STREQ("Arial", read.fontName);
    }
}

TEST(StyleRunArchive, ATruncatedRunIsAnEndOfFile)
{
    const StyleRun run(0, 10, "Times New Roman", 40);
    const Bytes whole = StoreToBytes([&](CArchive& ar) { WriteStyleRun(ar, run); });
    for (size_t cut : {size_t(1), size_t(5), whole.size() - 1})
    {
        int cause = -1;
        try
        {
            StyleRun read;
            LoadFromBytes(Bytes(whole.begin(), whole.begin() + cut), [&](CArchive& ar) { ReadStyleRun(ar, read); });
        }
        catch (CArchiveException* e)
        {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(CArchiveException::endOfFile, cause) << cut;
    }
}
} // namespace
