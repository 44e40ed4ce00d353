#include "formatting/format/PageItem.h"

#include "database/sort/CharacterClasses.h"

#include <ctype.h>

namespace {
bool IsDigit(char ch)
{
    return isdigit(static_cast<unsigned char>(ch)) != 0;
}

int SkipBlanks(const CString& text, int i, int end)
{
    while (i < end && text[i] == ' ')
        ++i;
    return i;
}

int SkipPageCharacters(const CString& text, int i, int end)
{
    while (i < end && IsAlphaNumeric(text[i]))
        ++i;
    return i;
}

void AddItem(PageItemList& list, const StyledString& piece)
{
    PageItem* item = new PageItem;
    try {
        item->Parse(piece);
        list.Add(item);
    } catch (...) {
        delete item;
        throw;
    }
}
} // namespace

PageItem::PageItem() : isRange(0) {}

void PageItem::Parse(const StyledString& piece)
{
    const CString& t = piece.text;
    const int length = piece.GetLength();
    const int end = length < kMaxScanned ? length : kMaxScanned;
    isRange = 0;
    firstPage.Empty();
    lastPage.Empty();
    trailingText.Empty();
    text = piece;
    if (length > 0 && t[0] == '=') {
        text = piece.Mid(1, length - 1);
        return;
    }
    int digit = 0;
    while (digit < end && !IsDigit(t[digit]))
        ++digit;
    if (digit == end)
        return;
    const int firstEnd = SkipPageCharacters(t, digit, end);
    int i = SkipBlanks(t, firstEnd, end);
    if (i >= end || (t[i] != '-' && t[i] != '/'))
        return;
    i = SkipBlanks(t, i + 1, end);
    if (i >= end || !IsDigit(t[i]))
        return;
    const int lastEnd = SkipPageCharacters(t, i, end);
    text = StyledString(CString(t.Left(digit)));
    firstPage = StyledString(CString(t.Mid(digit, firstEnd - digit)));
    lastPage = StyledString(CString(t.Mid(i, lastEnd - i)));
    trailingText = StyledString(CString(t.Mid(lastEnd, length - lastEnd)));
    isRange = 1;
}

PageItemList::~PageItemList()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetItem(i);
}

void ParsePageItems(PageItemList& list, const StyledString& text)
{
    const int length = text.GetLength();
    if (length > 0 && text.text[0] == '=') {
        AddItem(list, text);
        return;
    }
    int start = 0;
    for (int i = 0; i < length - 1; ++i) {
        if (text.text[i] != ',')
            continue;
        AddItem(list, text.Mid(start, i - start));
        start = i + 1;
    }
    AddItem(list, text.Mid(start, length - start));
}
