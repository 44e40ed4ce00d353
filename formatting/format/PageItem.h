// PageItem: one comma-separated item of a page field, split into a page range
// where it holds one ('S12-14': text 'S', pages '12' and '14').
//
// A range is: any text, a first page (letters and digits from the first
// digit), blanks, "-" or "/", blanks, and a last page that starts with a
// digit; what follows is trailingText. Anything else is no range, and text
// holds the whole item. Only the first kMaxScanned characters are examined.
#pragma once

#include "classlib/Array.h"
#include "database/text/StyledString.h"

class PageItem : public CObject
{
public:
    enum
    {
        kMaxScanned = 255
    };

    PageItem();
    void Parse(const StyledString& piece);

    StyledString text; // the whole item, or the characters before the first page
    StyledString firstPage;
    StyledString lastPage;
    StyledString trailingText;
    DWORD isRange;
};

// Owns its items.
class PageItemList : public CObArray
{
public:
    ~PageItemList() override;
    PageItem* GetItem(INT_PTR index) const { return static_cast<PageItem*>(GetAt(index)); }
};

// Appends the items of a page field: cut at every "," but one in the last
// character; a text that begins with "=" is one item.
void ParsePageItems(PageItemList& list, const StyledString& text);
