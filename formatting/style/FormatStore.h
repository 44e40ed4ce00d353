// The format stores of an output style: per workform ID, one format block
// kept in its serialised form in a memory file (CMemFile, grow-by 1024) that
// the map owns. Keeping blocks serialised means that opening a style builds
// no format object: a user builds one and loads it from the block it needs.
//
// Stored form of a store (little-endian):
//   u16 entry count n
//   n entries: u16 workform ID, u16 byte count c, c bytes of the block
// Entries follow the map's iteration order; readers accept any order, and an
// ID read twice keeps the later block. The 16-bit counts bound a store to
// 65,535 entries of at most 65,535 bytes each (FormatStoreFits).
#pragma once

#include "classlib/Collections.h"
#include "classlib/MemFile.h"

#include <vector>

enum : DWORD
{
    kMaxFormatBlockBytes = 0xFFFF,
    kMaxFormatStoreEntries = 0xFFFF
};

// The IDs that have a block, in the map's order.
std::vector<WORD> FormatBlockIds(const CMapWordToOb& store);
// The block of an ID, or NULL.
CMemFile* FindFormatBlock(const CMapWordToOb& store, WORD id);
// The block of an ID, made empty on first use.
CMemFile* GetOrAddFormatBlock(CMapWordToOb& store, WORD id);
// Removes and deletes the block of an ID; FALSE when there is none.
BOOL RemoveFormatBlock(CMapWordToOb& store, WORD id);
// Deletes every block and empties the map.
void ClearFormatStore(CMapWordToOb& store);

// TRUE when the store can be written: few enough entries, every block below
// 65,536 bytes.
BOOL FormatStoreFits(const CMapWordToOb& store);

void WriteFormatStore(CArchive& ar, const CMapWordToOb& store);
// Adds the entries read to the store. A short entry raises the archive's end
// of file; the entries read before it stay in the store.
void ReadFormatStore(CArchive& ar, CMapWordToOb& store);
