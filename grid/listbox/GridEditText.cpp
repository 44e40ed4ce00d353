#include "grid/listbox/GridEditText.h"

#include "classlib/CodePage1252.h"

#include <string.h>

namespace {

bool IsPrintable(unsigned char c)
{
    return c >= 32 && c != 127 && c != GRID_EDIT_LITERAL;
}

bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool IsLiteralAt(const GridEditText& e, LONG p)
{
    return GridEditCheckMaskChar(e.mask[p], 'A') == GRID_EDIT_LITERAL;
}

// Last position of the run that p belongs to.
LONG RunEnd(const GridEditText& e, LONG p)
{
    LONG end = p;
    while (end + 1 < e.maskLength && e.mask[end + 1] == e.mask[p])
        ++end;
    return end;
}

void EndSelection(GridEditText& e)
{
    e.selStart = e.selEnd = -1;
}

void DeleteSelection(GridEditText& e)
{
    const LONG start = e.selStart < e.selEnd ? e.selStart : e.selEnd;
    const LONG end = e.selStart < e.selEnd ? e.selEnd : e.selStart;
    for (LONG p = end - 1; p >= start; --p) {
        if (p >= e.maskLength || IsLiteralAt(e, p))
            continue; // literals stay; a deletion there would reach past the selection
        e.caret = p; // forward deletion at p
        GridEditDeleteAt(e, p);
    }
    const LONG length = GridEditLength(e);
    e.caret = start > length ? length : start;
    EndSelection(e);
}

void TypeString(GridEditText& e, const char* s, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        GridEditTypeChar(e, static_cast<unsigned char>(s[i]), false, GridEditClipboard());
}

bool CopyLimited(char* target, const char* source)
{
    const size_t n = strlen(source);
    if (n > GRID_EDIT_MAX)
        return false;
    memcpy(target, source, n + 1);
    return true;
}

} // namespace

int GridEditCheckMaskChar(char maskChar, char ch)
{
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (maskChar) {
    case 'A':
        return IsPrintable(c) ? AnsiCharUpper(c) : 0;
    case 'a':
        return IsPrintable(c) ? c : 0;
    case 'B':
        return AnsiIsCharAlpha(c) || IsDigit(c) ? AnsiCharUpper(c) : 0;
    case 'b':
        return AnsiIsCharAlpha(c) || IsDigit(c) ? c : 0;
    case 'L':
        return AnsiIsCharAlpha(c) ? AnsiCharUpper(c) : 0;
    case 'l':
        return AnsiIsCharAlpha(c) ? c : 0;
    case 'N':
        return IsDigit(c) || c == '.' ? c : 0;
    case 'n':
        return IsDigit(c) ? c : 0;
    default:
        return GRID_EDIT_LITERAL;
    }
}

void GridEditInit(GridEditText& e)
{
    memset(&e, 0, sizeof e);
    e.maskLength = 10;
    memset(e.mask, 'a', 10);
    EndSelection(e);
}

LONG GridEditLength(const GridEditText& e)
{
    return static_cast<LONG>(strlen(e.text));
}

bool GridEditHasSelection(const GridEditText& e)
{
    return e.selStart >= 0 && e.selStart != e.selEnd;
}

void GridEditInsert(GridEditText& e, char ch)
{
    LONG p = e.caret;
    if (p >= e.maskLength)
        return;
    while (IsLiteralAt(e, p)) {
        const bool atEnd = p == GridEditLength(e);
        e.text[p] = e.mask[p];
        if (atEnd)
            e.text[p + 1] = '\0';
        e.caret = ++p;
        if (p >= e.maskLength)
            return;
    }
    const int stored = GridEditCheckMaskChar(e.mask[p], ch);
    if (stored == 0)
        return;
    const LONG length = GridEditLength(e);
    if (p < length) {
        const LONG end = RunEnd(e, p);
        // Shift right within the run; past the text's end the text grows by one.
        const LONG last = end < length ? end : length;
        if (last == length)
            e.text[length + 1] = '\0';
        memmove(e.text + p + 1, e.text + p, last - p);
    } else {
        e.text[p + 1] = '\0';
    }
    e.text[p] = static_cast<char>(stored);
    e.changed = 1;
    e.caret = p + 1;
}

void GridEditDeleteAt(GridEditText& e, LONG p)
{
    const bool backward = p < e.caret;
    if (p < 0)
        return;
    while (p < e.maskLength && IsLiteralAt(e, p)) {
        if (backward) {
            if (p == 0)
                return;
            --p;
            --e.caret;
        } else {
            ++p;
            ++e.caret;
        }
    }
    const LONG length = GridEditLength(e);
    if (e.caret > length)
        e.caret = length;
    if (p >= e.maskLength || p >= length)
        return;
    const LONG end = RunEnd(e, p);
    if (end >= length - 1) {
        memmove(e.text + p, e.text + p + 1, length - p); // the terminator moves too
    } else {
        memmove(e.text + p, e.text + p + 1, end - p);
        e.text[end] = ' ';
    }
    e.changed = 1;
}

