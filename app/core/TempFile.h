// Temporary files.
#pragma once

#include "classlib/CString.h"

// A new, unique file name in the system's temporary folder, prefix "lv"; the (empty) file is created, so
// the name stays taken. The native build uses $TMPDIR (else /tmp) and gives the name as a drive-C path.
// Throws the class library's file exception when no name can be made.
CString MakeTempFileName();
