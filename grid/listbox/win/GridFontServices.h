// Font helpers the styled grid cells need from the application shell and the rich-text control. They
// live here until those subsystems provide them; then this file goes.
#pragma once

#include <windows.h>

// A zero-filled LOGFONT: height -(points x the screen's pixels per inch / 72), weight 700 or 400, the
// italic and underline bytes, DEFAULT_CHARSET and the face (cut to 31 characters).
void MakeLogFont(LOGFONT& out, const char* face, int points, BOOL bold, BOOL italic, BOOL underline);
// True at once for DEFAULT_CHARSET; otherwise whether the screen has a font of that face in that
// character set.
bool FontExistsInCharset(const char* face, BYTE charSet);