void GridEditTypeChar(GridEditText& e, int code, bool shift, const GridEditClipboard& clipboard)
{
    e.changed = 0;
    LONG changed = 0;
    if (code == GRID_EDIT_PASTE) {
        if (GridEditHasSelection(e)) {
            DeleteSelection(e);
            changed = e.changed;
        }
        const std::string pasted = GridEditPasteText(clipboard.read ? clipboard.read() : std::string());
        const size_t n = pasted.size() < static_cast<size_t>(e.maskLength) ? pasted.size() : e.maskLength;
        for (size_t i = 0; i < n; ++i) {
            GridEditTypeChar(e, static_cast<unsigned char>(pasted[i]), false, clipboard);
            changed |= e.changed;
        }
    } else if (code == GRID_EDIT_DELETE) {
        if (!GridEditHasSelection(e)) {
            EndSelection(e);
            GridEditDeleteAt(e, e.caret);
        } else {
            if (shift && clipboard.write)
                clipboard.write(GridEditCopyText(e));
            DeleteSelection(e);
        }
        changed = e.changed;
    } else if (code == 8) {
        if (GridEditHasSelection(e)) {
            DeleteSelection(e);
        } else if (e.caret > 0) {
            EndSelection(e);
            // Over literals the deletion moves the caret left with it; the caret then lands on the
            // deleted position.
            GridEditDeleteAt(e, e.caret - 1);
            --e.caret;
            if (e.caret < 0)
                e.caret = 0;
            const LONG length = GridEditLength(e);
            if (e.caret > length)
                e.caret = length;
        }
        changed = e.changed;
    } else if (code > 0 && code < 256 && IsPrintable(static_cast<unsigned char>(code))) {
        if (GridEditHasSelection(e)) {
            DeleteSelection(e);
            changed = e.changed;
        }
        EndSelection(e);
        GridEditInsert(e, static_cast<char>(code));
        changed |= e.changed;
    }
    e.changed = changed;
}

void GridEditReformat(GridEditText& e)
{
    char taken[GRID_EDIT_MAX + 1];
    memcpy(taken, e.text, sizeof taken);
    const LONG caret = e.caret;
    e.text[0] = '\0';
    e.caret = 0;
    EndSelection(e);
    TypeString(e, taken, strlen(taken));
    const LONG length = GridEditLength(e);
    e.caret = caret > length ? length : caret;
}

bool GridEditSetMask(GridEditText& e, const char* mask)
{
    if (!CopyLimited(e.mask, mask))
        return false;
    e.maskLength = static_cast<LONG>(strlen(e.mask));
    GridEditReformat(e);
    return true;
}

bool GridEditSetPrompt(GridEditText& e, const char* prompt)
{
    return CopyLimited(e.prompt, prompt);
}

void GridEditSetText(GridEditText& e, const char* text)
{
    const size_t n = strlen(text);
    e.text[0] = '\0';
    e.caret = 0;
    EndSelection(e);
    TypeString(e, text, n < static_cast<size_t>(e.maskLength) ? n : e.maskLength);
    e.caret = 0;
}

LONG GridEditHitTest(const GridEditText& e, LONG x, LONG margin, LONG avgCharWidth,
                     const std::function<LONG(LONG count)>& width)
{
    const LONG average = avgCharWidth > 0 ? avgCharWidth : 1;
    const LONG length = GridEditLength(e);
    LONG guess = x > 0 ? x / average : 0;
    if (guess > length)
        guess = length;
    // Bracket x between the boundaries before and after a character.
    while (guess > 0 && width(guess) + margin > x)
        --guess;
    while (guess < length && width(guess + 1) + margin <= x)
        ++guess;
    if (guess < length && x - (width(guess) + margin) > average / 2)
        ++guess;
    return guess;
}

std::string GridEditCopyText(const GridEditText& e)
{
    std::string out;
    if (!GridEditHasSelection(e))
        return out;
    const LONG start = e.selStart < e.selEnd ? e.selStart : e.selEnd;
    const LONG end = e.selStart < e.selEnd ? e.selEnd : e.selStart;
    const LONG length = GridEditLength(e);
    const LONG promptLength = static_cast<LONG>(strlen(e.prompt));
    for (LONG p = start; p < end && p < length; ++p) {
        const unsigned char c = static_cast<unsigned char>(e.text[p]);
        const bool blank = c == ' ' || c == GRID_EDIT_LITERAL;
        if (blank && promptLength > 0)
            out += p < promptLength ? e.prompt[p] : ' ';
        else
            out += blank ? ' ' : static_cast<char>(c);
    }
    return out;
}

std::string GridEditPasteText(const std::string& clipboardText)
{
    const size_t n = clipboardText.find('\0');
    const std::string text = n == std::string::npos ? clipboardText : clipboardText.substr(0, n);
    return text.size() > GRID_EDIT_PASTE_LIMIT ? text.substr(0, GRID_EDIT_PASTE_LIMIT) : text;
}
