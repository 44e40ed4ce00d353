// Which character set a font face uses, as the default printer offers it: styled text that names a face
// but no character set gets it from here. Printed output is what the sets matter for, so the printer's
// fonts decide, not the screen's.
#pragma once

#include <windows.h>

// FALSE for a null or empty face and for a face the default printer does not offer; else TRUE with its
// character set. The map is filled at the first call of the process from the printer's font families
// (each face with the set it was first enumerated with); without a printer it stays empty, and a failed
// fill is not tried again.
BOOL LookupFontCharset(const char* faceName, BYTE& charSet);
