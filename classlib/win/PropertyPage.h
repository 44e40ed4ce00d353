// CPropertyPage: one page of a property sheet (classlib/win/PropertySheet.h).
//
// A page object is plain data until a sheet shows it: constructing, copying and serialising a page never
// makes a window, so settings kept as a page's members can be stored and copied like any object. The copy
// takes the template and caption only; a derived page's defaulted copy then copies its members one by one.
//
// Shown in a sheet, the page is a child dialog of the sheet made from its template (a template written
// as a popup is made a child: caption, frame and popup styles are dropped). The sheet calls:
// - OnSetActive when the page comes to the front (TRUE by default);
// - OnKillActive when it leaves it, also before OK and Apply: saves and validates the controls
//   (UpdateData(TRUE)); FALSE keeps the page in front with the focus on the failing control;
// - OnApply on OK and Apply for every page: OnOK by default, TRUE; FALSE keeps the sheet open there;
// - OnQueryCancel (TRUE lets Cancel go on) and then OnReset (OnCancel by default) on Cancel, never OnApply.
// OnOK and OnCancel of a page do nothing by default: the sheet, not the page, ends the run.
#pragma once

#include "classlib/win/Dialog.h"

#include <vector>

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)

public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    // A page from a template in memory, which must outlive the page's window.
    CPropertyPage(LPCDLGTEMPLATE lpTemplate, LPCTSTR lpszCaption);
    CPropertyPage(const CPropertyPage& other);
    CPropertyPage& operator=(const CPropertyPage& other);
    ~CPropertyPage() override;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;

    // Marks the page changed: the sheet's Apply button becomes available.
    void SetModified(BOOL bChanged = TRUE);
    BOOL IsModified() const { return m_bModified; }

    // The tab's text: the caption given, else the template's.
    CString GetCaption() const;
    CPropertySheet* GetSheet() const { return m_pSheet; }

    // Dialog keys belong to the sheet.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    friend class CPropertySheet;
    // Makes the page's window as a hidden child of the sheet.
    BOOL CreatePage(CPropertySheet* pSheet);

    CString m_strCaption;
    CPropertySheet* m_pSheet;
    BOOL m_bModified;

private:
    // The template as a child dialog (a patched copy when the stored one is not).
    LPCDLGTEMPLATE ChildTemplate();
    std::vector<BYTE> m_childTemplate;
};
