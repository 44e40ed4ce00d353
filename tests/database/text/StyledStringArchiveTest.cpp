#include "database/text/StyledStringArchive.h"

#include "classlib/Exceptions.h"
#include "database/text/RunFontQueries.h"
#include "database/text/ArchiveBytes.h"
#include "support/AllocationWatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace
{
Bytes Store(const StyledString& s)
{
    return StoreToBytes([&](CArchive& ar) { WriteStyledString(ar, s); });
}

StyledString Load(const Bytes& bytes)
{
    StyledString s;
    EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { ReadStyledString(ar, s); }));
    return s;
}

// The archived text of a short string: length byte and bytes.
Bytes TextForm(const std::string& text)
{
    Bytes b;
    b.push_back(static_cast<unsigned char>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    return b;
}

// A run list header and one run, as the writer lays them out.
void PutRun(Bytes& b, unsigned length, unsigned packed, int pointSize, const char* font)
{
    Put16(b, length);
    Put16(b, packed);
    Put16(b, static_cast<unsigned>(pointSize) & 0xFFFF);
    PutFontName(b, font);
}

StyledString WithRun(const char* text, const StyleRun& run)
{
    StyledString s;
    s.AppendStyled(text, static_cast<int>(strlen(text)), run);
    return s;
}

// Runs read, expecting an archive exception; returns its cause (-1: none).
int ReadCause(const std::function<void()>& read)
{
    try
    {
        read();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

// Reads the bytes, expecting an archive exception; returns its cause.
int LoadCause(const Bytes& bytes, StyledString& s)
{
    return ReadCause([&] { LoadFromBytes(bytes, [&](CArchive& ar) { ReadStyledString(ar, s); }); });
}
} // namespace

TEST(StyledStringArchiveTest, PlainStringUsesShortForm)
{
    Bytes expected = TextForm("abcdefghij");
    PutBytes(expected, {0x00, 0x0A, 0x00});
    const StyledString s("abcdefghij");
    EXPECT_EQ(expected, Store(s));
    const StyledString back = Load(expected);
    EXPECT_STREQ("abcdefghij", back.text);
    EXPECT_TRUE(back.runs.IsEqual(s.runs));
}

TEST(StyledStringArchiveTest, OneBoldRunUsesRunList)
{
    Bytes expected = TextForm("abcdefghij");
    PutBytes(expected, {0x01, 0x01, 0x00, 0x0A, 0x00, 0x01, 0x00, 0x00, 0x00});
    PutFontName(expected, "");
    const StyledString s = WithRun("abcdefghij", StyleRun(kStyleBold, 0, nullptr, 10));
    EXPECT_EQ(expected, Store(s));
    const StyledString back = Load(expected);
    ASSERT_EQ(1, back.runs.GetSize());
    EXPECT_EQ(kStyleBold, back.runs[0].style);
    EXPECT_EQ(10, back.runs[0].length);
}

TEST(StyledStringArchiveTest, LongPlainRunUsesTwoWordLength)
{
    const std::string text(70000, 'x');
    Bytes expected;
    PutBytes(expected, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}); // string form, u32 length
    expected.insert(expected.end(), text.begin(), text.end());
    PutBytes(expected, {0x00, 0x01, 0x80, 0x70, 0x11});
    const StyledString s(text.c_str());
    EXPECT_EQ(expected, Store(s));
    const StyledString back = Load(expected);
    EXPECT_EQ(70000, back.GetLength());
    ASSERT_EQ(1, back.runs.GetSize());
    EXPECT_EQ(70000, back.runs[0].length);
}

TEST(StyledStringArchiveTest, LengthFieldBoundary)
{
    // 0x7FFE is one word; 0x7FFF already takes two.
    for (int length : {0x7FFE, 0x7FFF})
    {
        StyledString s(std::string(length, 'q').c_str());
        const Bytes bytes = Store(s);
        const size_t textForm = 3 + length;
        const size_t runForm = length < 0x7FFF ? 3 : 5;
        EXPECT_EQ(textForm + runForm, bytes.size()) << length;
        EXPECT_TRUE(Load(bytes).runs.IsEqual(s.runs)) << length;
    }
}

TEST(StyledStringArchiveTest, EmptyStringIsAnEmptyRunList)
{
    const Bytes expected = {0x00, 0x01, 0x00, 0x00};
    EXPECT_EQ(expected, Store(StyledString()));
    const StyledString back = Load(expected);
    EXPECT_TRUE(back.IsEmpty());
    EXPECT_EQ(0, back.runs.GetSize());
}

TEST(StyledStringArchiveTest, PackedWordCarriesCharSetAndEncoding)
{
    struct Case
    {
        WORD style;
        BYTE charSet;
        BYTE encoding;
        unsigned packed;
    } cases[] = {
        {0, 238, 0, 0xE0E0},
        {kStyleItalic | kStyleSubscript, 161, 0, 0xA212},
        {kStyleBold | kStyleUnderline | kStyleSuperscript, 0, 1, 0x0505},
        {0, 0x0F, 3, 0x0CF0}, // encoding 3 is kept as stored
    };
    for (const Case& c : cases)
    {
        const StyledString s = WithRun("xy", StyleRun(c.style, 12, "Arial", 2, c.charSet, c.encoding));
        Bytes expected = TextForm("xy");
        PutBytes(expected, {0x01, 0x01, 0x00});
        PutRun(expected, 2, c.packed, 12, "Arial");
        EXPECT_EQ(expected, Store(s)) << std::hex << c.packed;
        if (c.encoding != 1) // Macintosh text is converted on reading
        {
            const StyledString back = Load(expected);
            EXPECT_TRUE(back.runs.IsEqual(s.runs)) << std::hex << c.packed;
        }
    }
}

TEST(StyledStringArchiveTest, UndefinedStyleBitsAreNotStored)
{
    const StyledString s = WithRun("ab", StyleRun(0xFFFF, 0, nullptr, 2));
    Bytes expected = TextForm("ab");
    PutBytes(expected, {0x01, 0x01, 0x00});
    PutRun(expected, 2, 0x0307, 0, "");
    EXPECT_EQ(expected, Store(s));
}

TEST(StyledStringArchiveTest, FontNameBytesAfterTheNameAreZero)
{
    StyleRun run(kStyleBold, 10, "Garamond", 3);
    memset(run.fontName + 9, 'Z', sizeof run.fontName - 9); // stale bytes after the NUL
    Bytes expected = TextForm("abc");
    PutBytes(expected, {0x01, 0x01, 0x00});
    PutRun(expected, 3, 0x0001, 10, "Garamond");
    EXPECT_EQ(expected, Store(WithRun("abc", run)));
}

TEST(StyledStringArchiveTest, MacintoshRunIsStoredAsHeldAndConvertedOnReading)
{
    // "caf" + Mac Roman e-acute, in Times 12, Macintosh encoding.
    const StyledString s = WithRun("caf\x8E", StyleRun(0, 12, "Times", 4, 0, kEncodingMacintosh));
    Bytes expected = TextForm("caf\x8E");
    PutBytes(expected, {0x01, 0x01, 0x00});
    PutRun(expected, 4, 0x0400, 12, "Times");
    EXPECT_EQ(expected, Store(s));

    const StyledString back = Load(expected);
    EXPECT_STREQ("caf\xE9", back.text);
    ASSERT_EQ(1, back.runs.GetSize());
    EXPECT_EQ(kEncodingWindows, back.runs[0].encoding);
    EXPECT_EQ(0, back.runs[0].charSet);
    EXPECT_STREQ("Times", back.runs[0].fontName);
    EXPECT_EQ(12, back.runs[0].pointSize);
}

TEST(StyledStringArchiveTest, RunsNotAddingUpBecomeOnePlainRun)
{
    // Run lengths 2 + 3 for a text of 6, then 2 + 5 (past the text).
    for (unsigned second : {3u, 5u})
    {
        Bytes bytes = TextForm("abcdef");
        PutBytes(bytes, {0x01, 0x02, 0x00});
        PutRun(bytes, 2, kStyleBold, 0, "");
        PutRun(bytes, second, kStyleItalic, 0, "");
        const StyledString back = Load(bytes);
        EXPECT_STREQ("abcdef", back.text);
        ASSERT_EQ(1, back.runs.GetSize());
        EXPECT_TRUE(back.runs[0].IsPlain());
        EXPECT_EQ(6, back.runs[0].length);
        // The repaired form is what is saved next.
        Bytes repaired = TextForm("abcdef");
        PutBytes(repaired, {0x00, 0x06, 0x00});
        EXPECT_EQ(repaired, Store(back));
    }
}

TEST(StyledStringArchiveTest, RepairsOnReading)
{
    // Point size above 255 (as unsigned): plain run.
    Bytes bigPoint = TextForm("ab");
    PutBytes(bigPoint, {0x01, 0x01, 0x00});
    PutRun(bigPoint, 2, kStyleBold, -1, "");
    StyledString s = Load(bigPoint);
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_TRUE(s.runs[0].IsPlain());

    // A NUL in the text cuts it; the runs no longer add up and are replaced.
    Bytes withNul = TextForm(std::string("ab\0cd", 5));
    PutBytes(withNul, {0x01, 0x01, 0x00});
    PutRun(withNul, 5, kStyleBold, 0, "");
    s = Load(withNul);
    EXPECT_EQ(2, s.GetLength());
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_EQ(2, s.runs[0].length);
    EXPECT_TRUE(s.runs[0].IsPlain());

    // Zero runs are valid only for an empty text.
    Bytes noRuns = TextForm("ab");
    PutBytes(noRuns, {0x01, 0x00, 0x00});
    s = Load(noRuns);
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_EQ(2, s.runs[0].length);

    // The default character set becomes ANSI.
    Bytes defaultSet = TextForm("ab");
    PutBytes(defaultSet, {0x01, 0x01, 0x00});
    PutRun(defaultSet, 2, 0x0011, 0, "");
    s = Load(defaultSet);
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_EQ(0, s.runs[0].charSet);
    EXPECT_EQ(kStyleBold, s.runs[0].style);
}

TEST(StyledStringArchiveTest, FontNameFillingAll32BytesIsCut)
{
    Bytes bytes = TextForm("ab");
    PutBytes(bytes, {0x01, 0x01, 0x00});
    Put16(bytes, 2);
    Put16(bytes, 0);
    Put16(bytes, 0);
    for (int i = 0; i < 32; ++i)
        bytes.push_back('F');
    const StyledString s = Load(bytes);
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_EQ(std::string(31, 'F'), s.runs[0].fontName);
}

// Damaged archives: a clear archive exception, no read out of bounds (the
// native build runs this under the address sanitizer).
TEST(StyledStringArchiveTest, DamagedArchivesAreRefused)
{
    StyledString s;

    // Run count far larger than the runs present.
    Bytes tooMany = TextForm("abc");
    PutBytes(tooMany, {0x01, 0xFF, 0xFF});
    PutRun(tooMany, 3, 0, 0, "");
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(tooMany, s));
    EXPECT_EQ(1, s.runs.GetSize()); // the completed run is kept

    // Font name cut short.
    Bytes shortFont = TextForm("abc");
    PutBytes(shortFont, {0x01, 0x01, 0x00});
    Put16(shortFont, 3);
    Put16(shortFont, 0);
    Put16(shortFont, 0);
    PutBytes(shortFont, {'T', 'i', 'm', 'e', 's', 0});
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(shortFont, s));
    EXPECT_EQ(0, s.runs.GetSize());

    // Run lengths whose 32-bit sum wraps to the text length: 3 runs of
    // 0x55555556 add up to 2^32 + 2.
    Bytes wrapping = TextForm("ab");
    PutBytes(wrapping, {0x01, 0x03, 0x00});
    for (int i = 0; i < 3; ++i)
    {
        PutBytes(wrapping, {0x55, 0xD5, 0x56, 0x55}); // 0x8000|0x5555, 0x5556
        Put16(wrapping, 0);
        Put16(wrapping, 0);
        PutFontName(wrapping, "");
    }
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(wrapping, s));
    EXPECT_STREQ("ab", s.text); // left valid
    ASSERT_EQ(1, s.runs.GetSize());
    EXPECT_EQ(2, s.runs[0].length);

    // Truncated everywhere: every prefix of a good archive fails cleanly.
    const Bytes good = Store(WithRun("hello", StyleRun(kStyleItalic, 9, "Arial", 5)));
    for (size_t cut = 0; cut < good.size(); ++cut)
    {
        StyledString t;
        EXPECT_EQ(CArchiveException::endOfFile, LoadCause(Bytes(good.begin(), good.begin() + cut), t))
            << cut;
    }
}

