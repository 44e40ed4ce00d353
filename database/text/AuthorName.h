// AuthorName: one author of an author field, split into its parts.
//
// An author is written 'Last, First Middle' with an optional suffix after an
// "=" behind the comma ('Smith, John=Jr.'); a name that begins with "=" is
// taken whole, as a corporate or otherwise literal name ('=World Health
// Organization'); a name without a comma is all last name. Every part is cut
// from the field's styled string and keeps its character formatting.
//
// Name characters are the letters and digits of the Windows-1252 table and
// "#$%&'*+<>@"; given names may also hold "-". The tables are built when the
// first AuthorName is constructed and never change afterwards.
#pragma once

#include "classlib/Object.h"
#include "database/text/StyledString.h"
#include "database/text/StyledStringArray.h"

class AuthorName : public CObject
{
public:
    // Empty names, neither literal nor the et-al marker.
    AuthorName();
    ~AuthorName() override;

    AuthorName(const AuthorName&) = delete;
    AuthorName& operator=(const AuthorName&) = delete;

    // Fills the parts from the text of one author (no separators inside).
    // Parts already held are replaced.
    void Parse(StyledString text);

    StyledString lastName;  // family name, or the whole literal or comma-less name
    StyledString firstName; // first given name or initial, with its "." or ".-"
    CStyledStringArray otherNames; // further given names or initials, in order
    StyledString suffix;    // the text after an "=" behind the comma
    BOOL literal;           // the text began with "=": not parsed
    BOOL etAl;              // the "and others" marker, not a person

private:
    void Clear();
    // Parses the given names of text[from, length): first, then the others.
    void ParseGivenNames(const StyledString& text, int from, int length);
};
