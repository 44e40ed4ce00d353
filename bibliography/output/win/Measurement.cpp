// ParseMeasurement and DDV_Measurement.
#include "bibliography/output/win/Measurement.h"

#include "bibliography/output/MeasurementText.h"
#include "classlib/MessageBox.h"
#include "classlib/win/DDX.h"

void ParseMeasurement(CDataExchange* pDX, int nIDC, int& twips)
{
    if (pDX->m_bSaveAndValidate) {
        CString text;
        DDX_Text(pDX, nIDC, text);
        twips = ParseMeasurementText(text);
    } else {
        CString text = FormatMeasurement(twips);
        DDX_Text(pDX, nIDC, text);
    }
}

void DDV_Measurement(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    CString message;
    message.Format("The value should be between %.3f and %.3f %s.", minimum / 1440.0, maximum / 1440.0, "in");
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    pDX->Fail();
}
