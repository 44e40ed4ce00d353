// CDelimitedFormatPage: the "Delimited Format" page, on dialog 3081 (export)
// or 3102 (import): the comma and tab presets and a custom format.
//
// The caller sets the format index (0 comma, 1 tab, 2 custom) and the custom
// format before the page is shown, and reads them (and GetFormat) after OK.
// Showing a preset loads its values into the page's members and controls.
// Any edit of the user turns the list to "Custom"; leaving "Custom" (or OK)
// saves and checks the controls, each one-character text that does not hold
// exactly one character showing message 4131 and keeping the page on it, and
// stores the values as the custom format.
#pragma once

#include "classlib/win/ComboBox.h"
#include "classlib/win/PropertyPage.h"
#include "dbwindows/core/CDelimitedFormat.h"

class CDelimitedFormatPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CDelimitedFormatPage)

public:
    enum : UINT
    {
        IDD_EXPORT = 3081,
        IDD_IMPORT = 3102,
        IDC_FORMAT = 2104,
        IDC_OTHER_SEPARATOR = 2111,
        IDC_SEPARATOR_COMMAS = 2112, // to 2115: commas, tabs, carriage returns, other
        IDC_OTHER_TERMINATOR = 2220,
        IDC_TERMINATOR_RETURNS = 2221, // and 2222: other
        IDC_DELIMIT = 2084,
        IDC_DELIMITER = 2083,
        IDC_REPLACEMENT = 2250,
        IDC_WORKFORM_INDICATORS = 2155,
        IDC_RECORD_IDS = 2154,
        IDC_ALL_FIELDS = 2153,
        IDP_ONE_CHARACTER = 4131,
    };
    enum
    {
        kComma = 0,
        kTab = 1,
        kCustom = 2,
    };

    explicit CDelimitedFormatPage(UINT nIDTemplate);

    // The values the page shows, after OK.
    void GetFormat(CDelimitedFormat& format) const;
    // The members from a format.
    void SetFromFormat(const CDelimitedFormat& format);

    int m_formatIndex; // -1 until the caller sets it
    CDelimitedFormat m_customFormat;

    int m_separatorChoice; // 0 commas, 1 tabs, 2 carriage returns, 3 other
    CString m_otherSeparator;
    int m_terminatorChoice; // 0 carriage returns, 1 other
    CString m_otherTerminator;
    int m_delimit;
    CString m_delimiter;
    CString m_replacement;
    int m_recordIds;
    int m_workformIndicators;
    int m_allFields;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    afx_msg void OnFormatChanged();
    afx_msg void OnOtherSeparatorChanged();
    afx_msg void OnOtherTerminatorChanged();
    afx_msg void OnDelimiterChanged();
    afx_msg void OnReplacementChanged();
    afx_msg void OnSeparatorClicked(UINT nID);
    afx_msg void OnTerminatorClicked(UINT nID);
    afx_msg void OnCheckClicked(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    const CDelimitedFormat& FormatAt(int index) const;
    void SwitchToCustom();
    int& CheckMember(UINT nID);

    CComboBox m_formats;
    BOOL m_loading;
};
