#include "bibliography/core/StyledTextWriter.h"
#include "database/db/DBRecord.h"
#include "database/text/DateValue.h"
#include "database/text/StyledTextSink.h"
#include "database/text/WorkformTable.h"
#include "formatting/format/FormatContext.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/style/StyleTemplate.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string>

namespace {
class TextCollector : public StyledTextWriter
{
public:
    void WriteText(const char* piece, int length) override { text.append(piece, length); }
    std::string text;
};

// Stands in for the date element: the year only, in two digits when below 2000.
class YearElement : public FieldElement
{
public:
    explicit YearElement(BYTE field) : FieldElement(field) {}
    void WriteData(FormatContext& context, const DBRecord& record) override
    {
        const StyledString& text = record.GetField(field);
        const DateValue date(static_cast<const char*>(text.text));
        char digits[8];
        const int year = date.start.year;
        snprintf(digits, sizeof digits, year < 2000 ? "%02d" : "%d", year < 2000 ? year % 100 : year);
        context.sink->Write(StyledString(digits), &style);
    }
};

StyledString Range(const char* text, int start, int end)
{
    return StyledString(std::string(text + start, text + end).c_str());
}

// The least of a record formatter: template items to elements.
void Build(const char* text, CFormattedRecord& record)
{
    FieldCodeTable table;
    BuildFieldCodeNames(table, TRUE, GetWorkformTable().GetDefault());
    TemplateItemList items;
    ParseStyleTemplate(table, text, items);
    ASSERT_EQ(0, items.errorCode);
    for (int i = 0; i < items.GetSize(); ++i) {
        const TemplateItem& item = items[i];
        switch (item.kind) {
        case TemplateItem::kLiteral: {
            LiteralElement* e = new LiteralElement;
            e->SetText(Range(text, item.textStart, item.codeStart));
            record.Add(e);
            break;
        }
        case TemplateItem::kGroupStart: {
            GroupOpenElement* e = new GroupOpenElement;
            e->SetText(Range(text, item.codeStart, item.codeEnd));
            record.Add(e);
            break;
        }
        case TemplateItem::kGroupEnd: {
            GroupCloseElement* e = new GroupCloseElement;
            e->SetText(Range(text, item.textStart, item.codeStart));
            record.Add(e);
            break;
        }
        case TemplateItem::kField: {
            FieldElement* e = item.fieldCode == 20                    ? new YearElement(20)
                              : item.fieldCode == kItemCitationNumber ? new CitationNumberElement
                                                                      : new FieldElement(item.fieldCode);
            e->SetPrefix(Range(text, item.textStart, item.codeStart));
            e->SetSuffix(Range(text, item.codeEnd, item.textEnd));
            record.Add(e);
            break;
        }
        default:
            break;
        }
    }
}

struct OutputRun
{
    TextCollector writer;
    FormatContext context;
    OutputRun()
    {
        context.writer = &writer;
        context.sink = new StyledTextSink(&writer);
        context.suppressNumberLabel = TRUE;
    }
};

std::string Format(const char* templateText, std::initializer_list<std::pair<BYTE, const char*>> fields)
{
    CFormattedRecord formatted;
    Build(templateText, formatted);
    DBRecord record;
    for (const auto& f : fields)
        record.SetField(StyledString(f.second), f.first);
    OutputRun run;
    formatted.Write(run.context, record);
    return run.writer.text;
}
} // namespace

TEST(FormattedRecord, OptionalGroupVanishesWithItsEmptyField)
{
    const char* group = "\xAB(<20 Date of Publication>)\xBB";
    EXPECT_EQ("(90)", Format(group, {{20, "12 May 1990"}}));
    EXPECT_EQ("(2003)", Format(group, {{20, "2003"}}));
    EXPECT_EQ("", Format(group, {}));

    // Nested: the inner group goes with its empty field, the outer one stays.
    const char* nested = "\xAB[<04 Title, Analytic>\xAB (<20 Date of Publication>)\xBB]\xBB";
    EXPECT_EQ("[Title]", Format(nested, {{4, "Title"}}));
    EXPECT_EQ("[Title (03)]", Format(nested, {{4, "Title"}, {20, "1903"}}));
}

TEST(FormattedRecord, PunctuationBetweenFieldsIsNotDoubled)
{
    const char* edition = "<15 Edition>. <19 Publisher Name>";
    EXPECT_EQ("2nd ed. Acme", Format(edition, {{15, "2nd ed."}, {19, "Acme"}}));
    EXPECT_EQ("2nd ed. Acme", Format(edition, {{15, "2nd ed,"}, {19, "Acme"}}));
    EXPECT_EQ("Acme", Format(edition, {{19, "Acme"}}));
}

TEST(FormattedRecord, GroupLeftOpenDoesNotReachTheNextEntry)
{
    // A group opening whose closing the template lacks: its text stays
    // pending after the entry and would open the next one.
    CFormattedRecord first;
    GroupOpenElement* open = new GroupOpenElement;
    open->SetText(StyledString("(see "));
    first.Add(open);
    first.Add(new FieldElement(4));
    CFormattedRecord second;
    second.Add(new FieldElement(19));

    DBRecord record;
    record.SetField(StyledString("Acme"), 19);
    OutputRun run;
    first.Write(run.context, record);
    second.Write(run.context, record);
    EXPECT_EQ("Acme", run.writer.text);
    EXPECT_TRUE(run.context.pendingGroupTexts.IsEmpty());

    TemplateItemList items;
    FieldCodeTable table;
    BuildFieldCodeNames(table, FALSE, GetWorkformTable().GetDefault());
    ParseStyleTemplate(table, "\xAB(see <04 Title, Analytic>", items);
    EXPECT_EQ(TemplateItemList::kOpenGroup, items.errorCode);
}

TEST(FormattedRecord, NumberLabelAlignmentAndNumbering)
{
    CFormattedRecord formatted;
    Build("<04 Title, Analytic>.", formatted);
    DBRecord record;
    record.SetField(StyledString("T"), 4);
    struct Case
    {
        DWORD alignment;
        const char* written;
    } cases[] = {{1, "\t[3]\tT."}, {0, "[3]\tT."}, {2, "[3]T."}};
    for (const Case& c : cases) {
        OutputRun run;
        run.context.suppressNumberLabel = FALSE;
        run.context.currentNumber = 3;
        run.context.numberLabel.Set(1, c.alignment, StyledString("["), StyledString("]"));
        formatted.Write(run.context, record);
        EXPECT_EQ(c.written, run.writer.text);
        EXPECT_EQ(4, run.context.currentNumber);
    }
}
