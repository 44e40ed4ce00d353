#include "database/sort/DBSortKeyBuilder.h"

#include "app/core/StringHelpers.h"
#include "database/sort/CallNumberSortKey.h"
#include "database/sort/KeyWords.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyRecord.h"
#include "database/sort/TextSpans.h"
#include "database/text/DateValue.h"
#include "database/text/InternalEncoding.h"
#include "database/text/StyledString.h"

#include <string.h>

namespace {
const char kAuthorSeparator = '\x01';
const int kRecordNumberSize = 4;

bool IsAuthorField(int code)
{
    return code == 1 || code == 7 || code == 16 || code == 30;
}

bool IsDateField(int code)
{
    return code == 12 || code == 20 || code == 21;
}

// Writes the first count bytes of text and a NUL; returns count + 1.
int WriteCutPart(char* dest, const char* text, int count)
{
    memcpy(dest, text, count);
    dest[count] = '\0';
    return count + 1;
}

int MinInt(int a, int b)
{
    return a < b ? a : b;
}

void WriteRecordNumber(BYTE* dest, LONG number)
{
    const DWORD n = static_cast<DWORD>(number);
    for (int i = 0; i < kRecordNumberSize; ++i)
        dest[i] = static_cast<BYTE>(n >> (8 * i));
}

// The length of the part at p, which may run up to end: up to its NUL, or
// to end when a damaged key has none.
int PartLength(const BYTE* p, const BYTE* end)
{
    const void* nul = memchr(p, 0, end - p);
    return nul ? static_cast<int>(static_cast<const BYTE*>(nul) - p) : static_cast<int>(end - p);
}

// Unsigned byte order of two parts, a part that is a prefix of the other first.
int CompareParts(const BYTE* a, int lengthA, const BYTE* b, int lengthB)
{
    const int c = memcmp(a, b, MinInt(lengthA, lengthB));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return lengthA < lengthB ? -1 : lengthA > lengthB ? 1 : 0;
}

// The end of a key's parts (where its record number starts).
const BYTE* PartsEnd(const BYTE* key)
{
    const int length = key[0];
    return key + 1 + (length >= kRecordNumberSize ? length - kRecordNumberSize : 0);
}
} // namespace

DWORD DateSortNumber(const DatePart& part, bool yearOnly)
{
    DWORD number = GetDateNumber(part);
    if (part.era == kEraBC)
        number ^= 0x7FFF0000u;
    if (yearOnly)
        number &= ~0x0FFFu;
    return number;
}

DBSortKeyBuilder::DBSortKeyBuilder(const DBSortSpec& spec, const SortKeyContext& context)
    : m_spec(spec), m_context(context)
{
}

LONG DBSortKeyBuilder::BuildKey(const SortKeyRecord& record, BYTE* key, int* length) const
{
    int used = 0;
    int room = kPartRoom;
    for (int i = 0; i < m_spec.keyCount && i < kMaxSortKeys && room > 1; ++i) {
        const int code = record.ResolveFieldRole(m_spec.keys[i].fieldCode);
        const int written = MakePart(reinterpret_cast<char*>(key + 1 + used), record, code, room);
        used += written;
        room -= written;
    }
    const LONG number = record.GetRecordNumber();
    WriteRecordNumber(key + 1 + used, number);
    used += kRecordNumberSize;
    key[0] = static_cast<BYTE>(used);
    if (length != nullptr)
        *length = used + 1;
    return number;
}

int DBSortKeyBuilder::MakePart(char* dest, const SortKeyRecord& record, int code, int room) const
{
    if (code == sortFieldRecordId)
        return MakeRecordIdPart(dest, StyledString(record.GetRecordIdText()), room);
    if (code == sortFieldWorkform)
        return MakeTextPart(dest, StyledString(record.GetWorkformName()), room);
    if (code < 1 || code > 45)
        return WriteCutPart(dest, "", 0); // no such field: an empty part
    const StyledString& field = record.GetField(code);
    if (IsAuthorField(code))
        return MakeAuthorPart(dest, field, room);
    if (IsDateField(code))
        return MakeDatePart(dest, field.text, room);
    if (code == sortFieldCallNumber)
        return MakeCallNumberPart(dest, field.text, room);
    return MakeTextPart(dest, field, room);
}

