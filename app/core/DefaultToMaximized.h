// Whether the first child window of the main frame opens maximised: the profile value
// "Default to Maximized" of section "Application Options" (default 0), kept without a setting object
// because the frames write it whenever the last child window closes.
#pragma once

#include "classlib/Types.h"

BOOL GetDefaultToMaximized();
void SaveDefaultToMaximized(BOOL bMaximized);
