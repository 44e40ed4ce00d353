// Font records: the shared, fixed-size records a document's font list holds and character styles
// refer to by index. Records are never edited in place: a change makes a new record that is found
// or added in the list.
//
// A name is stored in one of two forms, said by the flags: a length byte followed by the
// characters, or a zero-terminated string. Two fonts are the same font when both names compare
// equal, each read in its own form (case-sensitive, same length).
#pragma once

#include <cstdint>

enum : uint8_t
{
    kTxFontNameZeroTerminated = 0x01,
    kTxFontNameBeforeVersion = 0x02, // cleared for files before version 0x100
    kTxFontNameChosen = 0x04,        // a caller's font mask selected the name
    kTxFontUseAlternate = 0x20,      // the alternate name stands for the name
    kTxFontAlternateZeroTerminated = 0x40,
};

enum
{
    kTxFontNameBytes = 64,
    kTxNoMappingClass = 257,
};

struct TxFontInfo
{
    uint8_t name[kTxFontNameBytes];
    uint8_t alternateName[kTxFontNameBytes];
    uint8_t flags;
    uint8_t flags2;        // 0x01 the mapping value was saved
    int16_t fontValues[5]; // the second is the platform font's pitch and family
    int32_t mappingClass;  // kTxNoMappingClass when none is set
    int32_t mappingValue;
    int32_t outputPrecision;
    int32_t clipPrecision;
    int32_t quality;
    int32_t charSet;
    int32_t savedMappingValue;
    int32_t storedValues[4];
};

static_assert(sizeof(TxFontInfo) == 184, "the font record keeps its stored size");

// The name (or the alternate name) in its own form: its characters and their count (at most 63
// for a length-prefixed name, 64 for a zero-terminated one without its zero).
int32_t TxFontName(const TxFontInfo& font, bool alternate, const uint8_t*& characters);
// 0 when the names (or the alternate names) are equal; else the sign of the first difference,
// the shorter name first.
int32_t TxCompareFont(const TxFontInfo& a, const TxFontInfo& b, bool alternate);
// Sets the name in the length-prefixed form (cut to 63 characters).
void TxSetFontName(TxFontInfo& font, const char* name);
// When the font asks for its alternate name, the alternate name (and its form) replaces the name.
void TxResolveFont(TxFontInfo& font);

// Copies every 16-bit unit of value whose mask unit is non-zero into destination (length in
// bytes, an odd last byte ignored); 1 when any unit changed.
int32_t TxMaskedCopy(void* destination, const void* value, const void* mask, int32_t length);
