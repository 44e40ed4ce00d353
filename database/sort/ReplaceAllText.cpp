#include "database/sort/ReplaceAllText.h"

#include <string.h>

int ReplaceAllText(CString& text, const char* searched, const char* replacement)
{
    const int searchedLength = static_cast<int>(strlen(searched));
    if (searchedLength == 0)
        return 0;

    // Built in one pass: the search always continues in the original text
    // after the match, which is where it continues after the inserted
    // replacement, so replacements are never searched again.
    CString result;
    int count = 0;
    int from = 0;
    for (int at = text.Find(searched, from); at >= 0; at = text.Find(searched, from))
    {
        result.Append(text.GetString() + from, at - from);
        result += replacement;
        from = at + searchedLength;
        ++count;
    }
    if (count > 0)
    {
        result.Append(text.GetString() + from, text.GetLength() - from);
        text = result;
    }
    return count;
}
