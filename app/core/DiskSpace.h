// Free space on a drive, as the record saver's disk-full check wants it.
#pragma once

#include "classlib/Types.h"

// Free bytes on the drive of `path` (its drive part; the current drive when it has none): sectors per
// cluster x bytes per sector x free clusters, limited to 2,147,483,647, which is also the answer when the
// system cannot tell. The native build asks about the nearest existing folder of the path instead.
DWORD GetFreeDiskSpace(const char* path);

// The product computed in 64 bits and limited to 2,147,483,647: a 32-bit product would wrap on drives
// with 4 GB or more free and make saves fail with a false disk-full.
DWORD ClampFreeDiskSpace(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters);
