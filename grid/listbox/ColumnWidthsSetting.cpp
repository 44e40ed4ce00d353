#include "grid/listbox/ColumnWidthsSetting.h"

#include <stdio.h>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A decimal number as "%d" reads it; null when there is none or it overflows an int.
const char* ReadNumber(const char* p, LONG& out)
{
    while (IsBlank(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return nullptr;
    long long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 2147483648LL)
            return nullptr;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL)
        return nullptr;
    out = static_cast<LONG>(value);
    return p;
}

} // namespace

bool ParseColumnWidths(const char* text, LONG& first, LONG& second)
{
    if (!text)
        return false;
    LONG a = 0, b = 0;
    const char* p = ReadNumber(text, a);
    if (!p || *p != ',')
        return false;
    if (!ReadNumber(p + 1, b))
        return false;
    first = a;
    second = b;
    return true;
}

CString FormatColumnWidths(LONG first, LONG second)
{
    char text[32];
    snprintf(text, sizeof text, "%d,%d", static_cast<int>(first), static_cast<int>(second));
    return CString(text);
}
