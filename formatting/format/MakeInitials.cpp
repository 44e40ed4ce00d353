#include "formatting/format/MakeInitials.h"

#include "database/sort/CharacterClasses.h"
#include "database/text/StyledString.h"

namespace {
StyledString HyphenatedInitials(const StyledString& name, bool periods)
{
    const CString& text = name.text;
    const int length = name.GetLength();
    StyledString result;
    if (IsUpper(text[0]))
        result += name.Mid(0, 1);
    for (int hyphen = text.Find('-'); hyphen >= 0; hyphen = text.Find('-', hyphen + 1)) {
        const bool upperNext = hyphen + 1 < length && IsUpper(text[hyphen + 1]);
        if (!upperNext)
            continue;
        if (!result.IsEmpty()) {
            if (periods)
                result.AppendText(".");
            result.AppendText("-");
        }
        result += name.Mid(hyphen + 1, 1);
    }
    return result;
}
} // namespace

StyledString MakeInitials(const StyledString& givenName, bool periods)
{
    const int length = givenName.GetLength();
    if (length == 3 && givenName.text[2] == '.')
        return givenName.Left(2);
    if (length > 1 && givenName.text.Find('-') >= 0)
        return HyphenatedInitials(givenName, periods);
    return givenName.Left(1);
}
