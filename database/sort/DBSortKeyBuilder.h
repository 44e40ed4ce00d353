// Sort keys: the byte string that a sort definition makes of a record, so
// that comparing two keys (CompareKeys) gives the wanted order of records.
//
// Key layout (at most kMaxKeySize bytes):
//   0        L, the number of bytes that follow
//   1        one part per key of the sort definition, in key order; each part
//            is a NUL-terminated byte string without a NUL inside (an empty
//            part is the single NUL); the parts take at most kPartRoom bytes
//   L - 3    the record number, 32-bit little-endian
// So L <= 127 and the whole key is L + 1 bytes.
//
// Parts by field: text through the database's language sort without a case
// level (the first word left out when a stop list holds it); authors as their
// words, 0x01 between authors; dates as 8 upper-case hexadecimal digits of the
// date number (16 for a range); all-digit record IDs padded with "0" to 20
// digits; call numbers as their shelf-order key. All language work happens
// here, once: comparing is a byte comparison.
//
// The sort-key tree of a sort slot keeps one builder over its sort definition
// and its database's context, builds keys into the B-tree's search key buffer
// and takes CompareKeys and CompareKeyText as its tree kind's comparisons.
// A builder refers to its sort definition and context; both must outlive it.
#pragma once

#include "classlib/Types.h"
#include "database/sort/DBSortSpec.h"
#include "database/sort/SortKeyContext.h"

class SortKeyRecord;
class StyledString;
struct DatePart;

// The date number of a date part whose unsigned order is the order of dates
// (GetDateNumber with BC years running backwards: their year bits are
// complemented so that 100 BC sorts before 50 BC, and all of them before
// every AD year, bit 31 clear); yearOnly keeps only era, year and letter.
DWORD DateSortNumber(const DatePart& part, bool yearOnly);

class DBSortKeyBuilder
{
public:
    enum
    {
        kMaxKeySize = 128,
        kPartRoom = 123,      // all parts with their NULs
        kRecordIdDigits = 20, // all-digit record IDs are padded to this
        kWorkBuffer = 128     // encoded text and collected words
    };

    DBSortKeyBuilder(const DBSortSpec& spec, const SortKeyContext& context);

    // Builds the record's key into key (kMaxKeySize bytes), stores its total
    // length (L + 1) in *length and returns the record number.
    LONG BuildKey(const SortKeyRecord& record, BYTE* key, int* length) const;

    // The key of a typed text for the first key of the sort definition, by its
    // field code as stored (roles are not resolved), with record number 0.
    // Returns the total length. A stop word typed alone gives an empty part.
    int MakeSearchKey(const char* text, BYTE* key) const;

    // -1, 0 or 1: the order of two keys. Part by part: an empty part sorts
    // before a value when emptyFirst is set, after it otherwise, whatever the
    // key's direction; other parts compare as unsigned bytes, a prefix first,
    // reversed for a descending key; when all parts are equal, the smaller
    // record number (signed) first. Reads nothing beyond byte L of a key.
    int CompareKeys(const BYTE* a, const BYTE* b) const;
    // As CompareKeys on the first parts alone, without the key's direction:
    // matches a typed text against stored keys.
    int CompareKeyText(const BYTE* a, const BYTE* b) const;

    // Part builders: each writes one NUL-terminated part of at most room
    // bytes (room >= 1) and returns the bytes written with the NUL.
    int MakeAuthorPart(char* dest, const StyledString& value, int room) const;
    int MakeTextPart(char* dest, const StyledString& value, int room) const;
    int MakeDatePart(char* dest, const char* text, int room) const;
    int MakeRecordIdPart(char* dest, const StyledString& value, int room) const;
    static int MakeCallNumberPart(char* dest, const char* text, int room);
    // The words of one author (stored encoding, NUL-terminated) for the
    // author part: at most limit bytes, no NUL. A literal ("=") name tests
    // its first word against the generic stop list and is never cut at a
    // comma; a personal name uses the author stop list and, with
    // lastNameOnly, stops after its last name (the word before a comma).
    int AppendAuthorWords(char* dest, const char* author, int limit) const;

    // TRUE when length bytes form one sort key: L + 1 == length, 4 <= L <=
    // 127, and the parts end with a NUL right before the record number.
    static BOOL IsWellFormedKey(const BYTE* key, int length);
    // The record number in a key's last four bytes (0 when L < 4).
    static LONG GetKeyRecordNumber(const BYTE* key);

private:
    int MakePart(char* dest, const SortKeyRecord& record, int code, int room) const;
    bool IsAscending(int keyIndex) const;

    const DBSortSpec& m_spec;
    const SortKeyContext& m_context;
};
