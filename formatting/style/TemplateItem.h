// TemplateItem and TemplateItemList: a template parsed into its items.
//
// Positions are character offsets into the template text (16 bits: callers
// keep templates below 65,536 characters). Their meaning by kind:
//   field:       textStart leading text, codeStart..codeEnd the code,
//                textEnd end of the trailing text
//   group start: textStart the "«", codeStart one past it, codeEnd end of
//                the text after it
//   group end:   textStart start of the text before the "»", codeStart the
//                "»", codeEnd one past it
//   separator:   textStart the "|", codeStart one past it
//   literal:     textStart..codeStart the text
// The list owns its items. errorCode: 0 none, 1 a "»" without an open group,
// 2 a group still open at the end; errorPosition where it was found.
#pragma once

#include "classlib/Array.h"
#include "classlib/Types.h"

struct TemplateItem
{
    enum Kind : BYTE
    {
        kField = 0,
        kGroupStart = 1,
        kGroupEnd = 2,
        kSeparator = 3,
        kLiteral = 4
    };

    BYTE kind = kLiteral;
    BYTE fieldCode = 0;
    WORD textStart = 0;
    WORD codeStart = 0;
    WORD codeEnd = 0;
    WORD textEnd = 0;
};

class TemplateItemList
{
public:
    enum Error
    {
        kNoError = 0,
        kStrayGroupEnd = 1,
        kOpenGroup = 2
    };

    TemplateItemList() = default;
    TemplateItemList(const TemplateItemList&) = delete;
    TemplateItemList& operator=(const TemplateItemList&) = delete;
    ~TemplateItemList() { RemoveAll(); }

    int GetSize() const { return static_cast<int>(items.GetSize()); }
    TemplateItem& operator[](int i) { return *items[i]; }
    const TemplateItem& operator[](int i) const { return *items[i]; }
    TemplateItem& Append(const TemplateItem& item);
    void RemoveAll();

    int errorCode = kNoError;
    int errorPosition = 0;

private:
    CArray<TemplateItem*, TemplateItem*> items;
};
