// File procedures and text encoding.
//
// The engine never opens files: its readers and writers move bytes through a file procedure the
// caller supplies; these are the defaults, over an open platform file (TxFileIo.h). Verbs:
// 0 transfer a buffer, 1 transfer into or out of a memory reference (record size 1; a read sets
// its count to the byte count), 2 report the end of file, 3 seek only, 4 truncate at the position
// (writing only), 5 report the file handle. The caller keeps the 32-bit position; every transfer
// seeks to it first and advances it by the count moved. Result: 0, or 0xFFFF when a seek, read or
// write failed or moved fewer bytes than asked (256 when a verb-1 reference cannot be sized).
// The procedures never raise.
#pragma once

#include "richtext/engine/TxMemory.h"

enum : int16_t
{
    kTxFileTransfer = 0,
    kTxFileTransferRef = 1,
    kTxFileEnd = 2,
    kTxFileSeekOnly = 3,
    kTxFileTruncate = 4,
    kTxFileGetHandle = 5,
};

// (buffer, reference or out value; verb; position in/out; count; file) -> 0 or an error.
using TxFileProc = TxErr (*)(void* data, int16_t verb, int32_t* position, int32_t count, TxRef fileRef);

// The file handle is record 0 of the file reference.
TxErr TxFileReadProc(void* destination, int16_t verb, int32_t* position, int32_t count, TxRef fileRef);
TxErr TxFileWriteProc(void* source, int16_t verb, int32_t* position, int32_t count, TxRef fileRef);
// The same over a handle passed directly.
TxErr TxHandleReadProc(void* destination, int16_t verb, int32_t* position, int32_t count, TxFileHandle file);
TxErr TxHandleWriteProc(void* source, int16_t verb, int32_t* position, int32_t count, TxFileHandle file);

// Bytes to 16-bit units; source and destination may coincide. Text of even length starting with
// a byte-order mark is copied as it is (length / 2 returned); otherwise each byte is widened and
// the length returned (0 without a destination).
int32_t TxWideFromBytes(const void* source, uint16_t* destination, int32_t length);
// 16-bit units (count) to bytes: a leading mark is skipped; after 0xFEFF the high byte of each
// unit is kept, else the low byte. Returns the bytes written.
int32_t TxBytesFromWide(const uint16_t* source, uint8_t* destination, int32_t count);
// Removes a leading mark (the text moves down, the freed last unit becomes 0) and exchanges the
// bytes of every unit when asked or after 0xFEFF. Returns the count left.
int32_t TxNormaliseWide(uint16_t* text, int32_t count, bool swap);

// One-character strings: a length byte (1, or 2 for a double-byte character) and the bytes.
void TxMakeCharString(uint8_t* string, uint8_t character);
uint16_t TxCharOfString(const uint8_t* string);
uint8_t TxStringLength(const uint8_t* string);

// How many bytes of a text reference (record size 1) equal the byte.
int32_t TxCountByte(TxRef text, uint8_t byte);
