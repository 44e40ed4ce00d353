// CStyleSettingsPageWnd: the page that edits one settings group of an output
// style's format (formatting/style/StyleSettingsPage.h) in a property sheet.
//
// The page is made on the group's dialog and edits a working copy of the
// settings: leaving the page saves the controls into the copy only, and the
// settings object takes the copy when the sheet applies the page (OK, Apply),
// so a cancelled sheet leaves it as it was. The copy is taken again each time
// the page's window is made. The settings object must outlive the page.
#pragma once

#include "classlib/CString.h"
#include "classlib/win/PropertyPage.h"
#include "formatting/style/win/StyleSettingsExchange.h"

template <class Settings> class CStyleSettingsPageWnd : public CPropertyPage
{
public:
    explicit CStyleSettingsPageWnd(Settings& settings)
        : CPropertyPage(settings.GetDialogId()), m_settings(settings), m_edit(settings)
    {
    }

    Settings& GetSettings() const { return m_settings; }
    // What the controls held when the page was last left or applied.
    const Settings& GetEdited() const { return m_edit; }

    BOOL OnInitDialog() override
    {
        m_edit = m_settings;
        FillSettingsLists(*this, m_edit);
        CPropertyPage::OnInitDialog();
        if (const UINT nCaption = SettingsCaptionId(m_edit)) {
            CString caption;
            if (caption.LoadString(nCaption))
                SetWindowText(caption);
        }
        return TRUE;
    }

    BOOL OnApply() override
    {
        m_settings = m_edit;
        return CPropertyPage::OnApply();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { ExchangeSettings(pDX, m_edit); }

    Settings& m_settings;
    Settings m_edit;
};
