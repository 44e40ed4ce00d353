// DDX_StyledText: a styled text exchanged with a text box.
//
// The page's text boxes are plain edit controls, so only the characters are
// edited: loading shows the text, saving keeps the string (runs and all) when
// the characters are unchanged and otherwise makes it one plain run over the
// new text (no run when empty). Limit it with DDV_MaxChars on its `text`.
#pragma once

#include "classlib/win/DataExchange.h"

class StyledString;

void DDX_StyledText(CDataExchange* pDX, int nIDC, StyledString& value);
