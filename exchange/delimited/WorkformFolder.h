// Where workforms created by an import are saved, and under which name.
#pragma once

#include "classlib/CString.h"

// The folder new workform files go to: the first folder of the setting
// "Directories" / "Workform File Path" (folders separated by ";"), else the
// program's folder. Needs the application object (the setting).
CString GetWorkformDirectory();
// A file name in 8.3 form, upper case, that no file of the folder has: up to
// eight letters and digits of the title ("WORKFORM" when it has none), the end
// replaced by a number when that is taken ("JOURNAL1", "JOURNA12"), then the
// extension (with its dot, at most three letters). Empty when none is free.
CString MakeUniqueShortFileName(const char* directory, const char* title, const char* extension);
