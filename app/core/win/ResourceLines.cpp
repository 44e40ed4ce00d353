// Boxes filled from string resources.
#include "app/core/win/ResourceLines.h"

#include "app/core/StringHelpers.h"
#include "classlib/win/ComboBox.h"
#include "classlib/win/ListBox.h"

void AddResourceLinesToListBox(CListBox& listBox, UINT nID)
{
    CStringArray lines;
    AppendResourceLines(lines, nID);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        listBox.AddString(lines[i]);
}

void AddResourceLinesToComboBox(CComboBox& combo, UINT nID)
{
    CStringArray lines;
    AppendResourceLines(lines, nID); // a string that does not load adds nothing
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        combo.AddString(lines[i]);
}

void AddResourceRangeToListBox(CListBox& listBox, UINT nFirstID, UINT nLastID)
{
    for (UINT nID = nFirstID; nID <= nLastID; ++nID) {
        CString text;
        text.LoadString(nID);
        listBox.AddString(text);
        if (nID == 0xFFFFFFFF)
            break;
    }
}
