#include "ElementRun.h"
#include "formatting/format/PageItem.h"
#include "formatting/format/PageRangeElement.h"
#include "formatting/style/PageNumberFormatPage.h"

#include <gtest/gtest.h>

namespace {
std::string FormatPages(const char* pages, const CPageNumberFormatPage& format)
{
    PageRangeElement element;
    element.SetPageFormat(format);
    ElementRun run;
    run.Set(PageRangeElement::kPageField, pages);
    return run.Write(element);
}

std::string FormatPages(const char* pages, int rangeFormat)
{
    CPageNumberFormatPage format;
    format.rangeFormat = rangeFormat;
    return FormatPages(pages, format);
}
} // namespace

TEST(PageRangeElement, FiveRangeForms)
{
    struct Case
    {
        const char* pages;
        const char* forms[5]; // full, abbreviated, Chicago, MLA, start page only
    } cases[] = {
        {"52-53", {"52-53", "52-3", "52-53", "52-53", "52"}},
        {"101-104", {"101-104", "101-4", "101-4", "101-04", "101"}},
        {"200-203", {"200-203", "200-3", "200-203", "200-03", "200"}},
        {"558-561", {"558-561", "558-61", "558-61", "558-61", "558"}},
        {"871-879", {"871-879", "871-9", "871-79", "871-79", "871"}},
        {"1496-1504", {"1496-1504", "1496-504", "1496-504", "1496-504", "1496"}},
        {"S12-14", {"S12-14", "S12-4", "S12-14", "S12-14", "S12"}},
        {"99-101", {"99-101", "99-101", "99-101", "99-101", "99"}},
    };
    for (const Case& c : cases)
        for (int form = kRangeFull; form <= kRangeStartOnly; ++form)
            EXPECT_EQ(c.forms[form], FormatPages(c.pages, form)) << c.pages << " form " << form;
    EXPECT_EQ("110-115", FormatPages("110-115", kRangeChicago));
    EXPECT_EQ("52-", FormatPages("52-52", kRangeAbbreviated));
}

TEST(PageRangeElement, ItemsAndNonRanges)
{
    EXPECT_EQ("S12-S14", FormatPages("S12-S14", kRangeAbbreviated));
    EXPECT_EQ("45-7, 52", FormatPages("45-47, 52", kRangeAbbreviated));
    EXPECT_EQ("12-4 suppl.", FormatPages("12 - 14 suppl.", kRangeAbbreviated));
    EXPECT_EQ("xii", FormatPages("xii", kRangeAbbreviated));
    EXPECT_EQ("101-4,", FormatPages("101-104,", kRangeAbbreviated)); // a final comma is no cut

    PageItemList items;
    ParsePageItems(items, StyledString("S12-14, 7"));
    ASSERT_EQ(2, items.GetSize());
    EXPECT_STREQ("S", items.GetItem(0)->text.text);
    EXPECT_STREQ("12", items.GetItem(0)->firstPage.text);
    EXPECT_STREQ("14", items.GetItem(0)->lastPage.text);
    EXPECT_FALSE(items.GetItem(1)->isRange);
}

TEST(PageRangeElement, TextsForSinglePagesAndRanges)
{
    CPageNumberFormatPage format;
    format.pagePrecedingText = StyledString("p. ");
    format.rangePrecedingText = StyledString("pp. ");
    format.rangeFormat = kRangeAbbreviated;
    EXPECT_EQ("p. 52", FormatPages("52", format));
    EXPECT_EQ("pp. 52-3", FormatPages("52-53", format));
    EXPECT_EQ("pp. 45-7, 52", FormatPages("45-47, 52", format));
    // A literal is written as typed, between the texts its items choose.
    EXPECT_EQ("pp. 52-53 passim", FormatPages("=52-53 passim", format));
    EXPECT_EQ("", FormatPages("", format));
}
