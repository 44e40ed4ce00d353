// Fonts of the shell: logical fonts from point sizes, font settings in the profile, and the font lists of
// the Font and Font Size boxes. Points become pixels with the screen's vertical pixels per inch
// (ScreenMetrics.logPixelsY); face names are cut to 31 characters.
#pragma once

#include <windows.h>

class CComboBox;

// A character height (negative lfHeight) of `points`, weight 700 or 400, character set 1.
void MakeLogFont(LOGFONT& font, const char* faceName, int points, BOOL bBold, BOOL bItalic, BOOL bUnderline);
// "Font Name" and "Font Size" (points) of the section, else the defaults: a cell height (positive
// lfHeight), character set 1, every other field zero.
void LoadFontSetting(const char* section, LOGFONT& font, const char* defaultFace, int defaultSize);
void SaveFontSetting(const char* section, const LOGFONT& font);
// The font's text metrics on the screen.
void GetLogFontMetrics(const LOGFONT& font, TEXTMETRIC& metrics);

// Every font family of the screen, each once (unchanged without a screen DC).
void FillScreenFontCombo(CComboBox& combo);
// The TrueType and device families of the default printer, each once (unchanged without a printer).
void FillPrinterFontCombo(CComboBox& combo);
// 8 9 10 11 12 14 16 18 20 22 24 26 28 36 48 72.
void FillFontSizeCombo(CComboBox& combo);
