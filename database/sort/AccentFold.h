// Accent folding of Windows-1252 text.
//
// g_AccentFold maps every byte value to the byte that case- and
// accent-blind comparisons use: lower-case letters become upper case and
// accented Latin letters their base letter (Æ and æ a single A); the curly
// single and double quotation marks become the straight ones. Letters without
// a plain base letter (Ø, ß, Ð, Þ, š, ž, œ...) keep their own value, so
// folding never merges two different letters of one alphabet into a third.
//
// The table is filled before main (and again, identically, by
// BuildAccentFoldTable) and never changes afterwards.
#pragma once

extern unsigned char g_AccentFold[256];

// Fills g_AccentFold; calling it again rebuilds the same table.
void BuildAccentFoldTable();
