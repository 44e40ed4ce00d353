#include "formatting/style/StyleTemplate.h"

#include "database/text/WorkformTable.h"

#include <string.h>

namespace {
const char kGroupOpen = static_cast<char>(0xAB);
const char kGroupClose = static_cast<char>(0xBB);
const char kSeparator = '|';
const char kEscape = '\\';
const int kNone = -1;

const char kDefaultBibliographyTemplate[] =
    "|Rec# <Record ID>. |<01 Author, Analytic>|, <02 Author Role>|; <16 Author, Subsidiary>|, <17 Author "
    "Role>|. <04 Title, Analytic>. |<06 Connective Phrase>: |<07 Author, Monographic>|, <08 Author Role>|. "
    "<09 Title, Monographic>. |<15 Edition> ed.| <18 Place of Publication>: |<19 Publisher Name>; |<20 Date "
    "of Publication>|;<22 Volume ID>|: <24 Issue ID>|:<25 Location in Work>|. <30 Series Editor>|, <31 "
    "Series Editor Role>|; <32 Series Title>|; <33 Series Volume ID>|.|<42 Notes>.|<43 Abstract>.|<44 Call "
    "Number>.|<45 Keywords>.";

// One parse: the position, depth, last kind and pending start of the text
// after the last "|".
class TemplateParser
{
public:
    TemplateParser(const FieldCodeTable& table, const char* text, TemplateItemList& list)
        : m_table(table), m_text(text), m_list(list)
    {
    }

    void Run();

private:
    // Closes the last item at p; clearPending for group starts and literals.
    void CloseLast(int p, bool clearPending);
    void Add(BYTE kind, BYTE code, int textStart, int codeStart, int codeEnd, int textEnd);
    void OnGroupOpen(int p);
    void OnGroupClose(int p);
    void OnSeparator(int p);
    // Returns the position of the next character to look at.
    int OnOther(int p);

