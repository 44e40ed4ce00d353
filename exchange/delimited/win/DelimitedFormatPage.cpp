#include "exchange/delimited/win/DelimitedFormatPage.h"

#include "classlib/MessageBox.h"
#include "classlib/win/DDX.h"

IMPLEMENT_DYNAMIC(CDelimitedFormatPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDelimitedFormatPage, CPropertyPage)
ON_CBN_SELCHANGE(CDelimitedFormatPage::IDC_FORMAT, OnFormatChanged)
ON_EN_CHANGE(CDelimitedFormatPage::IDC_OTHER_SEPARATOR, OnOtherSeparatorChanged)
ON_EN_CHANGE(CDelimitedFormatPage::IDC_OTHER_TERMINATOR, OnOtherTerminatorChanged)
ON_EN_CHANGE(CDelimitedFormatPage::IDC_DELIMITER, OnDelimiterChanged)
ON_EN_CHANGE(CDelimitedFormatPage::IDC_REPLACEMENT, OnReplacementChanged)
ON_CONTROL_RANGE(BN_CLICKED, CDelimitedFormatPage::IDC_SEPARATOR_COMMAS,
                 CDelimitedFormatPage::IDC_SEPARATOR_COMMAS + 3, OnSeparatorClicked)
ON_CONTROL_RANGE(BN_CLICKED, CDelimitedFormatPage::IDC_TERMINATOR_RETURNS,
                 CDelimitedFormatPage::IDC_TERMINATOR_RETURNS + 1, OnTerminatorClicked)
ON_CONTROL_RANGE(BN_CLICKED, CDelimitedFormatPage::IDC_ALL_FIELDS,
                 CDelimitedFormatPage::IDC_WORKFORM_INDICATORS, OnCheckClicked)
ON_CONTROL_RANGE(BN_CLICKED, CDelimitedFormatPage::IDC_DELIMIT, CDelimitedFormatPage::IDC_DELIMIT,
                 OnCheckClicked)
END_MESSAGE_MAP()

namespace {

const BYTE kSeparators[3] = {',', '\t', '\r'};

CString CharText(BYTE ch)
{
    return ch == 0 ? CString() : CString((char)ch, 1);
}

BYTE FirstChar(const CString& text)
{
    return text.IsEmpty() ? 0 : (BYTE)text[0];
}

} // namespace

CDelimitedFormatPage::CDelimitedFormatPage(UINT nIDTemplate)
    : CPropertyPage(nIDTemplate), m_formatIndex(-1), m_customFormat(CDelimitedFormat::TabDelimited()),
      m_separatorChoice(0), m_terminatorChoice(0), m_delimit(0), m_recordIds(0), m_workformIndicators(0),
      m_allFields(0), m_loading(FALSE)
{
}

const CDelimitedFormat& CDelimitedFormatPage::FormatAt(int index) const
{
    if (index == kComma)
        return CDelimitedFormat::CommaDelimited();
    if (index == kTab)
        return CDelimitedFormat::TabDelimited();
    return m_customFormat;
}

void CDelimitedFormatPage::SetFromFormat(const CDelimitedFormat& format)
{
    m_separatorChoice = 3;
    m_otherSeparator.Empty();
    for (int i = 0; i < 3; ++i) {
        if (format.fieldSeparator == kSeparators[i])
            m_separatorChoice = i;
    }
    if (m_separatorChoice == 3)
        m_otherSeparator = CharText(format.fieldSeparator);
    m_terminatorChoice = format.recordTerminator == '\r' ? 0 : 1;
    m_otherTerminator = m_terminatorChoice == 1 ? CharText(format.recordTerminator) : CString();
    m_delimit = format.delimitFields != 0;
    m_delimiter = CharText(format.delimiter);
    m_replacement = CharText(format.replacement);
    m_workformIndicators = format.workformIndicators != 0;
    m_recordIds = format.recordIds != 0;
    m_allFields = format.allFields != 0;
}

void CDelimitedFormatPage::GetFormat(CDelimitedFormat& format) const
{
    format.fieldSeparator =
        m_separatorChoice < 3 ? kSeparators[m_separatorChoice] : FirstChar(m_otherSeparator);
    format.recordTerminator = m_terminatorChoice == 0 ? (BYTE)'\r' : FirstChar(m_otherTerminator);
    format.delimitFields = m_delimit;
    format.delimiter = FirstChar(m_delimiter);
    format.replacement = FirstChar(m_replacement);
    format.workformIndicators = m_workformIndicators;
    format.recordIds = m_recordIds;
    format.allFields = m_allFields;
}

BOOL CDelimitedFormatPage::OnInitDialog()
{
    const HWND list = ::GetDlgItem(m_hWnd, IDC_FORMAT);
    for (const char* name : {"Comma Delimited", "Tab Delimited", "Custom"})
        ::SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    return CPropertyPage::OnInitDialog();
}

void CDelimitedFormatPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_FORMAT, m_formats);
    if (!pDX->m_bSaveAndValidate) {
        m_loading = TRUE;
        SetFromFormat(FormatAt(m_formatIndex));
        m_formats.SetCurSel(m_formatIndex);
    }
    DDX_Radio(pDX, IDC_SEPARATOR_COMMAS, m_separatorChoice);
    DDX_Text(pDX, IDC_OTHER_SEPARATOR, m_otherSeparator);
    if (pDX->m_bSaveAndValidate && m_separatorChoice == 3 && m_otherSeparator.GetLength() != 1) {
        AfxMessageBox(IDP_ONE_CHARACTER, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDX_Radio(pDX, IDC_TERMINATOR_RETURNS, m_terminatorChoice);
    DDX_Text(pDX, IDC_OTHER_TERMINATOR, m_otherTerminator);
    if (pDX->m_bSaveAndValidate && m_terminatorChoice == 1 && m_otherTerminator.GetLength() != 1) {
        AfxMessageBox(IDP_ONE_CHARACTER, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDX_Check(pDX, IDC_DELIMIT, m_delimit);
    DDX_Text(pDX, IDC_DELIMITER, m_delimiter);
    if (pDX->m_bSaveAndValidate && m_delimit && m_delimiter.GetLength() != 1) {
        AfxMessageBox(IDP_ONE_CHARACTER, MB_OK | MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    DDX_Text(pDX, IDC_REPLACEMENT, m_replacement);
    DDV_MaxChars(pDX, m_replacement, 1);
    DDX_Check(pDX, IDC_WORKFORM_INDICATORS, m_workformIndicators);
    DDX_Check(pDX, IDC_RECORD_IDS, m_recordIds);
    DDX_Check(pDX, IDC_ALL_FIELDS, m_allFields);
    if (pDX->m_bSaveAndValidate && m_formatIndex == kCustom)
        GetFormat(m_customFormat);
    m_loading = FALSE;
}

void CDelimitedFormatPage::OnFormatChanged()
{
    const int chosen = m_formats.GetCurSel();
    if (chosen < 0 || chosen == m_formatIndex)
        return;
    if (m_formatIndex == kCustom && !UpdateData(TRUE)) {
        m_formats.SetCurSel(kCustom);
        return;
    }
    m_formatIndex = chosen;
    UpdateData(FALSE);
}

void CDelimitedFormatPage::SwitchToCustom()
{
    if (m_loading || m_formatIndex == kCustom)
        return;
    m_formatIndex = kCustom;
    m_formats.SetCurSel(kCustom);
}

void CDelimitedFormatPage::OnOtherSeparatorChanged()
{
    if (m_loading)
        return;
    CheckRadioButton(IDC_SEPARATOR_COMMAS, IDC_SEPARATOR_COMMAS + 3, IDC_SEPARATOR_COMMAS + 3);
    SwitchToCustom();
}

void CDelimitedFormatPage::OnOtherTerminatorChanged()
{
    if (m_loading)
        return;
    CheckRadioButton(IDC_TERMINATOR_RETURNS, IDC_TERMINATOR_RETURNS + 1, IDC_TERMINATOR_RETURNS + 1);
    SwitchToCustom();
}

void CDelimitedFormatPage::OnDelimiterChanged()
{
    if (m_loading)
        return;
    CheckDlgButton(IDC_DELIMIT,
                   GetDlgItem(IDC_DELIMITER)->GetWindowTextLength() > 0 ? BST_CHECKED : BST_UNCHECKED);
    SwitchToCustom();
}

void CDelimitedFormatPage::OnReplacementChanged()
{
    SwitchToCustom();
}

void CDelimitedFormatPage::OnSeparatorClicked(UINT nID)
{
    if ((int)(nID - IDC_SEPARATOR_COMMAS) != m_separatorChoice)
        SwitchToCustom();
}

void CDelimitedFormatPage::OnTerminatorClicked(UINT nID)
{
    if ((int)(nID - IDC_TERMINATOR_RETURNS) != m_terminatorChoice)
        SwitchToCustom();
}

int& CDelimitedFormatPage::CheckMember(UINT nID)
{
    switch (nID) {
    case IDC_DELIMIT:
        return m_delimit;
    case IDC_RECORD_IDS:
        return m_recordIds;
    case IDC_WORKFORM_INDICATORS:
        return m_workformIndicators;
    default:
        return m_allFields;
    }
}

void CDelimitedFormatPage::OnCheckClicked(UINT nID)
{
    if ((IsDlgButtonChecked(nID) == BST_CHECKED) != (CheckMember(nID) != 0))
        SwitchToCustom();
}
