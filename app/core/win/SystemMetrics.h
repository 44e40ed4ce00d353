// Two process-wide records of system metrics, filled once before any other static object of the program
// is made: the non-client metrics (SPI_GETNONCLIENTMETRICS, the 340-byte record without the padded border
// width) and the icon-title font (SPI_GETICONTITLELOGFONT), the font of the child frames' toolbar labels
// and of the menu buttons. Fields the system cannot give stay zero.
#pragma once

#include <windows.h>

extern NONCLIENTMETRICS SystemNonClientMetrics;
extern LOGFONT IconTitleLogFont;
