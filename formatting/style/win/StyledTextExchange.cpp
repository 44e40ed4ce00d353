#include "formatting/style/win/StyledTextExchange.h"

#include "classlib/win/DDX.h"
#include "database/text/StyledString.h"

void DDX_StyledText(CDataExchange* pDX, int nIDC, StyledString& value)
{
    CString text = value.text;
    DDX_Text(pDX, nIDC, text);
    if (pDX->m_bSaveAndValidate && text != value.text)
        value.SetPlainText(text);
}
