// Finding where a line breaks and scanning one line of measured text.
//
// The text is one block's bytes with, per byte, its measured left position (cumulative from 0,
// one more entry than bytes: positions[count] is the right edge of the last byte) and its 16-bit
// type. Class flags are the type plus the double-byte classes of the style's character set.
// Nothing here measures: a line is built from positions already measured for the whole block.
#pragma once

#include "richtext/engine/TxKinsoku.h"

#include <cstdint>

enum : uint32_t
{
    kTxCharBlank = 0x0001,
    kTxCharWordEnd = 0x0002, // a line may break after a run ending here
    kTxCharHyphen = 0x0008,  // a hyphenation point (unless hyphens are off)
    kTxCharBreakAfter = 0x0010,
    kTxCharControl = 0x0040,
    kTxCharObject = 0x00C0, // low byte of an embedded object's type
    kTxCharParEnd = 0x0100,
    kTxCharSoftBreak = 0x0200,
    kTxCharTab = 0x0400,
    kTxCharTrail = 0x3000, // a later byte of a multibyte character
    kTxCharContainerBreak = 0x4000,
    kTxCharPageBreak = 0x8000,
    kTxBreakSearchClasses = 0x3301B, // the classes asked for while searching for a break
    kTxAbsorbClasses = 0x0449,       // the classes absorbed after a break
};

enum : uint32_t
{
    kTxDocNoWrap = 0x0001,         // document attribute: a paragraph is one line
    kTxDocSoftBreakJoins = 0x0002, // document attribute: a soft line break does not end a line
    kTxDocNoHyphens = 0x2000,      // document attribute: hyphens are no break points
    kTxStyleSkipBreak = 0x0002,    // style flag: its characters are never break points
    kTxStyleKeepTogether = 0x0008, // style flag: its run stays on one line
};

// Line-end flags of a line's last piece.
enum : uint16_t
{
    kTxLinePageBreak = 0x0004,
    kTxLineContainerBreak = 0x0008,
    kTxLineHyphenBreak = 0x0100,
    kTxLineSoftBreak = 0x2000,
    kTxLineParEnd = 0x4000,
    kTxLineLastPiece = 0x8000,
};

// The largest number of characters measured in one call for a style whose "W" measures this wide:
// 32500 over the width (at least 6), at most 4096, which keeps one call's positions in 16 bits.
int32_t TxMeasureChunkSize(int32_t widthOfW);

// The tab procedure: the end position of a tab met at x on a line from left to right, after the
// index just after the tab character.
using TxTabEndProc = int32_t (*)(void* context, int32_t x, int32_t left, int32_t right, int32_t after);

struct TxMeasuredText
{
    const uint8_t* text;
    const int32_t* positions; // count + 1 entries
    const uint16_t* types;    // count entries
    int32_t count;
    int32_t charset;            // the style's character set, for the double-byte classes
    uint32_t docAttributes;     // kTxDoc... bits
    const uint16_t* styleFlags; // per byte, or null when no style has kTxStyle... flags
    TxTabEndProc tabEnd;        // null: a tab is as wide as measured
    void* tabContext;
};

// Class flags of the byte at index (its type plus kTxClassNoBegin or kTxClassNoEnd).
uint32_t TxClassAt(const TxMeasuredText& text, int32_t index);

// Moves overflow (the index after the overflowing character) back to where the next line starts.
// Returns the break, always after lineStart when forced is true; lineStart when no break exists and
// forced is false. hyphen is set when the line breaks at a hyphenation point, with hyphenWidth the
// width of the character before the break.
int32_t TxDefaultFindLineBreak(const TxMeasuredText& text, int32_t lineStart, int32_t overflow, bool forced,
                               bool& hyphen, int32_t& hyphenWidth);

struct TxScannedLine
{
    int32_t next;   // where the next line starts
    uint16_t flags; // kTxLine... bits of the last piece
    int32_t width;  // the line's width up to its last character, tabs included
};

// Scans one line from lineStart that fits in width (left and right are the line's edges, for the
// tab procedure): stops after a paragraph end, page or container break or soft line break, breaks
// an overflowing line at TxDefaultFindLineBreak and absorbs the blanks that follow the break. At
// least one character goes on a line when any remain and forced is set; otherwise a line on which
// no break fits ends at lineStart (the caller moves the word whole, beside an exclusion).
TxScannedLine TxScanLine(const TxMeasuredText& text, int32_t lineStart, int32_t left, int32_t right,
                         bool forced = true);
