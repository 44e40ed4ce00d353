// AuthorList: the authors of one author field, in order.
//
// A field holds authors separated by line breaks, ";" or "//" (a single "/"
// stays inside a name). A field that ends in "////" means "and others": the
// list then ends with an AuthorName whose etAl is TRUE and whose names are
// empty, and counts as kEtAlAuthorCount authors.
//
// The list owns its authors: they are deleted with it. Its run-time class is
// that of CObArray.
#pragma once

#include "classlib/Array.h"
#include "database/text/AuthorName.h"

class AuthorList : public CObArray
{
public:
    enum
    {
        kEtAlAuthorCount = 32000
    };

    AuthorList();
    ~AuthorList() override;

    // Appends one AuthorName per author of the field (the list is not
    // emptied first).
    void Parse(const StyledString& field);

    AuthorName* GetAuthor(INT_PTR index) const { return static_cast<AuthorName*>(GetAt(index)); }
    // The number of entries, or kEtAlAuthorCount when the last one is the
    // et-al marker.
    int GetAuthorCount() const;
    // Same entries with the same literal flag, last and first names (text and
    // runs) and further given names. Suffixes and the et-al flag are not
    // compared.
    BOOL IsEqual(const AuthorList& other) const;

    // Deletes every author and empties the list.
    void DeleteAll();

private:
    void AddAuthor(AuthorName* author);
};
