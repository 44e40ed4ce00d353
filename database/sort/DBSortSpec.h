// A sort definition: up to six keys, each a field and a direction, and the
// options that shape the keys built for them (DBSortKeyBuilder).
//
// Field codes: 0 the record ID, 1-45 the record fields, and the roles that a
// record resolves for itself (SortKeyRecord::ResolveFieldRole): 250
// author-or-title, 253 date, 254 title, 255 author; 252 is the workform name.
//
// Invariants: 0 <= keyCount <= kMaxSortKeys; keys at and after keyCount are
// not in use. indexBuilt marks the sort slot that owns the sort definition (its
// tree holds a key for every record); it travels with the stored form but is
// not part of the ordering: assignment leaves it and equality ignores it.
#pragma once

#include "classlib/Types.h"

class CArchive;

enum SortFieldCode : BYTE
{
    sortFieldRecordId = 0,
    sortFieldCallNumber = 44,
    sortFieldAuthorTitle = 250,
    sortFieldWorkform = 252,
    sortFieldDate = 253,
    sortFieldTitle = 254,
    sortFieldAuthor = 255
};

const int kMaxSortKeys = 6;

struct DBSortKey
{
    DBSortKey() : fieldCode(0), ascending(1) {}
    DBSortKey(BYTE code, int isAscending) : fieldCode(code), ascending(isAscending) {}

    BYTE fieldCode;
    int ascending; // non-zero ascending, 0 descending
};

class DBSortSpec
{
public:
    enum
    {
        kStoredSize = 26
    };

    // No keys, emptyFirst 1, every other option 0.
    DBSortSpec();
    DBSortSpec(const DBSortSpec& other) = default;
    // Copies keyCount, all six keys and the four ordering options;
    // indexBuilt stays as it was.
    DBSortSpec& operator=(const DBSortSpec& other);
    // Equal key counts, equal codes and directions of the keys in use, equal
    // ordering options.
    bool operator==(const DBSortSpec& other) const;
    bool operator!=(const DBSortSpec& other) const { return !(*this == other); }

    // Appends a key; a sort definition with six keys is left unchanged.
    void AddKey(const DBSortKey& key);

    // The 26-byte stored form. Reading a key count above six raises a
    // bad-schema archive exception and leaves the sort definition unchanged;
    // a form cut short raises endOfFile after taking the keys read whole.
    void Serialize(CArchive& ar);

    int keyCount;
    DBSortKey keys[kMaxSortKeys];
    int indexBuilt;
    int emptyFirst;      // empty key parts sort before values
    int firstAuthorOnly; // author keys stop after the first author
    int lastNameOnly;    // author keys stop after each last name
    int yearOnly;        // date keys keep only era, year and year letter
};
