#include "classlib/win/NewTypeChooser.h"

#include "classlib/Resources.h"
#include "classlib/win/DlgTemplateBuilder.h"
#include "classlib/win/Wnd.h"

namespace {

struct ChooserState
{
    const std::vector<CString>* pNames;
    int nChosen;
};

INT_PTR CALLBACK ChooserProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtr(hDlg, DWLP_USER, lParam);
        auto* pState = reinterpret_cast<ChooserState*>(lParam);
        for (const CString& name : *pState->pNames)
            ::SendDlgItemMessage(hDlg, AFX_IDC_NEWTYPE_LIST, LB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(name)));
        ::SendDlgItemMessage(hDlg, AFX_IDC_NEWTYPE_LIST, LB_SETCURSEL, 0, 0);
        return TRUE;
    }
    case WM_COMMAND: {
        auto* pState = reinterpret_cast<ChooserState*>(::GetWindowLongPtr(hDlg, DWLP_USER));
        const UINT nID = LOWORD(wParam);
        const BOOL bPicked = nID == IDOK || (nID == AFX_IDC_NEWTYPE_LIST && HIWORD(wParam) == LBN_DBLCLK);
        if (bPicked) {
            pState->nChosen =
                static_cast<int>(::SendDlgItemMessage(hDlg, AFX_IDC_NEWTYPE_LIST, LB_GETCURSEL, 0, 0));
            ::EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (nID == IDCANCEL) {
            pState->nChosen = -1;
            ::EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

int AfxChooseNewType(CWnd* pOwner, const std::vector<CString>& names)
{
    CString title;
    if (!AfxLoadStringResource(AFX_IDS_NEWTYPE, title))
        title = "New";
    CDlgTemplateBuilder writer;
    writer.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 3, 180, 90, title);
    writer.Item(LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 7, 110, 76, AFX_IDC_NEWTYPE_LIST,
                CDlgTemplateBuilder::listBox, "");
    writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 124, 7, 50, 14, IDOK, CDlgTemplateBuilder::button, "OK");
    writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 124, 24, 50, 14, IDCANCEL, CDlgTemplateBuilder::button, "Cancel");
    ChooserState state = {&names, -1};
    const INT_PTR nResult =
        ::DialogBoxIndirectParam(::GetModuleHandle(nullptr), writer.Get(), pOwner->GetSafeHwnd(), ChooserProc,
                                 reinterpret_cast<LPARAM>(&state));
    return nResult == IDOK ? state.nChosen : -1;
}
