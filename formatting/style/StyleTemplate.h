// The template language of output styles: parsing a template into items,
// swapping its field codes between the shown and the stored form, and the
// default bibliography template of a new style.
//
// A template is 8-bit text: "|" separates items, "«" (0xAB) and "»" (0xBB)
// enclose optional groups, "\" keeps the next character from being a mark
// or the start of a code (the backslash stays in the text), and field codes
// are recognised by the table given.
#pragma once

#include "database/text/StyledString.h"
#include "formatting/style/FieldCodeTable.h"
#include "formatting/style/TemplateItem.h"

// Appends the items of text to list (callers pass an empty list). Never
// throws for malformed text: errors go to errorCode and errorPosition and the
// items built so far stay.
void ParseStyleTemplate(const FieldCodeTable& table, const char* text, TemplateItemList& list);

// Replaces each field item's code in text, last item first, by the table's
// entry for its item code; an empty entry removes the code.
void ReplaceFieldCodes(StyledString& text, const TemplateItemList& list, const FieldCodeTable& table);

// The default bibliography template with stored field codes, as a new style
// holds it (one plain run).
StyledString MakeDefaultBibliographyTemplate();
