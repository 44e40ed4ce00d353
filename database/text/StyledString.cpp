#include "database/text/StyledString.h"

#include <string.h>
#include <utility>

namespace
{
// Bytes of a counted buffer up to its first NUL: the text never holds one.
int LengthBeforeNul(const char* bytes, int count)
{
    if (bytes == nullptr || count <= 0)
        return 0;
    const void* nul = memchr(bytes, 0, static_cast<size_t>(count));
    return nul ? static_cast<int>(static_cast<const char*>(nul) - bytes) : count;
}

// CString's clamping of (first, count) to a text of `length` bytes.
void ClampRange(int length, int& first, int& count)
{
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > length)
        first = length;
    if (count > length - first)
        count = length - first;
}
} // namespace

StyledString::StyledString()
{
}

StyledString::StyledString(const char* plainText)
{
    SetPlainText(plainText);
}

StyledString::StyledString(const StyledString& other) : text(other.text), runs(other.runs)
{
}

void StyledString::Swap(StyledString& other) noexcept
{
    CString held(std::move(text));
    text = std::move(other.text);
    other.text = std::move(held);
    runs.Swap(other.runs);
}

StyledString& StyledString::operator=(const StyledString& other)
{
    if (&other != this)
    {
        text = other.text;
        runs.Copy(other.runs);
    }
    return *this;
}

void StyledString::SetPlainText(const char* plainText)
{
    text = plainText;
    runs.RemoveAll();
    if (!text.IsEmpty())
        runs.Add(StyleRun(0, 0, nullptr, text.GetLength()));
}

void StyledString::Empty()
{
    text.Empty();
    runs.RemoveAll();
}

StyledString& StyledString::operator+=(const StyledString& other)
{
    if (&other == this)
    {
        const StyledString copy(other);
        return *this += copy;
    }
    text += other.text;
    runs.Append(other.runs);
    return *this;
}

StyledString ConcatStyledStrings(const StyledString& a, const StyledString& b)
{
    StyledString result(a);
    result += b;
    return result;
}

StyledString StyledString::Mid(int start, int count) const
{
    ClampRange(text.GetLength(), start, count);
    StyledString result;
    result.text = text.Mid(start, count);
    result.runs = runs.Mid(start, count);
    return result;
}

StyledString StyledString::Left(int count) const
{
    return Mid(0, count);
}

StyledString StyledString::Right(int count) const
{
    const int length = text.GetLength();
    if (count < 0)
        count = 0;
    if (count > length)
        count = length;
    return Mid(length - count, count);
}

void StyledString::AppendChar(char ch)
{
    if (ch == '\0')
        return;
    text += ch;
    if (runs.IsEmpty())
        runs.Add(StyleRun(0, 0, nullptr, 1));
    else
        runs.Last().length += 1;
}

void StyledString::AppendText(const char* plainText)
{
    const int length = plainText ? static_cast<int>(strlen(plainText)) : 0;
    if (length == 0)
        return;
    text.Append(plainText, length);
    if (runs.IsEmpty())
        runs.Add(StyleRun(0, 0, nullptr, length));
    else
        runs.Last().length += length;
}

void StyledString::AppendCharWithStyle(char ch, WORD style)
{
    if (ch == '\0')
        return;
    text += ch;
    if (!runs.IsEmpty() && runs.Last().style == style)
    {
        runs.Last().length += 1;
        return;
    }
    StyleRun run = runs.IsEmpty() ? StyleRun() : runs.Last();
    run.style = style;
    run.length = 1;
    runs.Add(run);
}

void StyledString::AppendStyled(const char* bytes, int count, const StyleRun& run)
{
    count = LengthBeforeNul(bytes, count);
    if (count <= 0)
        return;
    text.Append(bytes, count);
    if (!runs.IsEmpty() && runs.Last().HasSameAttributes(run))
    {
        runs.Last().length += count;
        return;
    }
    StyleRun added = run;
    added.length = count;
    runs.Add(added);
}

void StyledString::ReplaceRange(int start, int end, const char* bytes, int count)
{
    const int length = text.GetLength();
    if (start < 0 || start > end || end > length)
        return;
    count = LengthBeforeNul(bytes, count);
    CString result = text.Left(start);
    result.Append(bytes, count);
    result.Append(text.GetString() + end, length - end);
    text = result;
    runs.AdjustForReplace(start, end - start, count);
}

int StyledString::ReplaceAll(const char* find, const char* replacement)
{
    const int findLength = find ? static_cast<int>(strlen(find)) : 0;
    if (findLength == 0)
        return -1;
    const StyledString inserted(replacement ? replacement : "");
    for (int at = text.Find(find, 0); at >= 0; at = text.Find(find, at + inserted.GetLength()))
    {
        const StyledString tail = Right(text.GetLength() - at - findLength);
        *this = ConcatStyledStrings(ConcatStyledStrings(Left(at), inserted), tail);
    }
    return -1;
}

void StyledString::TrimRight(const char* charSet)
{
    int length = text.GetLength();
    while (length > 0 && text[length - 1] != '\0' && strchr(charSet, text[length - 1]) != nullptr)
        --length;
    if (length < text.GetLength())
        *this = Left(length);
}
