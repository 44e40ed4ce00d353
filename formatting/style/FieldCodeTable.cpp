#include "formatting/style/FieldCodeTable.h"

#include "database/text/WorkformInfo.h"

#include <stdio.h>
#include <string.h>

namespace {
const char kStoredByte[FieldCodeTable::kEntries - 46] = {static_cast<char>(0xFE), static_cast<char>(0xFD),
                                                         static_cast<char>(0xFC), static_cast<char>(0xFB),
                                                         static_cast<char>(0xFA)};

char FoldAscii(char ch)
{
    return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
}

bool EqualNoCase(const char* a, const char* b, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

void SetStored(char* entry, char n)
{
    entry[0] = '<';
    entry[1] = 0x01;
    entry[2] = n;
    entry[3] = '>';
    entry[4] = '\0';
}
} // namespace

void FieldCodeTable::Clear()
{
    memset(entries, 0, sizeof entries);
}

BYTE ItemCodeOfEntry(int entry)
{
    switch (entry) {
    case FieldCodeTable::kAuthorEntry:
        return kItemAuthor;
    case FieldCodeTable::kAuthorTitleEntry:
        return kItemAuthorOrTitle;
    case FieldCodeTable::kTitleEntry:
        return kItemTitle;
    case FieldCodeTable::kCitationNumberEntry:
        return kItemCitationNumber;
    case FieldCodeTable::kDateEntry:
        return kItemDate;
    default:
        return static_cast<BYTE>(entry);
    }
}

int EntryOfItemCode(BYTE code)
{
    switch (code) {
    case kItemAuthor:
        return FieldCodeTable::kAuthorEntry;
    case kItemAuthorOrTitle:
        return FieldCodeTable::kAuthorTitleEntry;
    case kItemTitle:
        return FieldCodeTable::kTitleEntry;
    case kItemCitationNumber:
        return FieldCodeTable::kCitationNumberEntry;
    case kItemDate:
        return FieldCodeTable::kDateEntry;
    default:
        return code;
    }
}

void BuildFieldCodeNames(FieldCodeTable& table, BOOL withCitationNumber, const IWorkformInfo& workform)
{
    table.Clear();
    snprintf(table.entries[0], FieldCodeTable::kEntrySize, "<Record ID>");
    for (int n = 1; n <= 45; ++n) {
        if (workform.IsFieldUsed(n))
            snprintf(table.entries[n], FieldCodeTable::kEntrySize, "<%02d %s>", n, workform.GetFieldName(n));
    }
    snprintf(table.entries[FieldCodeTable::kAuthorEntry], FieldCodeTable::kEntrySize, "<Author>");
    snprintf(table.entries[FieldCodeTable::kAuthorTitleEntry], FieldCodeTable::kEntrySize, "<Author-Title>");
    snprintf(table.entries[FieldCodeTable::kTitleEntry], FieldCodeTable::kEntrySize, "<Title>");
    if (withCitationNumber)
        snprintf(table.entries[FieldCodeTable::kCitationNumberEntry], FieldCodeTable::kEntrySize,
                 "<Citation Number>");
    snprintf(table.entries[FieldCodeTable::kDateEntry], FieldCodeTable::kEntrySize, "<Date>");
}

void BuildStoredFieldCodes(FieldCodeTable& table)
{
    table.Clear();
    SetStored(table.entries[0], static_cast<char>(0xFF));
    for (int n = 1; n <= 45; ++n)
        SetStored(table.entries[n], static_cast<char>(n));
    for (int i = FieldCodeTable::kAuthorEntry; i < FieldCodeTable::kEntries; ++i)
        SetStored(table.entries[i], kStoredByte[i - FieldCodeTable::kAuthorEntry]);
}

int FindFieldCode(const FieldCodeTable& table, const char* text, int position, BYTE& code)
{
    if (text[position] != '<')
        return 0;
    const size_t rest = strnlen(text + position, FieldCodeTable::kEntrySize);
    size_t best = 0;
    for (int i = 0; i < FieldCodeTable::kEntries; ++i) {
        const char* entry = table.entries[i];
        const size_t length = strnlen(entry, FieldCodeTable::kEntrySize - 1);
        if (length == 0 || length > rest || length <= best)
            continue;
        if (EqualNoCase(entry, text + position, length)) {
            best = length;
            code = ItemCodeOfEntry(i);
        }
    }
    return static_cast<int>(best);
}
