#include "exchange/delimited/win/CharsetCombo.h"

#include "classlib/win/ComboBox.h"
#include "exchange/delimited/ImportCharsetTable.h"

void FillCharsetCombo(CComboBox& combo)
{
    for (const ImportCharset& charset : ImportCharsetTable) {
        const int index = combo.AddString(charset.name);
        if (index >= 0)
            combo.SetItemData(index, charset.value);
    }
}
