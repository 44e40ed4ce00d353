// Repair of the runs of a styled string read from an archive: default
// character sets, face names of national fonts, and Macintosh Roman text
// converted to Windows text.
#pragma once

#include "database/text/StyledString.h"

// What a Macintosh character becomes: the new byte, and the class of the
// piece that holds it.
enum MacCharClass : BYTE
{
    kMacToAnsi = 0,     // a Windows ANSI character: encoding 0, charSet 0
    kMacKeep = 1,       // stays Macintosh text: encoding 1, charSet 0
    kMacToSymbol = 2    // a character of the Symbol font: charSet 2, "Symbol"
};

struct MacCharMapping
{
    BYTE cls; // MacCharClass
    BYTE ch;
};

// Macintosh Roman to Windows; bytes 0x00-0x7F map to themselves (class 0).
extern const MacCharMapping MacRomanToWindowsTable[256];

// Converts every run whose encoding and character set equal the arguments
// through the table, splitting a run wherever the class of its characters
// changes (each piece keeps the run's own font, size and style, then takes
// its class's attributes). Runs in the "Symbol" or "Wingdings" font become
// Windows symbol runs (encoding 0, charSet 2) and keep their bytes. Other
// runs are left alone. Needs the run lengths to add up to the text.
void ConvertMacintoshRuns(StyledString& s, BYTE encoding, BYTE charSet, const MacCharMapping* table);

// For each Windows run: the default character set becomes ANSI; a named ANSI
// font takes the character set the platform reports for it, and a national
// font's name becomes its family name (emptied when none is known). Then
// Macintosh Roman runs are converted by ConvertMacintoshRuns. Runs of
// encoding 2 or 3 are left as they are.
void NormalizeRunFonts(StyledString& s);
