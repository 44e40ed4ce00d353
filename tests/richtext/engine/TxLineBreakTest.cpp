// Word wrap over measured text: the breaks of a paragraph at given widths, the characters that
// stay on or leave a line, forced breaks, line-end flags, the double-byte rules and the chunk size.
#include <gtest/gtest.h>

#include "richtext/engine/TxFixedPlatform.h"
#include "richtext/engine/TxLineBreak.h"
#include "richtext/engine/TxTabStops.h"

#include <string>
#include <vector>

namespace {
// Text measured by the deterministic measurer (letters 8 units, space, i and l 4, m and w 12).
struct Measured
{
    explicit Measured(std::string s, uint32_t attributes = 0) : bytes(std::move(s))
    {
        positions.resize(bytes.size() + 1);
        types.resize(bytes.size() + 1);
        TxFixedPlatform::Measure(reinterpret_cast<const uint8_t*>(bytes.data()), int32_t(bytes.size()), 0,
                                 positions.data(), types.data());
        text = {reinterpret_cast<const uint8_t*>(bytes.data()),
                positions.data(),
                types.data(),
                int32_t(bytes.size()),
                0,
                attributes,
                nullptr,
                nullptr,
                nullptr};
    }
    std::string bytes;
    std::vector<int32_t> positions;
    std::vector<uint16_t> types;
    TxMeasuredText text;
};

struct Line
{
    int32_t start;
    uint16_t flags;
    bool operator==(const Line& o) const { return start == o.start && flags == o.flags; }
};

void PrintTo(const Line& l, std::ostream* os)
{
    *os << "{" << l.start << ", 0x" << std::hex << l.flags << std::dec << "}";
}

std::vector<Line> Lines(const TxMeasuredText& text, int32_t width,
                        std::vector<TxScannedLine>* scanned = nullptr)
{
    std::vector<Line> lines;
    for (int32_t start = 0; start < text.count;) {
        const TxScannedLine line = TxScanLine(text, start, 0, width);
        EXPECT_GT(line.next, start) << "no progress at " << start;
        if (line.next <= start)
            break;
        lines.push_back({start, line.flags});
        if (scanned)
            scanned->push_back(line);
        start = line.next;
    }
    return lines;
}

// Next tab stop every 36 units, at least 2 units on.
int32_t TabEvery36(void*, int32_t x, int32_t, int32_t, int32_t)
{
    return (x + 2 + 35) / 36 * 36;
}

// A paragraph of about 600 characters with blanks, hyphens, a tab and a soft line break.
std::string LongParagraph()
{
    std::string s;
    const char* words[] = {"layout", "of",  "well-known",   "text",    "is", "measured", "once",  "per",
                           "block",  "and", "line-by-line", "wrapped", "at", "the",      "width", "given"};
    for (int i = 0; s.size() < 600; ++i) {
        s += words[(i * 7) % 16];
        s += i % 23 == 22 ? "  " : " ";
        if (i == 30)
            s += "\tx ";
        if (i == 60)
            s += "\n";
    }
    return s + "\r";
}
} // namespace

TEST(TxLineBreak, SmallParagraphsBreakAsExpected)
{
    const struct
    {
        const char* text;
        uint32_t attributes;
        int32_t width;
        std::vector<Line> lines;
    } cases[] = {
        // "abc " fits; "def" overflows at f; the break is at the blank, which stays on the line.
        {"abc def-ghi jk", 0, 50, {{0, 0x8000}, {4, 0x8100}, {8, 0x8000}}},
        // Hyphens off: no break after the line start, so the word breaks at the last character that fits.
        {"abc def-ghi jk", 0x2000, 50, {{0, 0x8000}, {4, 0x8000}, {10, 0x8000}}},
        {"ab\ncd\rxy", 0, 100, {{0, 0xA000}, {3, 0xC000}, {6, 0x8000}}},
        {"ab\ncd\rxy", 0x0002, 100, {{0, 0xC000}, {6, 0x8000}}},
        {"ab\r\ncd", 0x0002, 100, {{0, 0xE000}, {4, 0x8000}}},
        {"ab\x0c"
         "cd\x0e"
         "ef",
         0,
         100,
         {{0, 0x8004}, {3, 0x8008}, {6, 0x8000}}},
        // No wrapping: one line up to the paragraph end however narrow the width.
        {"aaa bbb ccc ddd\reee", 0x0001, 20, {{0, 0xC000}, {16, 0x8000}}},
        // A word longer than the line breaks at the last character that fits.
        {"abcdefghij", 0, 30, {{0, 0x8000}, {3, 0x8000}, {6, 0x8000}}},
        // Blanks after a break all stay on the line, even past the width.
        {"abc     de", 0, 30, {{0, 0x8000}, {8, 0x8000}}},
    };
    for (const auto& c : cases) {
        Measured m(c.text, c.attributes);
        EXPECT_EQ(Lines(m.text, c.width), c.lines) << c.text << " at " << c.width;
    }
}