int DBSortKeyBuilder::MakeSearchKey(const char* text, BYTE* key) const
{
    int used = 0;
    if (m_spec.keyCount > 0) {
        const StyledString value(text);
        char* part = reinterpret_cast<char*>(key + 1);
        const int code = m_spec.keys[0].fieldCode;
        if (code == sortFieldRecordId)
            used = MakeRecordIdPart(part, value, kPartRoom);
        else if (IsAuthorField(code) || code == sortFieldAuthor || code == sortFieldAuthorTitle)
            used = MakeAuthorPart(part, value, kPartRoom);
        else if (IsDateField(code) || code == sortFieldDate)
            used = MakeDatePart(part, value.text, kPartRoom);
        else if (code == sortFieldCallNumber)
            used = MakeCallNumberPart(part, value.text, kPartRoom);
        else
            used = MakeTextPart(part, value, kPartRoom);
    }
    WriteRecordNumber(key + 1 + used, 0);
    used += kRecordNumberSize;
    key[0] = static_cast<BYTE>(used);
    return used + 1;
}

int DBSortKeyBuilder::MakeAuthorPart(char* dest, const StyledString& value, int room) const
{
    char encoded[kWorkBuffer];
    EncodeStyledText(encoded, sizeof encoded, value);
    char words[kWorkBuffer];
    int length = 0;
    int pos = 0;
    for (bool first = true;; first = false) {
        TextSpan span;
        GetSeparatedItemSpan(span, encoded + pos);
        if (span.start == span.end)
            break;
        char author[kWorkBuffer];
        const int authorLength = span.end - span.start;
        memcpy(author, encoded + pos + span.start, authorLength);
        author[authorLength] = '\0';
        pos += span.end;
        if (!first)
            words[length++] = kAuthorSeparator;
        const int limit = room - length - 1;
        if (limit > 0)
            length += AppendAuthorWords(words + length, author, limit);
        if (length >= room - 3 || m_spec.firstAuthorOnly)
            break;
    }
    words[length] = '\0';
    m_context.languageSort.MakeSortKey(dest, room, words, sortKeyNoCase);
    return static_cast<int>(strlen(dest)) + 1;
}

int DBSortKeyBuilder::AppendAuthorWords(char* dest, const char* author, int limit) const
{
    const bool literal = author[0] == '=';
    const CStringArray& stopList = literal ? m_context.genericStopList : m_context.authorStopList;
    return CollectKeyWords(dest, limit, author, &stopList, !literal && m_spec.lastNameOnly);
}

int DBSortKeyBuilder::MakeTextPart(char* dest, const StyledString& value, int room) const
{
    char encoded[kWorkBuffer];
    EncodeStyledText(encoded, sizeof encoded, value);
    char words[kWorkBuffer];
    const int length =
        CollectKeyWords(words, MinInt(room - 1, kWorkBuffer - 1), encoded, &m_context.genericStopList, false);
    words[length] = '\0';
    m_context.languageSort.MakeSortKey(dest, room, words, sortKeyNoCase);
    return static_cast<int>(strlen(dest)) + 1;
}

int DBSortKeyBuilder::MakeDatePart(char* dest, const char* text, int room) const
{
    const DateValue date(text);
    if (date.start.year == 0)
        return MakeTextPart(dest, StyledString(text), room);
    char digits[17];
    FormatHex8(digits, DateSortNumber(date.start, m_spec.yearOnly != 0));
    if (!date.isRange)
        return WriteCutPart(dest, digits, MinInt(room - 1, 8));
    // The end of a range keeps its month and day whatever the options.
    FormatHex8(digits + 8, DateSortNumber(date.end, false));
    return WriteCutPart(dest, digits, MinInt(room - 1, 16));
}

