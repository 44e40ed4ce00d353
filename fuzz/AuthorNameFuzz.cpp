// Author fields of arbitrary text. Byte 0 chooses the formatting: with bit 0
// clear the text is one plain run; with it set, runs of (byte 0 >> 1) + 1
// characters alternate between bold and italic. The rest is the field's text
// (NUL bytes left out: a field never holds one).
#include "FuzzSupport.h"

#include "database/text/AuthorList.h"

#include <algorithm>
#include <string>

namespace
{
StyledString FieldOf(const uint8_t* data, size_t size)
{
    std::string text;
    for (size_t i = 1; i < size; ++i)
    {
        if (data[i] != 0)
            text += static_cast<char>(data[i]);
    }
    if ((data[0] & 1) == 0)
        return StyledString(text.c_str());
    const int step = (data[0] >> 1) + 1;
    StyledString field;
    for (size_t pos = 0; pos < text.size(); pos += step)
    {
        const int count = static_cast<int>(std::min<size_t>(step, text.size() - pos));
        const WORD style = (pos / step) % 2 ? kStyleItalic : kStyleBold;
        field.AppendStyled(text.data() + pos, count, StyleRun(style, 0, nullptr, count));
    }
    return field;
}

void CheckCovered(const StyledString& part)
{
    if (part.runs.TotalLength() != part.GetLength())
        FuzzFinding("an author part's runs do not cover its text");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const StyledString field = FieldOf(data, size);
    AuthorList list;
    list.Parse(field);
    if (list.GetSize() > field.GetLength())
        FuzzFinding("more authors than characters");
    for (INT_PTR i = 0; i < list.GetSize(); ++i)
    {
        const AuthorName& a = *list.GetAuthor(i);
        if (a.etAl && i != list.GetSize() - 1)
            FuzzFinding("the et-al marker is not last");
        CheckCovered(a.lastName);
        CheckCovered(a.firstName);
        CheckCovered(a.suffix);
        for (int k = 0; k < a.otherNames.GetSize(); ++k)
        {
            CheckCovered(a.otherNames[k]);
            if (a.otherNames[k].IsEmpty())
                FuzzFinding("an empty further given name");
        }
    }
    AuthorList again;
    again.Parse(field);
    if (!list.IsEqual(again) || !list.IsEqual(list))
        FuzzFinding("parsing the same field twice gives unequal lists");
    return 0;
}
