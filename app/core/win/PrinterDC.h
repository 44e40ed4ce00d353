// The one place that picks the default printer.
#pragma once

#include <windows.h>

// A device context on the application's default printer (its printer settings; without an application
// object, the system's default printer), or NULL when there is none. The caller deletes it (DeleteDC).
HDC GetPrinterDC();
