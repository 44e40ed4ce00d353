// Font helpers the styled grid cells need: logical fonts come from the shell; the check for a face in a
// character set lives here until the rich-text control provides it, then this file goes.
#pragma once

#include "app/core/win/FontSettings.h"

#include <windows.h>

// True at once for DEFAULT_CHARSET; otherwise whether the screen has a font of that face in that
// character set.
bool FontExistsInCharset(const char* face, BYTE charSet);
