#include "formatting/format/FormattedRecordBuilder.h"

#include "database/db/DBRecord.h"
#include "database/text/WorkformTable.h"
#include "formatting/format/AuthorListElement.h"
#include "formatting/format/DateElement.h"
#include "formatting/format/FormattedRecord.h"
#include "formatting/format/IntextAuthorListElement.h"
#include "formatting/format/JournalElement.h"
#include "formatting/format/KeywordElement.h"
#include "formatting/format/PageRangeElement.h"
#include "formatting/format/TitleElement.h"
#include "formatting/style/BibliographyFormat.h"
#include "formatting/style/FieldCodeTable.h"
#include "formatting/style/IntextFormat.h"
#include "formatting/style/TemplateItem.h"

#include <memory>

namespace {
const BYTE kLastRecordField = 45;

// A copy of the run covering the character at position (plain past the end).
StyleRun StyleAt(const StyleRunArray& runs, int position)
{
    int end = 0;
    for (int i = 0; i < runs.GetSize(); ++i) {
        end += runs[i].length;
        if (position < end)
            return runs[i];
    }
    return StyleRun();
}

StyledString Range(const StyledString& text, int start, int end)
{
    return text.Mid(start, end - start);
}

// The element of a field that is not an author field; none for a number that
// names no record field.
template <class Format> FieldElement* MakeFieldElement(BYTE field, const Format& format)
{
    switch (field) {
    case 4:
    case 9:
    case 11:
    case 32: {
        TitleElement* e = new TitleElement(field);
        e->titleCase = static_cast<BYTE>(format.TitleFormatFor(field).titleCase);
        return e;
    }
    case 10: {
        JournalElement* e = new JournalElement;
        e->titleCase = static_cast<BYTE>(format.journalFormat.titleCase);
        return e;
    }
    case 12:
    case 20:
    case 21: {
        std::unique_ptr<DateElement> e(new DateElement(field));
        e->SetDateFormat(format.DateFormatFor(field));
        return e.release();
    }
    case 25: {
        std::unique_ptr<PageRangeElement> e(new PageRangeElement);
        e->SetPageFormat(format.pageFormat);
        return e.release();
    }
    case 45: {
        std::unique_ptr<KeywordElement> e(new KeywordElement);
        e->keywordSeparator = format.keywordFormat.keywordSeparator;
        return e.release();
    }
    default:
        return field <= kLastRecordField ? new FieldElement(field) : nullptr;
    }
}

bool IsAuthorField(BYTE field)
{
    return field == 1 || field == 7 || field == 16 || field == 30;
}

FieldElement* MakeElement(BYTE field, const BibliographyFormat& format)
{
    if (!IsAuthorField(field))
        return MakeFieldElement(field, format);
    std::unique_ptr<AuthorListElement> e(new AuthorListElement(field));
    e->SetAuthorFormat(format.AuthorFormatFor(field));
    return e.release();
}

FieldElement* MakeElement(BYTE field, const IntextFormat& format)
{
    if (field == kItemCitationNumber)
        return new CitationNumberElement;
    if (!IsAuthorField(field))
        return MakeFieldElement(field, format);
    std::unique_ptr<IntextAuthorListElement> e(new IntextAuthorListElement(field));
    e->SetAuthorFormat(format.AuthorFormatFor(field));
    return e.release();
}

void AddText(CFormattedRecord& out, TextElement* made, const StyledString& text)
{
    std::unique_ptr<TextElement> element(made);
    element->text = text;
    out.Add(element.get());
    element.release();
}

template <class Format>
CFormattedRecord* Build(const Format& format, const TemplateItemList& items, const PreparedTemplate& texts,
                        const DBRecord& record, BOOL citation, BOOL suppressAuthor)
{
    std::unique_ptr<CFormattedRecord> out(new CFormattedRecord);
    for (int i = 0; i < items.GetSize(); ++i) {
        const TemplateItem& item = items[i];
        const PreparedItem& prepared = texts[i];
        switch (item.kind) {
        case TemplateItem::kLiteral:
            AddText(*out, new LiteralElement, prepared.text);
            break;
        case TemplateItem::kGroupStart:
            AddText(*out, new GroupOpenElement, prepared.text);
            break;
        case TemplateItem::kGroupEnd:
            AddText(*out, new GroupCloseElement, prepared.text);
            break;
        case TemplateItem::kField: {
            const BYTE field = ResolveItemField(item.fieldCode, record, citation, suppressAuthor);
            std::unique_ptr<FieldElement> element(MakeElement(field, format));
            if (!element)
                break;
            element->style = prepared.style;
            element->prefix = prepared.text;
            element->suffix = prepared.suffix;
            out->Add(element.get());
            element.release();
            break;
        }
        default:
            break;
        }
    }
    return out.release();
}
} // namespace

void PreparedTemplate::Prepare(const StyledString& templateText, const TemplateItemList& items)
{
    m_items.assign(static_cast<size_t>(items.GetSize()), PreparedItem());
    for (int i = 0; i < items.GetSize(); ++i) {
        const TemplateItem& item = items[i];
        PreparedItem& prepared = m_items[static_cast<size_t>(i)];
        switch (item.kind) {
        case TemplateItem::kLiteral:
            prepared.text = UnescapeTemplateText(Range(templateText, item.textStart, item.codeStart));
            break;
        case TemplateItem::kGroupStart:
            prepared.text = UnescapeTemplateText(Range(templateText, item.codeStart, item.codeEnd));
            break;
        case TemplateItem::kGroupEnd:
            prepared.text = UnescapeTemplateText(Range(templateText, item.textStart, item.codeStart));
            break;
        case TemplateItem::kField:
            prepared.text = UnescapeTemplateText(Range(templateText, item.textStart, item.codeStart));
            prepared.suffix = UnescapeTemplateText(Range(templateText, item.codeEnd, item.textEnd));
            prepared.style = StyleAt(templateText.runs, item.codeStart);
            break;
        default:
            break;
        }
    }
}

BYTE ResolveItemField(BYTE code, const DBRecord& record, BOOL citation, BOOL suppressAuthor)
{
    if (citation && suppressAuthor && code == DBRecord::kRoleAuthorOrTitle)
        return 1;
    const BYTE field = record.ResolveFieldRole(code);
    // A workform that keeps its authors in field 7 only: the author role means 7.
    if (code == DBRecord::kRoleAuthor && field == 1 && record.GetField(1).IsEmpty()) {
        const IWorkformInfo& workform = GetWorkformTable().FindById(record.GetWorkformId());
        if (!workform.IsFieldUsed(1) && workform.IsFieldUsed(7))
            return 7;
    }
    return field;
}

CFormattedRecord* BuildEntryElements(const BibliographyFormat& format, const TemplateItemList& items,
                                     const PreparedTemplate& texts, const DBRecord& record)
{
    return Build(format, items, texts, record, FALSE, FALSE);
}

CFormattedRecord* BuildCitationElements(const IntextFormat& format, const TemplateItemList& items,
                                        const PreparedTemplate& texts, const DBRecord& record,
                                        BOOL suppressAuthor)
{
    return Build(format, items, texts, record, TRUE, suppressAuthor);
}
