#include "app/core/StringHelpers.h"

#include "app/core/LineStringArray.h"
#include "classlib/Resources.h"

#include <cstdio>
#include <cstring>

int FindWordNoCase(const char* word, int length, const CStringArray& list)
{
    const CString target(word, length < 0 ? 0 : length);
    for (int i = 0; i < list.GetSize(); ++i) {
        const CString& entry = list[i];
        if (entry.GetLength() == target.GetLength() && entry.CompareNoCase(target) == 0)
            return i;
    }
    return -1;
}

char* FormatHex8(char* buffer, DWORD value)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 7; i >= 0; --i) {
        buffer[i] = digits[value & 0xF];
        value >>= 4;
    }
    buffer[8] = '\0';
    return buffer;
}

CString LongToString(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", value);
    return CString(text);
}

CString FormatCountText(const char* text, int count)
{
    const char* newline = text ? std::strchr(text, '\n') : nullptr;
    if (newline == nullptr)
        return CString(text);
    if (count == 1)
        return CString(text, static_cast<int>(newline - text));
    // Only "%d" is filled in: the text is data, never handed to a formatter that could read past the
    // arguments.
    char number[16];
    std::snprintf(number, sizeof number, "%d", count);
    CString result;
    for (const char* p = newline + 1; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 'd') {
            result += number;
            ++p;
        } else {
            result += *p;
        }
    }
    return result;
}

void AppendResourceLines(CStringArray& lines, UINT nID)
{
    CString text;
    if (!AfxLoadStringResource(nID, text))
        return;
    lines.Append(CLineStringArray(text));
}