// A damaged run count costs only the runs present: three bytes claiming
// 65,535 runs make no room for them.
TEST(StyledStringArchiveTest, DamagedRunCountCostsOnlyTheRunsPresent)
{
    const struct
    {
        unsigned count;
        int present;
    } cases[] = {{0xFFFF, 0}, {0xFFFF, 1}, {40, 20}, {40, 39}};
    for (const auto& c : cases)
    {
        Bytes bytes;
        PutBytes(bytes, {0x01});
        Put16(bytes, c.count);
        for (int i = 0; i < c.present; ++i)
            PutRun(bytes, 1, 0, 0, "");
        StyleRunArray runs;
        int cause = -1;
        long long largest = 0;
        LoadFromBytes(bytes, [&](CArchive& ar) {
            largest = LargestBlockDuring([&] { cause = ReadCause([&] { ReadStyleRuns(ar, runs); }); });
        });
        EXPECT_EQ(CArchiveException::endOfFile, cause) << c.present;
        EXPECT_EQ(c.present, runs.GetSize());
        EXPECT_LE(largest, static_cast<long long>(2 * std::max(c.present, 16) * sizeof(StyleRun))) << c.present;
    }
}

TEST(StyledStringArchiveTest, MixedRunsRoundTrip)
{
    StyledString s;
    s.AppendStyled("Title ", 6, StyleRun(kStyleBold, 12, "Times New Roman", 6));
    s.AppendStyled("x", 1, StyleRun(kStyleSuperscript, 0, nullptr, 1));
    s.AppendStyled("\xD0\xC1", 2, StyleRun(0, 0, "Arial", 2, 204));
    s.AppendStyled("abc", 3, StyleRun(0, 0, "Symbol", 3, 2));
    const StyledString back = Load(Store(s));
    EXPECT_EQ(s.text, back.text);
    EXPECT_TRUE(back.runs.IsEqual(s.runs));
}