TEST(TxLineBreak, ATabAfterTheBreakBeginsTheNextLine)
{
    Measured m("abcde \tfg");
    m.text.tabEnd = TabEvery36;
    const TxScannedLine line = TxScanLine(m.text, 0, 0, 44);
    EXPECT_EQ(line.next, 6);
    EXPECT_EQ(m.bytes[size_t(line.next)], '\t');
    // At the line start the tab moves the following text to the stop.
    const TxScannedLine second = TxScanLine(m.text, 6, 0, 100);
    EXPECT_EQ(second.next, 9);
    EXPECT_EQ(second.width, 36 + 16);
}

TEST(TxLineBreak, EveryLineOfALongParagraphFitsAndTheNextWordWouldNot)
{
    Measured m(LongParagraph());
    m.text.tabEnd = TabEvery36;
    for (int32_t width : {120, 300, 301}) {
        std::vector<TxScannedLine> scanned;
        const std::vector<Line> lines = Lines(m.text, width, &scanned);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().flags, 0xC000);
        for (size_t k = 0; k < lines.size(); ++k) {
            const int32_t start = lines[k].start, next = scanned[k].next;
            // The line without its trailing blanks fits.
            int32_t end = next;
            while (end > start && (m.bytes[size_t(end - 1)] == ' ' || m.bytes[size_t(end - 1)] == '\r'))
                --end;
            SCOPED_TRACE(m.bytes.substr(size_t(start), size_t(next - start)));
            EXPECT_LT(scanned[k].width - (m.positions[size_t(next)] - m.positions[size_t(end)]), width);
            if (lines[k].flags & 0x6000)
                continue;
            // The line plus the next word (up to its blank or hyphen) would not fit.
            int32_t wordEnd = next;
            while (wordEnd < m.text.count && m.bytes[size_t(wordEnd)] != ' ' &&
                   m.bytes[size_t(wordEnd)] != '-' && m.bytes[size_t(wordEnd)] != '\t' &&
                   m.bytes[size_t(wordEnd)] != '\n')
                ++wordEnd;
            if (wordEnd < m.text.count && m.bytes[size_t(wordEnd)] == '-')
                ++wordEnd;
            if (m.bytes[size_t(next)] != '\t') {
                EXPECT_GE(scanned[k].width + m.positions[size_t(wordEnd)] - m.positions[size_t(next)], width);
            }
        }
        // The soft line break ends its line; the line after a hyphen break carries 0x0100.
        bool soft = false, hyphen = false;
        for (const Line& l : lines) {
            soft = soft || (l.flags & 0x2000);
            hyphen = hyphen || (l.flags & 0x0100);
        }
        EXPECT_TRUE(soft);
        EXPECT_TRUE(hyphen) << width;
    }
}

TEST(TxLineBreak, ARunWithoutBreaksLaysOutNoWiderThanTheLine)
{
    Measured m(std::string(5000, 'w'));
    std::vector<TxScannedLine> scanned;
    const std::vector<Line> lines = Lines(m.text, 100, &scanned);
    ASSERT_FALSE(lines.empty());
    for (const TxScannedLine& l : scanned)
        EXPECT_LT(l.width, 100);
    EXPECT_EQ(lines.size(), 5000u / 8u);
    // Beside an exclusion the word moves whole: nothing goes on the line unless forced.
    Measured word("abcdefghij");
    EXPECT_EQ(TxScanLine(word.text, 0, 0, 30, false).next, 0);
}

TEST(TxLineBreak, KeepTogetherRunsStayOnOneLine)
{
    Measured m("ab cd ef gh");
    const std::vector<uint16_t> flags = {0, 0, 0, 8, 8, 8, 8, 8, 0, 0, 0};
    m.text.styleFlags = flags.data();
    // "cd ef" is kept together: the overflow inside it breaks before the run.
    EXPECT_EQ(TxScanLine(m.text, 0, 0, 50).next, 3);
    // Without the run kept together the break is at the blank before the overflow.
    m.text.styleFlags = nullptr;
    EXPECT_EQ(TxScanLine(m.text, 0, 0, 50).next, 6);
    // Characters of a style that skips breaks offer none: the word breaks where it overflows.
    const std::vector<uint16_t> skip(11, 2);
    m.text.styleFlags = skip.data();
    EXPECT_EQ(TxScanLine(m.text, 0, 0, 50).next, 7);
}

