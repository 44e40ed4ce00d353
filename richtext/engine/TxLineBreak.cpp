// Breaking lines: the backward search for a break and the forward scan of one line.
#include "richtext/engine/TxLineBreak.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int32_t kNoLimit = 0x7FFFFFF0;

uint16_t StyleFlagsAt(const TxMeasuredText& t, int32_t i)
{
    return t.styleFlags ? t.styleFlags[i] : 0;
}

// The first byte of the character holding byte i.
int32_t CharStart(const TxMeasuredText& t, int32_t i)
{
    while (i > 0 && (t.types[i] & kTxCharTrail))
        --i;
    return i;
}

// The byte after the character starting at i.
int32_t CharEnd(const TxMeasuredText& t, int32_t i)
{
    ++i;
    while (i < t.count && (t.types[i] & kTxCharTrail))
        ++i;
    return i;
}

// The candidate break a character offers, -1 for none.
int32_t CandidateAt(const TxMeasuredText& t, int32_t i, int32_t lineStart, uint32_t hyphenClass)
{
    const uint32_t c = TxClassAt(t, i) & kTxBreakSearchClasses;
    if (!(c & (kTxCharWordEnd | hyphenClass)))
        return -1;
    if (c & kTxCharBlank) {
        // The break is at the run's first blank; the blanks join the line when absorbed.
        int32_t first = i;
        while (first > lineStart && (TxClassAt(t, first - 1) & kTxCharBlank))
            --first;
        return first;
    }
    if ((c & (kTxCharBreakAfter | hyphenClass)) && !(c & (kTxClassNoEnd | kTxClassNoBegin)))
        return CharEnd(t, i);
    return i;
}

// Moves a break back while it would end a line on a may-not-end character or begin one on a
// may-not-begin character.
int32_t ApplyDbcsRules(const TxMeasuredText& t, int32_t lineStart, int32_t b)
{
    while (b > lineStart) {
        const int32_t previous = CharStart(t, b - 1);
        if ((TxClassAt(t, previous) & kTxClassNoEnd) ||
            (b < t.count && (TxClassAt(t, b) & kTxClassNoBegin))) {
            b = previous;
            continue;
        }
        break;
    }
    return b;
}

// The break a keep-together run met at i gives.
int32_t KeptRunBreak(const TxMeasuredText& t, int32_t lineStart, int32_t i, bool overflowKept,
                     int32_t& runStart)
{
    runStart = i;
    while (runStart > lineStart && (StyleFlagsAt(t, runStart - 1) & kTxStyleKeepTogether))
        --runStart;
    return overflowKept ? runStart : CharEnd(t, i);
}
} // namespace

int32_t TxMeasureChunkSize(int32_t widthOfW)
{
    return std::min(32500 / std::max(widthOfW, 6), 4096);
}

uint32_t TxClassAt(const TxMeasuredText& text, int32_t index)
{
    const uint32_t type = text.types[index];
    const int32_t bytes = CharEnd(text, index) - index;
    return TxDbcsLineBreakClass(text.text + index, bytes, text.charset, type);
}

int32_t TxDefaultFindLineBreak(const TxMeasuredText& text, int32_t lineStart, int32_t overflow, bool forced,
                               bool& hyphen, int32_t& hyphenWidth)
{
    hyphen = false;
    hyphenWidth = 0;
    const uint32_t hyphenClass = (text.docAttributes & kTxDocNoHyphens) ? 0u : uint32_t(kTxCharHyphen);
    const int32_t overflowChar = CharStart(text, std::clamp(overflow - 1, lineStart, text.count - 1));
    const bool overflowKept = StyleFlagsAt(text, overflowChar) & kTxStyleKeepTogether;
    int32_t found = lineStart;
    for (int32_t i = overflowChar; i >= lineStart;) {
        const uint16_t styleFlags = StyleFlagsAt(text, i);
        int32_t next = i > lineStart ? CharStart(text, i - 1) : lineStart - 1;
        int32_t b = -1;
        if (styleFlags & kTxStyleKeepTogether) {
            int32_t runStart = i;
            b = KeptRunBreak(text, lineStart, i, overflowKept, runStart);
            next = runStart - 1;
        } else if (!(styleFlags & kTxStyleSkipBreak)) {
            b = CandidateAt(text, i, lineStart, hyphenClass);
        }
        if (b > lineStart && b <= overflowChar)
            b = ApplyDbcsRules(text, lineStart, b);
        if (b > lineStart && b <= overflowChar) {
            found = b;
            break;
        }
        i = std::min(next, b >= lineStart ? b - 1 : next);
    }
    if (found == lineStart) {
        if (!forced || lineStart >= text.count)
            return lineStart;
        found = overflowChar > lineStart ? overflowChar : CharEnd(text, lineStart);
        return found;
    }
    if (hyphenClass && (TxClassAt(text, CharStart(text, found - 1)) & hyphenClass)) {
        hyphen = true;
        const int32_t before = CharStart(text, found - 1);
        hyphenWidth = text.positions[found] - text.positions[before];
    }
    return found;
}

