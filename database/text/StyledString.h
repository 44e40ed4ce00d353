// StyledString: an 8-bit text in a Windows code page with style runs.
//
// Invariants: the text never holds a NUL; the run lengths add up to the text
// length (every operation keeps this, and reading from an archive restores
// it). Text without formatting is one plain run; an empty text normally has
// no runs, though a run of length 0 is allowed. Lengths and positions count
// bytes. Operations that build runs make plain runs unless given one, never
// reorder runs, and merge equal neighbouring runs only where two strings are
// joined.
//
// The members are public for the conversions that build runs directly; such
// code must keep the invariants.
#pragma once

#include "classlib/CString.h"
#include "database/text/StyleRunArray.h"

class StyledString
{
public:
    StyledString();
    // The text in one plain run; no run for an empty text.
    StyledString(const char* plainText);
    StyledString(const StyledString& other);
    StyledString& operator=(const StyledString& other);
    // Exchanges text and runs with other; nothing is copied.
    void Swap(StyledString& other) noexcept;

    int GetLength() const { return text.GetLength(); }
    bool IsEmpty() const { return text.IsEmpty(); }

    void SetPlainText(const char* plainText);
    void Empty();

    // Appends other's text and runs, merging the seam.
    StyledString& operator+=(const StyledString& other);

    // The text range as CString's Mid, Left and Right clamp it, with the
    // runs of that range.
    StyledString Mid(int start, int count) const;
    StyledString Left(int count) const;
    StyledString Right(int count) const;

    // Appends to the last run, or in a new plain run when there is none. A NUL
    // character (or an empty text) appends nothing.
    void AppendChar(char ch);
    void AppendText(const char* plainText);
    // Appends one character in `style`: the last run grows when it has that
    // style; otherwise a new run copies the last run's other attributes (or is
    // plain when there is none).
    void AppendCharWithStyle(char ch, WORD style);
    // Appends count bytes with the attributes of run, merged into the last run
    // when it has the same attributes. The new run covers the bytes appended
    // (bytes from a NUL on are not appended).
    void AppendStyled(const char* bytes, int count, const StyleRun& run);

    // Replaces characters start .. end-1 by count bytes; the run holding start
    // takes them. Needs 0 <= start <= end <= length; anything else changes
    // nothing. Bytes from a NUL on are not inserted.
    void ReplaceRange(int start, int end, const char* bytes, int count);
    // Replaces every occurrence of find by the replacement in a plain run,
    // left to right, never searching inside a replacement; returns -1.
    int ReplaceAll(const char* find, const char* replacement);
    // Removes trailing characters that are in the set.
    void TrimRight(const char* charSet);

    CString text;
    StyleRunArray runs;
};

// a followed by b, merged at the seam.
StyledString ConcatStyledStrings(const StyledString& a, const StyledString& b);
