#include "database/text/AuthorName.h"

#include "database/sort/CharacterClasses.h"

#include <string.h>

namespace
{
// The name set and the name-and-hyphen set, one flag per byte value.
struct NameCharacters
{
    bool name[256];
    bool nameOrHyphen[256];

    NameCharacters()
    {
        for (int ch = 0; ch < 256; ++ch)
            name[ch] = IsAlphaNumeric(static_cast<char>(ch)) != FALSE;
        for (const char* p = "#$%&'*+<>@"; *p != '\0'; ++p)
            name[static_cast<unsigned char>(*p)] = true;
        memcpy(nameOrHyphen, name, sizeof name);
        nameOrHyphen[static_cast<unsigned char>('-')] = true;
    }
};

const NameCharacters& Characters()
{
    static const NameCharacters characters;
    return characters;
}

bool IsNameChar(char ch)
{
    return Characters().name[static_cast<unsigned char>(ch)];
}

bool IsNameOrHyphenChar(char ch)
{
    return Characters().nameOrHyphen[static_cast<unsigned char>(ch)];
}

// First index from p on (before length) that is a name character.
int SkipToName(const char* text, int p, int length)
{
    while (p < length && !IsNameChar(text[p]))
        ++p;
    return p;
}

// End of the run of name-and-hyphen characters that starts at p.
int EndOfNameRun(const char* text, int p, int length)
{
    while (p < length && IsNameOrHyphenChar(text[p]))
        ++p;
    return p;
}
} // namespace

AuthorName::AuthorName() : literal(FALSE), etAl(FALSE)
{
    Characters();
}

AuthorName::~AuthorName()
{
}

void AuthorName::Clear()
{
    lastName.Empty();
    firstName.Empty();
    otherNames.RemoveAll();
    suffix.Empty();
    literal = FALSE;
    etAl = FALSE;
}

void AuthorName::Parse(StyledString text)
{
    Clear();
    const int length = text.GetLength();
    if (length > 0 && text.text[0] == '=')
    {
        lastName = text.Right(length - 1);
        literal = TRUE;
        return;
    }
    const int comma = text.text.Find(',');
    if (comma < 0)
    {
        lastName = text;
        return;
    }
    lastName = text.Left(comma);
    int end = length;
    const int equals = text.text.Find('=', comma + 1);
    if (equals >= 0)
    {
        suffix = text.Right(length - equals - 1);
        end = equals;
    }
    ParseGivenNames(text, comma + 1, end);
}

void AuthorName::ParseGivenNames(const StyledString& text, int from, int length)
{
    const char* t = text.text.GetString();
    int p = SkipToName(t, from, length);
    int runEnd = EndOfNameRun(t, p, length);
    if (runEnd > p)
        firstName = text.Mid(p, runEnd - p);
    p = runEnd;

    if (p + 2 < length && t[p] == '.' && t[p + 1] == '-' && t[p + 2] != ' ')
    {
        // A hyphenated initial such as 'J.-P.': one given name.
        const StyleRun style = firstName.runs.IsEmpty() ? StyleRun() : firstName.runs.Last();
        firstName.AppendStyled(".-", 2, style);
        runEnd = EndOfNameRun(t, p + 2, length);
        firstName += text.Mid(p + 2, runEnd - (p + 2));
        p = runEnd;
    }
    else if (p > 0 && t[p - 1] == '-')
    {
        firstName.TrimRight("-");
    }
    if (p < length && t[p] == '.')
    {
        firstName += text.Mid(p, 1);
        ++p;
    }

    while (p < length)
    {
        p = SkipToName(t, p, length);
        if (p >= length)
            break;
        runEnd = EndOfNameRun(t, p, length);
        StyledString name = text.Mid(p, runEnd - p);
        name.TrimRight("-");
        if (runEnd < length && t[runEnd] == '.')
        {
            name += text.Mid(runEnd, 1);
            ++runEnd;
        }
        otherNames.Add(name);
        p = runEnd;
    }
}
