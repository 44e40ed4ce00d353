#include "formatting/format/PageRangeElement.h"

#include "database/db/DBRecord.h"
#include "database/text/StyledTextSink.h"
#include "formatting/format/FormatContext.h"
#include "formatting/format/PageItem.h"
#include "formatting/style/PageNumberFormatPage.h"

namespace {
int FirstDifference(const CString& a, const CString& b)
{
    int i = 0;
    while (i < a.GetLength() && a[i] == b[i])
        ++i;
    return i;
}

// The last page from its first difference with the first page (same length).
int DropCommonLead(const CString& first, const CString& last)
{
    return last.GetLength() - FirstDifference(first, last);
}

int DropCommonLeadKeepTwo(const CString& first, const CString& last)
{
    const int j = DropCommonLead(first, last);
    const int keep = last.GetLength() < 2 ? last.GetLength() : 2;
    return j > keep ? j : keep;
}
} // namespace

PageRangeElement::PageRangeElement() : FieldElement(kPageField), rangeFormat(kRangeFull) {}

void PageRangeElement::SetPageFormat(const CPageNumberFormatPage& format)
{
    pagePrecedingText = format.pagePrecedingText;
    pageFollowingText = format.pageFollowingText;
    rangePrecedingText = format.rangePrecedingText;
    rangeFollowingText = format.rangeFollowingText;
    rangeFormat = static_cast<BYTE>(format.rangeFormat);
}

int PageRangeElement::GetShownLastPageLength(const CString& first, const CString& last) const
{
    const int length = last.GetLength();
    const bool sameLength = first.GetLength() == length;
    switch (rangeFormat) {
    case kRangeAbbreviated:
        return sameLength ? DropCommonLead(first, last) : length;
    case kRangeChicago: {
        if (!sameLength || length <= 2)
            return length;
        const bool tensZero = first[length - 2] == '0';
        const bool unitsZero = first[length - 1] == '0';
        if (unitsZero)
            return length; // 100-104, 110-115: the whole last page
        return tensZero ? DropCommonLead(first, last) : DropCommonLeadKeepTwo(first, last);
    }
    case kRangeMla:
        return sameLength ? DropCommonLeadKeepTwo(first, last) : length;
    case kRangeStartOnly:
        return 0;
    default:
        return length;
    }
}

void PageRangeElement::Write(FormatContext& context, const DBRecord& record)
{
    const StyledString& field_text = record.GetField(field);
    const bool literal = !field_text.IsEmpty() && field_text.text[0] == '=';
    const StyledString text =
        context.SubstituteAlternate(literal ? field_text.Mid(1, field_text.GetLength() - 1) : field_text);
    if (text.IsEmpty() || context.sink == nullptr)
        return;
    StyledTextSink& sink = *context.sink;
    context.WritePendingGroupTexts();
    PageItemList items;
    ParsePageItems(items, text);
    sink.Append(prefix);
    const bool plural = items.GetSize() > 1 || (items.GetSize() == 1 && items.GetItem(0)->isRange);
    sink.Append(plural ? rangePrecedingText : pagePrecedingText);
    if (literal) {
        sink.Write(text, &style);
    } else {
        for (INT_PTR i = 0; i < items.GetSize(); ++i) {
            if (i > 0)
                sink.Write(StyledString(","), &style);
            WriteItem(sink, *items.GetItem(i));
        }
    }
    sink.Append(plural ? rangeFollowingText : pageFollowingText);
    sink.Append(suffix);
    context.atEntryStart = FALSE;
}

void PageRangeElement::WriteItem(StyledTextSink& sink, const PageItem& item) const
{
    sink.Write(item.text, &style);
    if (!item.isRange)
        return;
    sink.Write(item.firstPage, &style);
    if (rangeFormat != kRangeStartOnly) {
        const int shown = GetShownLastPageLength(item.firstPage.text, item.lastPage.text);
        StyledString range("-");
        range += item.lastPage.Right(shown);
        sink.Write(range, &style);
    }
    sink.Write(item.trailingText, &style);
}
