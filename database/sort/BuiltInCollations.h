// The eight built-in collations, one process-wide instance each, built on
// first use with their weight tables (database/sort/tables/).
#pragma once

#include "classlib/Types.h"

class CCollation;

// The collation of a built-in language code, or NULL (System Specific, raw
// bytes, unknown codes).
const CCollation* GetBuiltInCollation(int code);
