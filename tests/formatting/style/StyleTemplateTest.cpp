#include "database/text/WorkformTable.h"
#include "formatting/style/StyleTemplate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Item
{
    int kind, code, textStart, codeStart, codeEnd, textEnd;
    bool operator==(const Item& o) const
    {
        return kind == o.kind && code == o.code && textStart == o.textStart && codeStart == o.codeStart &&
               codeEnd == o.codeEnd && textEnd == o.textEnd;
    }
};

std::ostream& operator<<(std::ostream& os, const Item& i)
{
    return os << "{" << i.kind << "," << i.code << "," << i.textStart << "," << i.codeStart << ","
              << i.codeEnd << "," << i.textEnd << "}";
}

const FieldCodeTable& ShownTable()
{
    static FieldCodeTable table;
    BuildFieldCodeNames(table, FALSE, GetWorkformTable().GetDefault());
    return table;
}

std::vector<Item> Parse(const char* text, TemplateItemList& list)
{
    ParseStyleTemplate(ShownTable(), text, list);
    std::vector<Item> items;
    for (int i = 0; i < list.GetSize(); ++i)
        items.push_back({list[i].kind, list[i].fieldCode, list[i].textStart, list[i].codeStart,
                         list[i].codeEnd, list[i].textEnd});
    return items;
}
} // namespace

TEST(StyleTemplate, ParsesItemsWithTheirPositions)
{
    struct Case
    {
        const char* text;
        std::vector<Item> items;
    } cases[] = {
        {"x|ab<Title>cd|e",
         {{4, 0, 0, 1, 0, 0},
          {3, 0, 1, 2, 0, 0},
          {0, 0xFE, 2, 4, 11, 13},
          {3, 0, 13, 14, 0, 0},
          {4, 0, 14, 15, 0, 0}}},
        {"|Rec# <Record ID>. |",
         {{3, 0, 0, 1, 0, 0}, {0, 0, 1, 6, 17, 19}, {3, 0, 19, 20, 0, 0}, {4, 0, 20, 20, 0, 0}}},
        {"\xAB<Title>\xBB", {{1, 0, 0, 1, 1, 0}, {0, 0xFE, 1, 1, 8, 8}, {2, 0, 8, 8, 9, 0}}},
        {"\\<Title>", {{4, 0, 0, 8, 0, 0}}},
        {"<record id>", {{0, 0, 0, 0, 11, 11}}},
        {"", {}},
    };
    for (const Case& c : cases) {
        TemplateItemList list;
        EXPECT_EQ(c.items, Parse(c.text, list)) << c.text;
        EXPECT_EQ(0, list.errorCode) << c.text;
    }
}

TEST(StyleTemplate, ReportsStrayAndUnclosedGroups)
{
    TemplateItemList stray;
    EXPECT_EQ((std::vector<Item>{{4, 0, 0, 3, 0, 0}}), Parse("a\xBB"
                                                             "b",
                                                             stray));
    EXPECT_EQ(1, stray.errorCode);
    EXPECT_EQ(1, stray.errorPosition);

    TemplateItemList open;
    Parse("\xAB"
          "a",
          open);
    EXPECT_EQ(2, open.errorCode);
    EXPECT_EQ(2, open.errorPosition);

    TemplateItemList both;
    Parse("\xBB\xAB", both);
    EXPECT_EQ(2, both.errorCode);
}

TEST(StyleTemplate, NewStyleDefaultTemplateHoldsStoredCodes)
{
    const StyledString stored = MakeDefaultBibliographyTemplate();
    const std::string text(stored.text);
    EXPECT_EQ(0u, text.find("|Rec# <\x01\xFF>. |"));
    EXPECT_NE(std::string::npos, text.find(std::string("|<\x01\x01>|, <\x01\x02>|")));
    EXPECT_NE(std::string::npos, text.find(std::string("|<\x01\x0F> ed.|")));
    EXPECT_NE(std::string::npos, text.find("|<\x01\x2D>."));
    EXPECT_EQ(std::string::npos, text.find("Title"));
    ASSERT_EQ(1, stored.runs.GetSize());
    EXPECT_EQ(stored.GetLength(), stored.runs[0].length);

    // Stored codes parse back with the stored table, and the shown table turns them back.
    FieldCodeTable storedTable;
    BuildStoredFieldCodes(storedTable);
    TemplateItemList items;
    ParseStyleTemplate(storedTable, stored.text, items);
    EXPECT_EQ(0, items.errorCode);
    StyledString shown(stored);
    ReplaceFieldCodes(shown, items, ShownTable());
    EXPECT_NE(std::string::npos, std::string(shown.text).find("<04 Title, Analytic>. |"));
}