int DBSortKeyBuilder::MakeRecordIdPart(char* dest, const StyledString& value, int room) const
{
    const CString& text = value.text;
    bool allDigits = true;
    for (int i = 0; i < text.GetLength() && allDigits; ++i)
        allDigits = text[i] >= '0' && text[i] <= '9';
    if (!allDigits) {
        char encoded[kWorkBuffer];
        EncodeStyledText(encoded, sizeof encoded, value);
        m_context.languageSort.MakeSortKey(dest, room, encoded, sortKeyNoCase);
        return static_cast<int>(strlen(dest)) + 1;
    }
    // Zero-padded digits sort in numeric order: '9' before '10'.
    char padded[kPartRoom];
    const int length = MinInt(text.GetLength(), kPartRoom - 1);
    const int zeros = length < kRecordIdDigits ? kRecordIdDigits - length : 0;
    memset(padded, '0', zeros);
    memcpy(padded + zeros, static_cast<const char*>(text), length);
    return WriteCutPart(dest, padded, MinInt(room - 1, zeros + length));
}

int DBSortKeyBuilder::MakeCallNumberPart(char* dest, const char* text, int room)
{
    // The shelf-order key is not a language text: it keeps its own order.
    char key[kCallNumberKeyBody + 2];
    MakeCallNumberSortKey(key, text);
    return WriteCutPart(dest, key, MinInt(static_cast<int>(strlen(key)), room - 1));
}

bool DBSortKeyBuilder::IsAscending(int keyIndex) const
{
    return keyIndex >= m_spec.keyCount || keyIndex >= kMaxSortKeys || m_spec.keys[keyIndex].ascending != 0;
}

int DBSortKeyBuilder::CompareKeys(const BYTE* a, const BYTE* b) const
{
    const BYTE* endA = PartsEnd(a);
    const BYTE* endB = PartsEnd(b);
    const BYTE* pa = a + 1;
    const BYTE* pb = b + 1;
    for (int i = 0; pa < endA && pb < endB; ++i) {
        const int lengthA = PartLength(pa, endA);
        const int lengthB = PartLength(pb, endB);
        if ((lengthA == 0) != (lengthB == 0))
            return (lengthA == 0) == (m_spec.emptyFirst != 0) ? -1 : 1;
        const int c = CompareParts(pa, lengthA, pb, lengthB);
        if (c != 0)
            return IsAscending(i) ? c : -c;
        pa += lengthA + 1;
        pb += lengthB + 1;
    }
    const LONG na = GetKeyRecordNumber(a);
    const LONG nb = GetKeyRecordNumber(b);
    return na < nb ? -1 : na > nb ? 1 : 0;
}

int DBSortKeyBuilder::CompareKeyText(const BYTE* a, const BYTE* b) const
{
    const BYTE* endA = PartsEnd(a);
    const BYTE* endB = PartsEnd(b);
    const int lengthA = PartLength(a + 1, endA);
    const int lengthB = PartLength(b + 1, endB);
    if ((lengthA == 0) != (lengthB == 0))
        return (lengthA == 0) == (m_spec.emptyFirst != 0) ? -1 : 1;
    return CompareParts(a + 1, lengthA, b + 1, lengthB);
}

BOOL DBSortKeyBuilder::IsWellFormedKey(const BYTE* key, int length)
{
    if (length < 1 + kRecordNumberSize || length > kMaxKeySize || key[0] + 1 != length)
        return FALSE;
    const int parts = key[0] - kRecordNumberSize;
    return parts == 0 || key[parts] == 0; // the last part's NUL right before the number
}

LONG DBSortKeyBuilder::GetKeyRecordNumber(const BYTE* key)
{
    if (key[0] < kRecordNumberSize)
        return 0;
    const BYTE* p = key + 1 + key[0] - kRecordNumberSize;
    const DWORD n = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24);
    return static_cast<LONG>(n);
}
