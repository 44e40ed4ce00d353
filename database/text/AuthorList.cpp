#include "database/text/AuthorList.h"

#include "database/sort/TextSpans.h"

namespace
{
bool IsEtAlEnding(const CString& text)
{
    const int length = text.GetLength();
    return length > 3 && text.Right(4) == "////";
}

bool HaveSameText(const StyledString& a, const StyledString& b)
{
    return a.text == b.text && a.runs.IsEqual(b.runs);
}

bool HaveSameNames(const AuthorName& a, const AuthorName& b)
{
    if (a.literal != b.literal || a.otherNames.GetSize() != b.otherNames.GetSize())
        return false;
    if (!HaveSameText(a.lastName, b.lastName) || !HaveSameText(a.firstName, b.firstName))
        return false;
    for (int i = 0; i < a.otherNames.GetSize(); ++i)
    {
        if (!HaveSameText(a.otherNames[i], b.otherNames[i]))
            return false;
    }
    return true;
}
} // namespace

AuthorList::AuthorList()
{
}

AuthorList::~AuthorList()
{
    DeleteAll();
}

void AuthorList::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAuthor(i);
    RemoveAll();
}

void AuthorList::AddAuthor(AuthorName* author)
{
    // Once added, the list owns the author (and deletes it should its parse
    // fail); until then, this does.
    try
    {
        Add(author);
    }
    catch (...)
    {
        delete author;
        throw;
    }
}

void AuthorList::Parse(const StyledString& field)
{
    int length = field.GetLength();
    const bool etAlMark = IsEtAlEnding(field.text);
    if (etAlMark)
        length -= 4;
    // The items are found from an offset rather than by copying what is
    // left of the field after each one: a long field stays one pass.
    const StyledString text = etAlMark ? field.Left(length) : field;
    const char* chars = text.text.GetString();
    for (int pos = 0; pos < length;)
    {
        TextSpan span;
        GetSeparatedItemSpan(span, chars + pos);
        if (span.start == span.end)
            break;
        AuthorName* author = new AuthorName;
        AddAuthor(author);
        author->Parse(text.Mid(pos + span.start, span.end - span.start));
        pos += span.end;
    }
    if (etAlMark)
    {
        AuthorName* marker = new AuthorName;
        marker->etAl = TRUE;
        AddAuthor(marker);
    }
}

int AuthorList::GetAuthorCount() const
{
    const INT_PTR count = GetSize();
    if (count > 0 && GetAuthor(count - 1)->etAl)
        return kEtAlAuthorCount;
    return static_cast<int>(count);
}

BOOL AuthorList::IsEqual(const AuthorList& other) const
{
    if (GetSize() != other.GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < GetSize(); ++i)
    {
        if (!HaveSameNames(*GetAuthor(i), *other.GetAuthor(i)))
            return FALSE;
    }
    return TRUE;
}
