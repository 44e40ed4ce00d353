// PageRangeElement: the page field written by the style's page-number
// format: each range in one of five forms (full, abbreviated, Chicago, MLA,
// start page only), the items joined by ",", between the texts for a single
// page or for ranges (several items, or one range).
#pragma once

#include "formatting/format/FormatElement.h"

class CPageNumberFormatPage;
class PageItem;

class PageRangeElement : public FieldElement
{
public:
    enum
    {
        kPageField = 25
    };

    PageRangeElement();

    BYTE GetKind() const override { return kPageRange; }
    void Write(FormatContext& context, const DBRecord& record) override;

    void SetPageFormat(const CPageNumberFormatPage& format);
    // How many trailing characters of the last page the range form keeps.
    int GetShownLastPageLength(const CString& firstPage, const CString& lastPage) const;

    StyledString pagePrecedingText;
    StyledString pageFollowingText;
    StyledString rangePrecedingText;
    StyledString rangeFollowingText;
    BYTE rangeFormat;

private:
    void WriteItem(StyledTextSink& sink, const PageItem& item) const;
};
