// Helpers shared by the stored forms of the setups. Every setup object begins
// with u16 schema 0 and a u16 version; another schema is the archive's
// bad-schema error. Integers are 32-bit little-endian.
#pragma once

#include "classlib/Archive.h"

// Writes schema 0 and the version.
void WriteSetupHeader(CArchive& ar, WORD version);
// Reads schema and version; CArchiveException badSchema when the schema is not 0.
WORD ReadSetupHeader(CArchive& ar);

void WriteSetupInt(CArchive& ar, int value);
int ReadSetupInt(CArchive& ar);