TEST(TxLineBreak, DoubleByteCharactersFollowTheLineRules)
{
    // Four double-byte characters of 16 units in set 128, each a break point; the third the
    // ideographic full stop.
    const uint8_t bytes[] = {0x82, 0xA0, 0x82, 0xA2, 0x81, 0x42, 0x82, 0xA4};
    std::vector<int32_t> positions;
    std::vector<uint16_t> types;
    for (int i = 0; i < 8; ++i) {
        positions.push_back(i / 2 * 16);
        types.push_back(i % 2 ? 0x1000 : 0x0012);
    }
    positions.push_back(64);
    positions[1] = 16, positions[3] = 32, positions[5] = 48, positions[7] = 64;
    TxMeasuredText text = {bytes, positions.data(), types.data(), 8, 128, 0, nullptr, nullptr, nullptr};
    // The stop overflows a line 40 wide: it may not begin the next line, so the character before
    // it goes with it.
    EXPECT_EQ(TxScanLine(text, 0, 0, 40).next, 2);
    // Outside the double-byte sets the break falls before the stop; no break splits a character.
    text.charset = 0;
    EXPECT_EQ(TxScanLine(text, 0, 0, 40).next, 4);
    EXPECT_EQ(TxScanLine(text, 0, 0, 20).next, 2);
}

TEST(TxLineBreak, DoubleByteClassesComeFromTheSetsTables)
{
    const struct
    {
        int32_t charset;
        std::vector<uint8_t> code;
        uint32_t added;
    } cases[] = {
        {128, {0x81, 0x42}, kTxClassNoBegin},
        {128, {0xA2}, kTxClassNoBegin},
        {129, {0xA3, 0xDC}, kTxClassNoBegin},
        {128, {0x81, 0x65}, kTxClassNoEnd},
        {128, {0x24}, kTxClassNoEnd},
        {134, {0xA3, 0xB0}, kTxClassNoEnd},
        {136, {0xA1, 0x41}, kTxClassNoBegin},
        {136, {0xA1, 0x5D}, kTxClassNoEnd},
        {134, {0xA1, 0xA2}, kTxClassNoBegin},
        {128, {0x41}, 0},
        {0, {0x81, 0x42}, 0},
        {128 | 0x1000, {0x81, 0x42}, kTxClassNoBegin},
        {129, {0x81, 0x42}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TxDbcsLineBreakClass(c.code.data(), int32_t(c.code.size()), c.charset, 0x0012),
                  0x0012 | c.added)
            << c.charset << " " << int(c.code[0]);
    // The tables as given: their sizes per set and class, sorted for the search.
    const struct
    {
        int32_t charset, noBegin, noEnd;
    } sizes[] = {{128, 81, 20}, {129, 35, 17}, {134, 44, 26}, {136, 60, 26}};
    for (const auto& s : sizes) {
        const TxKinsokuTables* t = TxKinsokuFor(s.charset);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->noBeginCount, s.noBegin);
        EXPECT_EQ(t->noEndCount, s.noEnd);
        EXPECT_TRUE(std::is_sorted(t->noBegin, t->noBegin + t->noBeginCount));
        EXPECT_TRUE(std::is_sorted(t->noEnd, t->noEnd + t->noEndCount));
    }
}

TEST(TxLineBreak, ChunkSizeKeepsPositionsInSixteenBits)
{
    const struct
    {
        int32_t widthOfW, chunk;
    } cases[] = {{4, 4096}, {0, 4096}, {6, 4096}, {8, 4062}, {12, 2708}, {100, 325}};
    for (const auto& c : cases)
        EXPECT_EQ(TxMeasureChunkSize(c.widthOfW), c.chunk) << c.widthOfW;
}

TEST(TxLineBreak, ARightTabStopAlignsTheTextBeforeTheLineEnd)
{
    // The paragraph's stops reach the scan through the tab procedure: the text after a right stop
    // at 200 ends there.
    Measured m("x\tabc def");
    struct Context
    {
        TxParInfo par;
        const TxMeasuredText* text;
    } context{};
    context.par.defaultTabSpacing = 36;
    context.par.tabCount = 1;
    context.par.tabs[0] = {3, 200, 0, 0};
    context.text = &m.text;
    m.text.tabContext = &context;
    m.text.tabEnd = [](void* c, int32_t x, int32_t left, int32_t right, int32_t after) {
        const Context& ctx = *static_cast<const Context*>(c);
        const TxTabRequest request = {&ctx.par, left, x, right, false, ctx.text, after};
        return TxTabEnd(request);
    };
    // The text up to the next tab or control character, "abc def" (52 wide), ends at the stop.
    const TxScannedLine line = TxScanLine(m.text, 0, 0, 400);
    EXPECT_EQ(line.next, m.text.count);
    EXPECT_EQ(line.width, 200);
    // A line too narrow for the stop falls back to the default spacing and wraps at the blank.
    const TxScannedLine narrow = TxScanLine(m.text, 0, 0, 80);
    EXPECT_EQ(narrow.next, 6);
    EXPECT_EQ(narrow.width, 36 + 28);
}
