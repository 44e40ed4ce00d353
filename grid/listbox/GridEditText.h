// The masked cell editor's text, without a window: the input mask decides what each position accepts,
// the mask's literal characters are inserted by the editor itself, and insertion and deletion shift
// characters only within the run (consecutive positions of one mask character) of the position
// concerned. The editor's window procedure keeps one of these in its state and calls the operations
// below from its keys, mouse, clipboard and messages.
//
// Invariants after every operation: strlen(text) <= maskLength <= 256; caret <= strlen(text); each
// stored character is one that its mask position accepts (as stored) or, on a literal position, that
// literal or a blank left by a deletion.
#pragma once

#include "classlib/Types.h"

#include <functional>
#include <string>

enum : int
{
    GRID_EDIT_MAX = 256,
    GRID_EDIT_PASTE = -45,
    GRID_EDIT_DELETE = -46,
    GRID_EDIT_PASTE_LIMIT = 99,
    GRID_EDIT_LITERAL = 255,
};

// Mask character and typed character -> the character to store, 0 to refuse, 255 for a literal
// position (a mask character that is none of A a B b L l N n).
int GridEditCheckMaskChar(char maskChar, char ch);

struct GridEditText
{
    LONG maskLength;
    LONG caret;
    LONG anchor;
    LONG selStart; // -1 without a selection
    LONG selEnd;
    LONG changed;
    char text[GRID_EDIT_MAX + 1];
    char mask[GRID_EDIT_MAX + 1];
    char prompt[GRID_EDIT_MAX + 1];
};

// The clipboard as the editor sees it: plain text read and written.
struct GridEditClipboard
{
    std::function<std::string()> read;
    std::function<void(const std::string&)> write;
};

// Empty text, the default mask of ten "a", no prompt, no selection.
void GridEditInit(GridEditText& e);
LONG GridEditLength(const GridEditText& e);
bool GridEditHasSelection(const GridEditText& e);

// Inserts ch at the caret (literals before it are filled in first); changed = 1 when stored.
void GridEditInsert(GridEditText& e, char ch);
// Deletes at p: backward (over literals to the left) when p is below the caret, else forward.
void GridEditDeleteAt(GridEditText& e, LONG p);
// A typed character, Backspace (8), paste (-45) or delete (-46; cut when shift is held). changed tells
// whether the text changed.
void GridEditTypeChar(GridEditText& e, int code, bool shift, const GridEditClipboard& clipboard);
// The text entered again through the mask from the first position; the caret kept within the text.
void GridEditReformat(GridEditText& e);

// Setting messages: false (nothing changed) for a string longer than 256 characters.
bool GridEditSetMask(GridEditText& e, const char* mask);
bool GridEditSetPrompt(GridEditText& e, const char* prompt);
// The string cut to maskLength characters and typed from the first position; caret 0.
void GridEditSetText(GridEditText& e, const char* text);

// The caret position nearest x, measured with width(n) = the pixel width of the first n characters;
// avgCharWidth gives the first guess and half of it the rounding (at least 1 is used).
LONG GridEditHitTest(const GridEditText& e, LONG x, LONG margin, LONG avgCharWidth,
                     const std::function<LONG(LONG count)>& width);
// The selected positions as copied: a blank (or 255) shows the prompt's character where a prompt has
// one; without a prompt 255 becomes a blank.
std::string GridEditCopyText(const GridEditText& e);
// What the clipboard gives a paste: at most its first 99 characters.
std::string GridEditPasteText(const std::string& clipboardText);
