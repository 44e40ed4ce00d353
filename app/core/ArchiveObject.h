// Keeping an object's archive form in a file (typically a memory file).
#pragma once

#include "classlib/Types.h"

class CFile;
class CObject;

// Seeks the file to its start, runs the object's Serialize through a 4096-byte archive (loading when
// `bLoad`, else storing; the archive does not flush when deleted), closes the archive and seeks the file
// to its start again. Exceptions of Serialize propagate; the file is then left where it stopped.
void ArchiveObject(CObject& object, CFile& file, BOOL bLoad);