    const FieldCodeTable& m_table;
    const char* m_text;
    TemplateItemList& m_list;
    int m_depth = 0;
    int m_lastKind = kNone;
    int m_pending = kNone;
};

void TemplateParser::Add(BYTE kind, BYTE code, int textStart, int codeStart, int codeEnd, int textEnd)
{
    TemplateItem item;
    item.kind = kind;
    item.fieldCode = code;
    item.textStart = static_cast<WORD>(textStart);
    item.codeStart = static_cast<WORD>(codeStart);
    item.codeEnd = static_cast<WORD>(codeEnd);
    item.textEnd = static_cast<WORD>(textEnd);
    m_list.Append(item);
}

void TemplateParser::CloseLast(int p, bool clearPending)
{
    if (m_list.GetSize() == 0)
        return;
    TemplateItem& last = m_list[m_list.GetSize() - 1];
    switch (last.kind) {
    case TemplateItem::kField:
        last.textEnd = static_cast<WORD>(p);
        break;
    case TemplateItem::kGroupStart:
        last.codeEnd = static_cast<WORD>(p);
        if (clearPending)
            m_pending = kNone;
        break;
    case TemplateItem::kLiteral:
        last.codeStart = static_cast<WORD>(p);
        if (clearPending)
            m_pending = kNone;
        break;
    default:
        break;
    }
}

void TemplateParser::OnGroupOpen(int p)
{
    CloseLast(p, true);
    ++m_depth;
    Add(TemplateItem::kGroupStart, 0, p, p + 1, p + 1, 0);
    m_lastKind = TemplateItem::kGroupStart;
}

void TemplateParser::OnGroupClose(int p)
{
    if (m_depth == 0) {
        m_list.errorCode = TemplateItemList::kStrayGroupEnd;
        m_list.errorPosition = p;
        return;
    }
    CloseLast(p, true);
    --m_depth;
    Add(TemplateItem::kGroupEnd, 0, m_pending != kNone ? m_pending : p, p, p + 1, 0);
    m_pending = kNone;
    m_lastKind = TemplateItem::kGroupEnd;
}

void TemplateParser::OnSeparator(int p)
{
    const int lastKind = m_list.GetSize() > 0 ? m_list[m_list.GetSize() - 1].kind : kNone;
    if (lastKind == TemplateItem::kGroupStart || lastKind == TemplateItem::kLiteral) {
        CloseLast(p, false);
    } else {
        if (lastKind == TemplateItem::kField)
            CloseLast(p, false);
        if (m_pending != kNone && p > 0) {
            Add(TemplateItem::kLiteral, 0, m_pending, p, 0, 0);
            m_lastKind = TemplateItem::kLiteral;
        }
    }
    m_pending = p + 1;
    Add(TemplateItem::kSeparator, 0, p, p + 1, 0, 0);
}

int TemplateParser::OnOther(int p)
{
    BYTE code = 0;
    const int n = FindFieldCode(m_table, m_text, p, code);
    if (n > 0) {
        CloseLast(p, true);
        Add(TemplateItem::kField, code, m_pending != kNone ? m_pending : p, p, p + n, p + n);
        m_lastKind = TemplateItem::kField;
        m_pending = kNone;
        return p + n;
    }
    if (m_pending == kNone && (m_lastKind == TemplateItem::kGroupEnd || m_lastKind == kNone)) {
        Add(TemplateItem::kLiteral, 0, p, p + 1, 0, 0);
        m_lastKind = TemplateItem::kLiteral;
    }
    // The escaped character is neither a mark nor the start of a code; an
    // escape at the very end has nothing to skip.
    if (m_text[p] == kEscape && m_text[p + 1] != '\0')
        return p + 2;
    return p + 1;
}

void TemplateParser::Run()
{
    m_list.errorCode = TemplateItemList::kNoError;
    int p = 0;
    while (m_text[p] != '\0') {
        const char ch = m_text[p];
        if (ch == kGroupOpen)
            OnGroupOpen(p++);
        else if (ch == kGroupClose)
            OnGroupClose(p++);
        else if (ch == kSeparator)
            OnSeparator(p++);
        else
            p = OnOther(p);
    }
    if (m_depth != 0) {
        m_list.errorCode = TemplateItemList::kOpenGroup;
        m_list.errorPosition = p;
        return;
    }
    if (m_pending != kNone) {
        Add(TemplateItem::kLiteral, 0, m_pending, m_pending, 0, 0);
        m_lastKind = TemplateItem::kLiteral;
    }
    CloseLast(p, true);
}
} // namespace

TemplateItem& TemplateItemList::Append(const TemplateItem& item)
{
    TemplateItem* copy = new TemplateItem(item);
    items.Add(copy);
    return *copy;
}

void TemplateItemList::RemoveAll()
{
    for (INT_PTR i = 0; i < items.GetSize(); ++i)
        delete items[i];
    items.RemoveAll();
}

void ParseStyleTemplate(const FieldCodeTable& table, const char* text, TemplateItemList& list)
{
    TemplateParser(table, text, list).Run();
}

void ReplaceFieldCodes(StyledString& text, const TemplateItemList& list, const FieldCodeTable& table)
{
    for (int i = list.GetSize() - 1; i >= 0; --i) {
        const TemplateItem& item = list[i];
        if (item.kind != TemplateItem::kField)
            continue;
        const char* entry = table.entries[EntryOfItemCode(item.fieldCode)];
        text.ReplaceRange(item.codeStart, item.codeEnd, entry,
                          static_cast<int>(strnlen(entry, FieldCodeTable::kEntrySize - 1)));
    }
}

StyledString MakeDefaultBibliographyTemplate()
{
    StyledString text(kDefaultBibliographyTemplate);
    FieldCodeTable shown;
    BuildFieldCodeNames(shown, FALSE, GetWorkformTable().GetDefault());
    TemplateItemList items;
    ParseStyleTemplate(shown, text.text, items);
    FieldCodeTable stored;
    BuildStoredFieldCodes(stored);
    ReplaceFieldCodes(text, items, stored);
    return text;
}