TxScannedLine TxScanLine(const TxMeasuredText& text, int32_t lineStart, int32_t left, int32_t right,
                         bool forced)
{
    const int32_t available = (text.docAttributes & kTxDocNoWrap) ? kNoLimit : right - left;
    const int32_t base = text.positions[lineStart];
    struct TabExtra
    {
        int32_t index, extra;
    };
    std::vector<TabExtra> tabs;
    int32_t extra = 0;
    TxScannedLine line = {text.count, kTxLineLastPiece, 0};
    int32_t end = text.count;
    bool overflowed = false;
    for (int32_t i = lineStart; i < text.count; ++i) {
        const uint16_t type = text.types[i];
        if (type > 1) {
            const bool softEnds = (type & kTxCharSoftBreak) && !(text.docAttributes & kTxDocSoftBreakJoins);
            if ((type & (kTxCharParEnd | kTxCharPageBreak | kTxCharContainerBreak)) || softEnds) {
                end = i + 1;
                break;
            }
            if ((type & kTxCharTab) && text.tabEnd) {
                const int32_t x = text.positions[i] + extra - base + left;
                const int32_t own = text.positions[i + 1] - text.positions[i];
                const int32_t add =
                    std::max(text.tabEnd(text.tabContext, x, left, right, i + 1) - x - own, 0);
                extra += add;
                tabs.push_back({i, add});
            }
        }
        if (text.positions[i + 1] + extra - base >= available) {
            bool hyphen = false;
            int32_t hyphenWidth = 0;
            end = TxDefaultFindLineBreak(text, lineStart, i + 1, forced, hyphen, hyphenWidth);
            if (hyphen)
                line.flags |= kTxLineHyphenBreak;
            overflowed = true;
            break;
        }
    }
    if (overflowed) {
        for (const TabExtra& tab : tabs)
            if (tab.index >= end)
                extra -= tab.extra;
        // Blanks after the break stay on the line; a tab past the line start and anything after a
        // control character do not.
        while (end < text.count) {
            const uint32_t c = TxClassAt(text, end) & kTxAbsorbClasses;
            if (!c || ((c & kTxCharTab) && end != lineStart))
                break;
            ++end;
            if (c & kTxCharControl)
                break;
        }
    }
    line.next = end;
    line.width = text.positions[end] + extra - base;
    if (end > lineStart) {
        const uint16_t last = text.types[end - 1];
        if (last & kTxCharParEnd) {
            line.flags |= kTxLineParEnd;
            if ((text.docAttributes & kTxDocSoftBreakJoins) && end < text.count &&
                (text.types[end] & kTxCharSoftBreak)) {
                line.flags |= kTxLineSoftBreak;
                line.next = ++end;
            }
        } else if ((last & kTxCharSoftBreak) && !(text.docAttributes & kTxDocSoftBreakJoins)) {
            line.flags |= kTxLineSoftBreak;
        } else if (last & kTxCharContainerBreak) {
            line.flags |= kTxLineContainerBreak;
        } else if (last & kTxCharPageBreak) {
            line.flags |= kTxLinePageBreak;
        }
    }
    return line;
}