namespace
{
BOOL FakeLookup(const char* face, BYTE& charSet)
{
    const struct
    {
        const char* face;
        BYTE charSet;
    } fonts[] = {{"Arial CE", 238}, {"Greek Only", 161}, {"Symbol", 2}, {"Arial", 0}};
    for (const auto& f : fonts)
    {
        if (strcmp(f.face, face) == 0)
        {
            charSet = f.charSet;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL FakeFamily(const char* face, BYTE charSet, CString& family)
{
    if (strcmp(face, "Arial CE") != 0)
        return FALSE;
    family = "Arial";
    return TRUE;
}

class FontQueriesFixture : public ::testing::Test
{
protected:
    void SetUp() override { m_previous = SetRunFontQueries({FakeLookup, FakeFamily}); }
    void TearDown() override { SetRunFontQueries(m_previous); }

    RunFontQueries m_previous{};
};
} // namespace

TEST_F(FontQueriesFixture, NormalisationTakesCharSetsAndFamiliesFromTheFonts)
{
    const struct
    {
        const char* font;
        BYTE charSet;
        BYTE encoding;
        const char* expectedFont;
        BYTE expectedCharSet;
    } cases[] = {
        {"Arial CE", 0, 0, "Arial", 238},   // national font: family name
        {"Greek Only", 1, 0, "", 161},      // default set looked up; no family
        {"Symbol", 0, 0, "Symbol", 2},
        {"Unknown", 0, 0, "Unknown", 0},    // not installed: as stored
        {"Arial CE", 204, 0, "Arial CE", 204}, // only ANSI runs are looked up
        {"Arial CE", 0, 2, "Arial CE", 0},  // encoding 2: left alone
    };
    for (const auto& c : cases)
    {
        const StyledString s = WithRun("ab", StyleRun(0, 0, c.font, 2, c.charSet, c.encoding));
        const StyledString back = Load(Store(s));
        ASSERT_EQ(1, back.runs.GetSize()) << c.font;
        EXPECT_STREQ(c.expectedFont, back.runs[0].fontName) << c.font;
        EXPECT_EQ(c.expectedCharSet, back.runs[0].charSet) << c.font;
        EXPECT_EQ(c.encoding, back.runs[0].encoding) << c.font;
    }
}
