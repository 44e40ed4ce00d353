#include "database/db/RecordId.h"

#include <cstring>

int32_t ParseRecordId(const char* text)
{
    if (text == nullptr || *text == '\0')
        return 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return 0;
    }
    while (*text == '0')
        ++text;
    const size_t digits = std::strlen(text);
    if (digits == 0)
        return 0;
    // 10 stands for "non-zero but too large"; it is not the value.
    if (digits > 10 || (digits == 10 && std::strcmp(text, "2147483647") > 0))
        return 10;
    int64_t value = 0;
    for (; *text != '\0'; ++text)
        value = value * 10 + (*text - '0');
    return static_cast<int32_t>(value);
}

void IncrementDecimalText(CString& text, int position)
{
    for (int i = position - 1; i >= 0; --i) {
        if (text[i] != '9') {
            text.SetAt(i, static_cast<char>(text[i] + 1));
            return;
        }
        text.SetAt(i, '0');
    }
    // The carry ran off the left end: every digit was a nine.
    if (text.IsEmpty()) {
        text = "1";
        return;
    }
    text += '0';
    text.SetAt(0, '1');
}

namespace {
bool IsAllDigits(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}
} // namespace

void AddToDecimalText(CString& text, int32_t increment)
{
    if (increment <= 0)
        return;
    if (!IsAllDigits(text)) {
        for (int32_t i = 0; i < increment; ++i)
            IncrementDecimalText(text, text.GetLength());
        return;
    }
    // Column addition: the same result as `increment` single steps, without a
    // loop as long as the increment (the setting may be large).
    CString sum;
    uint32_t carry = static_cast<uint32_t>(increment);
    for (int i = text.GetLength() - 1; i >= 0; --i) {
        const uint32_t column = static_cast<uint32_t>(text[i] - '0') + carry % 10;
        carry = carry / 10 + column / 10;
        sum += static_cast<char>('0' + column % 10);
    }
    for (; carry > 0; carry /= 10)
        sum += static_cast<char>('0' + carry % 10);
    text.Empty();
    for (int i = sum.GetLength() - 1; i >= 0; --i)
        text += sum[i];
}
