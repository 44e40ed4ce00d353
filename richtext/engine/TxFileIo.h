// The file primitives under the engine's file procedures and its scratch file: a Windows file
// handle in the Windows build (win/TxFileIoWin.cpp), a file descriptor natively
// (TxFileIoPosix.cpp). Positions are 32-bit. None of them raises.
#pragma once

#include "richtext/engine/TxTypes.h"

// Moves to an absolute position; false on failure.
bool TxFileSeek(TxFileHandle file, int32_t position);
// Bytes read or written from the current position, -1 on failure.
int32_t TxFileRead(TxFileHandle file, void* buffer, int32_t count);
int32_t TxFileWrite(TxFileHandle file, const void* buffer, int32_t count);
// Moves to the end and answers the position there, -1 on failure.
int32_t TxFileSeekEnd(TxFileHandle file);
// Cuts the file at the current position; false on failure.
bool TxFileTruncate(TxFileHandle file);
