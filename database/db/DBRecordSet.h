// DBRecordSet: a named set of record numbers, kept as a bitmap.
//
// Record number n is bit n % 8 of byte (n % 1024) / 8 of block n / 1024,
// each block 128 bytes (held as 32 words whose bit n % 32 of word
// (n % 1024) / 32 is that same bit). Blocks are only added, never removed,
// except by RemoveAll, by loading and by DropBlocksFrom; a block may be all
// zero, and the number of blocks takes part in operator==.
//
// Invariants: `count` equals the number of set bits in all blocks; there
// are at most maxBlocks blocks, the most the stored form can count, so a
// set holds record numbers 0 to maxBlocks * 1024 - 1 (Set of a higher one
// raises CNotSupportedException and changes nothing).
//
// `flagWord` belongs to the callers (the search marks sets with it): union
// and symmetric difference combine it by OR, intersection by AND, and a
// symmetric difference whose combined flag word is not 0 leaves the blocks
// as they are. It is neither compared nor stored.
#pragma once

#include "classlib/Array.h"
#include "classlib/Object.h"
#include "database/text/StyledString.h"

class CArchive;

// One block of 1024 record numbers.
struct DBRecordSetBlock
{
    enum
    {
        words = 32,
        bytes = 128,
        records = 1024,
    };
    DWORD word[words];
};

class DBRecordSet : public CObject
{
public:
    enum
    {
        maxBlocks = 0xFFFF,
    };

    // An empty set named by a plain text (no run for an empty name).
    explicit DBRecordSet(const char* name = "");
    // Copies name, flag word, count and blocks.
    DBRecordSet(const DBRecordSet& other);
    ~DBRecordSet() override;

    // Frees every block; count 0. Name and flag word stay.
    void RemoveAll();
    int GetCount() const { return count; }
    int GetBlockCount() const { return (int)blocks.GetSize(); }

    // Adds (removes) the number and returns the count after the call; a
    // negative number, and for Clear one beyond the last block, changes
    // nothing.
    int Set(int recordNumber);
    int Clear(int recordNumber);
    BOOL Contains(int recordNumber) const;
    // Drops the blocks from block n on, which must hold no member: takes
    // back the growth of a Set that is undone. Never throws.
    void DropBlocksFrom(int n);

    // Copies count, flag word and blocks; the name stays.
    DBRecordSet& operator=(const DBRecordSet& other);
    // Equal counts, numbers of blocks and block bytes.
    BOOL operator==(const DBRecordSet& other) const;
    BOOL operator!=(const DBRecordSet& other) const { return !(*this == other); }

    // The set operations first give this set as many blocks as the other
    // has, and one at least.
    DBRecordSet& operator|=(const DBRecordSet& other);
    DBRecordSet& operator&=(const DBRecordSet& other);
    DBRecordSet& operator^=(const DBRecordSet& other);

    // The smallest member above the number (-1: the smallest member); -1
    // when there is none.
    int FindNext(int after) const;
    // The smallest number that is not a member (blocks * 1024 when every
    // bit of every block is set, or there are no blocks).
    int FindFirstFree() const;

    // Stored form (little-endian): the name in the styled-string archive
    // form, u32 count, u16 number of blocks b, then per block a length byte
    // p and either p bytes packed by PackRecordSetBlock (p 1 to 127) or, for
    // p 0, the block's 128 bytes. Loading empties the set first and leaves it
    // empty when it fails; a block that ends early raises CArchiveException
    // endOfFile, packed data that does not make exactly 128 bytes badIndex.
    // The stored count is not trusted: the members loaded are counted.
    void Serialize(CArchive& ar) override;

    DWORD flagWord;
    StyledString name;

private:
    // Gives the set at least n blocks.
    void Grow(INT_PTR n);
    // Growth before an operation with a set of b blocks.
    void GrowFor(INT_PTR b);
    void Recount();
    void LoadBlocks(CArchive& ar);

    int count;
    CArray<DBRecordSetBlock> blocks;
};

// Packs a block's 128 bytes as literals and runs: a byte that differs from
// the previous literal is written as itself and becomes the previous
// literal (which starts as 1 when the block starts with 0, else as 0); a
// byte equal to it starts a run over it and the equal bytes after it,
// written as the byte again and the run's length (1 to 127). Returns the
// packed length, or 0 when the packed form would reach 128 bytes (the block
// is then stored raw). packed needs room for 128 bytes.
int PackRecordSetBlock(const BYTE* block, BYTE* packed);
// Unpacks length bytes into the block's 128 bytes; data that would write
// past them, a run without its length, or data that falls short of 128
// bytes raises CArchiveException badIndex.
void UnpackRecordSetBlock(const BYTE* packed, int length, BYTE* block);
