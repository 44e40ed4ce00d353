// Named styles and style sheets.
//
// A style sheet is made of definitions, character styles and paragraph formats carrying the
// definition flag and a positive style sheet number n; formats made from definition n carry -n, so
// that changing the definition changes the text made from it. Definition numbers are the largest
// in use plus one, so a number is never reused while a higher one exists. The named-style list
// (TxNamedStyle records, numbered from 1) pairs a name of at most 63 characters with one character
// and one paragraph definition; storing a definition in an entry counts one use of it.
//
// A document may name a style-sheet partner, another document whose named styles follow the
// "Everywhere" operations; the partner must outlive that link. Every change of the style sheet
// raises the change count.
#pragma once

#include "richtext/engine/TxStyleRuns.h"

int32_t TxNewStyleDefinition(TxRef document, const TxStyleInfo& style, const TxFontInfo* font);
int32_t TxNewParDefinition(TxRef document, const TxParInfo& par);
// The entry of this exact name (appended when new); answers its number.
int32_t TxDefineNamedStyle(TxRef document, const char* name, int32_t styleDefinition, int32_t parDefinition);
int32_t TxAddNamedStyle(TxRef document, const char* name, const TxStyleInfo* style, const TxFontInfo* font,
                        const TxParInfo* par);
int32_t TxAddNamedStyleEverywhere(TxRef document, const char* name, const TxStyleInfo* style,
                                  const TxFontInfo* font, const TxParInfo* par);
// The number of the entry with exactly this name, 0 when none; with no name, the selection's
// uniform character style's named style, else its paragraph format's.
int32_t TxFindNamedStyle(TxRef document, const char* name);
int32_t TxNamedStyleCount(TxRef document);
bool TxGetNamedStyle(TxRef document, int32_t number, TxNamedStyle* out);
// Copies of the entry's definitions (defaults where it has none or the number is invalid).
void TxGetNamedStyleFormats(TxRef document, int32_t number, TxStyleInfo* style, TxFontInfo* font,
                            TxParInfo* par);
void TxRenameNamedStyle(TxRef document, int32_t number, const char* name);
void TxRenameNamedStyleEverywhere(TxRef document, int32_t number, const char* name);
// Removes the entry; references to it become 0 and those to later entries move down by one.
void TxDeleteNamedStyle(TxRef document, int32_t number);
void TxDeleteNamedStyleEverywhere(TxRef document, int32_t number);
// Every field of the definition over the range (null: the selection).
void TxApplyStyleDefinition(TxRef document, const TxRange* range, int32_t number, int32_t drawMode);
void TxApplyParDefinition(TxRef document, const TxRange* range, int32_t number, int32_t drawMode);
void TxApplyNamedStyle(TxRef document, const TxRange* range, int32_t number, int32_t drawMode);
// Replaces definition n's values (its number kept; a given font found or added) and carries the
// change to every style made from it, except in the fields such a style changed itself.
void TxChangeStyleDefinition(TxRef document, int32_t number, const TxStyleInfo& style, const TxFontInfo* font,
                             int32_t drawMode);
// The first definition equal to the style in the fields the mask selects (all when null), 0 when
// none; the style sheet number and the engine's own fields never count.
int32_t TxFindStyleDefinition(TxRef document, const TxStyleInfo& style, const TxStyleInfo* mask);
// The smallest and largest offsets of the runs formatted from definition n (paragraph runs when
// paragraphs is set); false when none.
bool TxDefinitionRange(TxRef document, bool paragraphs, int32_t number, TxRange& out);
