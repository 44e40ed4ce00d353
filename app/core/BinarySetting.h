// Structured preferences stored as binary profile values.
//
// A binary value is the exact byte image of the object's archive as CArchive writes it, with no header
// of its own. Loading never fails visibly: a missing value leaves the object untouched, a damaged one
// stops the object's Serialize with an exception that is swallowed here (the object may be partly filled).
#pragma once

#include "classlib/Types.h"

class CObject;

// Reads (section, key) into `object` through a loading archive. TRUE when the value existed and loaded
// completely; FALSE when it is missing or could not be read.
BOOL LoadBinarySetting(const char* section, const char* key, CObject& object);

// Writes the archive form of `object` to (section, key). A memory exception propagates to the caller.
void SaveBinarySetting(const char* section, const char* key, CObject& object);

// The three outcomes of a load, for settings that fall back to a default only when nothing is stored.
enum class BinarySettingLoad
{
    missing, // no value: the object is untouched
    loaded,  // the whole value was read
    damaged, // reading stopped with an exception: the object keeps what was read
};
BinarySettingLoad LoadBinarySettingEx(const char* section, const char* key, CObject& object);
