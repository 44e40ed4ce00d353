// Template texts of arbitrary bytes, parsed with the shown and the stored
// field-code tables. Every item's positions must lie inside the text and in
// order, the error must be one the parser knows, and swapping the codes of a
// parsed text must keep its runs adding up to its length.
#include "FuzzSupport.h"

#include "database/text/WorkformTable.h"
#include "formatting/style/StyleTemplate.h"

#include <string.h>

#include <string>

namespace {
void CheckItems(const TemplateItemList& list, int length)
{
    if (list.errorCode < 0 || list.errorCode > 2)
        FuzzFinding("an unknown template error");
    for (int i = 0; i < list.GetSize(); ++i) {
        const TemplateItem& item = list[i];
        if (item.kind > TemplateItem::kLiteral || item.textStart > length || item.codeStart > length ||
            item.codeEnd > length || item.textEnd > length)
            FuzzFinding("an item outside its template");
        if (item.kind == TemplateItem::kField &&
            (item.textStart > item.codeStart || item.codeStart >= item.codeEnd ||
             item.codeEnd > item.textEnd))
            FuzzFinding("a field item out of order");
    }
}

void Check(const std::string& text, const FieldCodeTable& parseWith, const FieldCodeTable& replaceWith)
{
    TemplateItemList items;
    ParseStyleTemplate(parseWith, text.c_str(), items);
    CheckItems(items, static_cast<int>(text.size()));
    StyledString styled(text.c_str());
    ReplaceFieldCodes(styled, items, replaceWith);
    int total = 0;
    for (int i = 0; i < styled.runs.GetSize(); ++i)
        total += styled.runs[i].length;
    if (total != styled.GetLength())
        FuzzFinding("runs no longer cover the template");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FieldCodeTable shown;
    static FieldCodeTable stored;
    static bool built = false;
    if (!built) {
        BuildFieldCodeNames(shown, TRUE, GetWorkformTable().GetDefault());
        BuildStoredFieldCodes(stored);
        built = true;
    }
    // Templates are NUL-terminated and stay below 65,536 characters.
    std::string text(reinterpret_cast<const char*>(data), size < 65535 ? size : 65535);
    text = text.c_str();
    Check(text, shown, stored);
    Check(text, stored, shown);
    return 0;
}
