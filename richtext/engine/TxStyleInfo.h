// Character style and paragraph format records: the shared, fixed-size records of a document's
// style and paragraph lists, which runs refer to by index (TxStyleRuns.h).
//
// Records are never edited in place: a change makes a new record that is found or added in its
// list. Two records are equal when every field before the flag word is equal, except the pointer
// fields (procedures, the object callback and reference), which never take part in a comparison;
// a record without the definition flag is compared with its style sheet number made non-positive.
//
// Masks are records of the same layout: for setting, every non-zero 16-bit unit selects the
// matching unit of the value; for getting, a unit holds -1 where the value is the same over the
// whole range and 0 where it is mixed. Masked copies and merges cover the bytes before the flag
// word (kTxStyleMaskBytes, kTxParMaskBytes).
#pragma once

#include "richtext/engine/TxFontInfo.h"
#include "richtext/engine/TxHookSlots.h"
#include "richtext/engine/TxTypes.h"

#include <cstddef>

enum
{
    kTxStyleAttributeCount = 32,
    kTxAttrBold = 0,
    kTxAttrItalic = 1,
    kTxAttrUnderline = 2,
    kTxAttrHidden = 10,
    kTxAttrSmallCaps = 17, // percentage of the point size, -1 = 75
    kTxAttrDefinition = 21, // definition number to resolve, 0 = none
    kTxMaxTabStops = 32,
};

enum : uint32_t
{
    kTxDefinitionFlag = 0x2,   // flag word: kept in its list without runs
    kTxKeptFlagBits = 0xF000,  // the only flag-word bits that survive adding
    kTxObjectStyle = 0x2000,   // class flags
};

struct TxStyleInfo
{
    int16_t fontIndex; // -1 reads as 0
    int16_t attributes[kTxStyleAttributeCount];
    int16_t objectSpan;
    int16_t values5[5];
    int16_t values4[4];
    int16_t rects[2][4];
    int16_t value16;
    uint32_t classFlags;
    int32_t styleSheet; // n in definition n, -n in a style made from it, 0 in neither
    int32_t namedStyle; // named-style entry number, 0 = none
    int32_t derivedIndex; // the small-capitals style made from this one
    int32_t fontObject;
    int32_t fontCacheIndex;
    int32_t widthScale; // 16.16, 0 = normal
    int32_t pointSize;  // 16.16
    int32_t values10[10];
    int32_t value32a;
    int32_t values3[3];
    // The embedded object (pointer-sized in memory; streams write identities).
    uintptr_t objectCallback;
    uintptr_t objectData;
    int32_t objectRefValue;
    int32_t objectId;
    TxRef objectRef;
    int32_t value32b;
    int32_t spare; // keeps the procedures aligned without hidden padding
    TxHook procs[kTxStyleHookCount];
    uint32_t flagWord;
    int32_t useCount;
};

struct TxTabStop
{
    int32_t kind, position, leader, extra;
};

struct TxParInfo
{
    int16_t justification; // 0 left, 1 centre, 2 right, 3 full
    int16_t flags1;
    int32_t styleSheet;
    int32_t indents[3]; // left, right, first-line offset
    int32_t values12[12]; // the first the line spacing, the fifth and sixth the border space
    int16_t value16a;
    int16_t direction;
    int32_t value32a;
    int32_t values8[8];
    int16_t tabCount;
    int16_t flags2; // bit 0 keeps the lines together
    TxTabStop tabs[kTxMaxTabStops];
    int32_t defaultTabSpacing;
    int32_t value32b;
    int16_t values3[3];
    int16_t value16b;
    int32_t table[9]; // value, column count, default column width, value, border, border spacing,
                      // shading colour, border flags, value
    int32_t value32c;
    int32_t value32d;
    int32_t sideColours[4];
    int32_t namedStyle;
    TxHook procs[kTxParHookCount];
    uint32_t flagWord;
    int32_t useCount;
};

// Bytes that masks cover; the comparable prefix before the first pointer field.
constexpr int32_t kTxStyleMaskBytes = int32_t(offsetof(TxStyleInfo, flagWord));
constexpr int32_t kTxStylePlainBytes = int32_t(offsetof(TxStyleInfo, objectCallback));
constexpr int32_t kTxParMaskBytes = int32_t(offsetof(TxParInfo, flagWord));
constexpr int32_t kTxParPlainBytes = int32_t(offsetof(TxParInfo, procs));

static_assert(offsetof(TxStyleInfo, objectCallback) % 8 == 0 && offsetof(TxStyleInfo, procs) % 8 == 0,
              "pointer fields of the style record follow without hidden padding");
static_assert(sizeof(TxStyleInfo) == offsetof(TxStyleInfo, useCount) + 4, "no padding at the end");
static_assert(offsetof(TxParInfo, procs) % 8 == 0 && sizeof(TxParInfo) == offsetof(TxParInfo, useCount) + 4,
              "the paragraph record has no hidden padding");

// Equality of records as their lists see it (the sign rule of the style sheet number applied).
bool TxEqualStyles(const TxStyleInfo& a, const TxStyleInfo& b);
bool TxEqualPars(const TxParInfo& a, const TxParInfo& b);
// A record as it enters a list: a positive style sheet number is negated unless it is a
// definition; only the bits 0xF000 (and the definition flag) of the flag word stay.
void TxNormalizeStyleForList(TxStyleInfo& style);
void TxNormalizeParForList(TxParInfo& par);
// Fills every byte of the record (a mask of all -1 or all 0).
void TxFillStyle(TxStyleInfo& record, uint8_t byte);
// Clears the mask's 16-bit units (over length bytes) where a and b differ.
void TxClearMaskWhereDifferent(const void* a, const void* b, void* mask, int32_t length);
