// The progress window: the ProgressDisplay of the program's windows (template 3119: the bar 2209 and
// Stop, the cancel id), made hidden by the factory for each ProgressDialog and shown when its rule says.
//
// From construction to destruction the safe owner (the given window's top-level owner, else the main
// window) is disabled when it was enabled. Stop and Esc only note the request (the window stays until the
// work ends); Enter does nothing. Pumping takes every waiting message through the application's loop,
// and a quit message taken that way is posted again so the program still ends after the work.
#pragma once

#include "app/core/ProgressDialog.h"
#include "classlib/win/Dialog.h"

class CProgressWindow : public CDialog, public ProgressDisplay
{
public:
    enum
    {
        IDD = 3119,
        IDC_BAR = 2209
    };

    // Throws the class library's memory exception when the window cannot be made (the owner is enabled
    // again first).
    CProgressWindow(UINT nCaptionID, CWnd* pOwner);
    ~CProgressWindow() override;

    void Show() override;
    void SetBar(int scaled) override;
    BOOL PumpMessages() override;

    BOOL DestroyWindow() override;
    BOOL IsStopRequested() const { return m_bStopRequested; }

protected:
    BOOL OnInitDialog() override;
    // Enter would press the default button, Stop: it is eaten here, so it does nothing.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override;
    void OnCancel() override;

private:
    void EnableOwner();

    UINT m_nCaptionID;
    BOOL m_bStopRequested;
    HWND m_hWndOwnerDisabled; // the owner this window disabled, until it is enabled again
};

// The factory SetProgressDisplayFactory takes; start-up installs it.
ProgressDisplay* MakeProgressWindow(UINT nCaptionID, CWnd* pOwner);
