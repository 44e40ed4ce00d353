// Alternate text: spans of a field text between the guillemets 0xAB and 0xBB
// are replaced by the values that the file "ALTERNAT.TXT" gives their keys.
//
// File form: one entry a line, "key {value}" (value up to the first "}" or
// the end of the line) or a key alone (empty value); both trimmed of white
// space; a later equal key replaces the earlier value; keys are case-sensitive.
#pragma once

#include "classlib/Map.h"
#include "database/text/StyledString.h"

// Fills the map from the file; FALSE (map untouched) when it cannot be opened.
BOOL ReadAlternateFile(const char* filePath, CMapStringToString& map);
// Empties the map, then reads "ALTERNAT.TXT" from the folder of the given
// file, else (empty path or no such file) from the program's folder.
void LoadAlternateText(const char* path, CMapStringToString& map);

// A copy of the text with every CR turned into LF; when enabled, each
// «key» span replaced by its value (the key itself when the map has none)
// and then every remaining guillemet deleted. The search goes on after each
// inserted value, so a value holding guillemets is not expanded again.
StyledString SubstituteAlternateText(const StyledString& text, BOOL enabled, const CMapStringToString& map);
