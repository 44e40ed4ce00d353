#include "formatting/format/ApplyTitleCase.h"

#include "database/sort/CharacterClasses.h"
#include "database/text/StyledString.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/FormatContext.h"
#include "formatting/style/TitleFormatPage.h"

#include <string.h>

namespace {
// Every stop word with a blank before and after it.
const char kStopWords[] = " a an at the in to of and or but nor for on by into ";

StyledString MapCase(const StyledString& text, bool upper)
{
    StyledString mapped;
    for (int i = 0; i < text.GetLength(); ++i)
        mapped.AppendChar(upper ? ToUpperChar(text.text[i]) : ToLowerChar(text.text[i]));
    return mapped;
}

// One character for another: the runs stay as they are.
void UpperCaseAt(StyledString& text, int i)
{
    text.text.SetAt(i, ToUpperChar(text.text[i]));
}

bool IsStopWord(const CString& text, int start, int end)
{
    enum
    {
        kLongestStopWord = 4
    };
    if (end - start > kLongestStopWord)
        return false;
    char word[kLongestStopWord + 3];
    int n = 0;
    word[n++] = ' ';
    for (int i = start; i < end; ++i)
        word[n++] = ToLowerChar(text[i]);
    word[n++] = ' ';
    word[n] = '\0';
    return strstr(kStopWords, word) != nullptr;
}

// A one-letter word counts only where it stands alone between a blank (or
// the start) and something other than a blank: 'x-ray', not 'vitamin c '.
bool MayCapitalise(const CString& text, int start, int end)
{
    if (end - start >= 2)
        return true;
    const bool afterBlank = start == 0 || text[start - 1] == ' ';
    const bool lastCharacter = end == text.GetLength();
    return afterBlank && !lastCharacter && text[end] != ' ';
}

StyledString Headline(const StyledString& text)
{
    StyledString result(text);
    const CString& source = text.text;
    const int length = source.GetLength();
    int i = 0;
    while (i < length) {
        if (!IsAlphaNumeric(source[i])) {
            ++i;
            continue;
        }
        const int start = i;
        while (i < length && IsAlphaNumeric(source[i]))
            ++i;
        if (MayCapitalise(source, start, i) && !IsStopWord(source, start, i))
            UpperCaseAt(result, start);
    }
    return result;
}

StyledString SentenceStart(const StyledString& text)
{
    // The first letter, then after it the first ":" arms one more.
    enum
    {
        kFirstLetter,
        kColon,
        kLetterAfterColon,
        kDone
    } state = kFirstLetter;
    StyledString result(text);
    for (int i = 0; i < result.GetLength() && state != kDone; ++i) {
        const char ch = result.text[i];
        if ((state == kFirstLetter || state == kLetterAfterColon) && IsAlphaNumeric(ch)) {
            UpperCaseAt(result, i);
            state = state == kFirstLetter ? kColon : kDone;
        } else if (state == kColon && ch == ':') {
            state = kLetterAfterColon;
        }
    }
    return result;
}
} // namespace

StyledString ChangeTitleCase(const StyledString& text, int mode)
{
    if (!text.IsEmpty() && text.text[0] == '=')
        return text.Mid(1, text.GetLength() - 1);
    switch (mode) {
    case kTitleUnchanged:
        return text;
    case kTitleUppercase:
        return MapCase(text, true);
    case kTitleLowercase:
        return MapCase(text, false);
    case kTitleHeadline:
        return Headline(text);
    case kTitleCaseMode4:
        return SentenceStart(text);
    default:
        return StyledString();
    }
}

void ApplyTitleCase(FormatContext& context, const StyledString& text, int mode, const StyleRun& style)
{
    if (context.sink == nullptr)
        return;
    const bool known =
        (!text.IsEmpty() && text.text[0] == '=') || (mode >= kTitleUnchanged && mode <= kTitleCaseMode4);
    if (known)
        context.sink->Write(ChangeTitleCase(text, mode), &style);
}
