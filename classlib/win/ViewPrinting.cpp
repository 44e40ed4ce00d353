// CView's printing: preparing the printer, the page loop, the printing dialog and its abort procedure.
#include "classlib/win/View.h"

#include "classlib/ClassLibIds.h"
#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"
#include "classlib/win/DC.h"
#include "classlib/win/Dialog.h"
#include "classlib/win/DlgTemplateBuilder.h"
#include "classlib/win/PrintDialog.h"
#include "classlib/win/PrintInfo.h"

namespace {

enum : WORD
{
    IDC_PRINT_DOCNAME = 100,
    IDC_PRINT_PRINTERNAME,
    IDC_PRINT_PORTNAME,
    IDC_PRINT_PAGENUM,
};

BOOL g_bUserAbort = FALSE;
HWND g_hWndPrintDialog = nullptr;

// The modeless "Printing" dialog: document, printer, port and page; Cancel stops the job.
class CPrintingDialog : public CDialog
{
public:
    BOOL Create(CWnd* pParent)
    {
        CString strTitle;
        strTitle.LoadString(AFX_IDS_PRINTING);
        m_builder.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER, 5, 180, 90, strTitle);
        const DWORD dwStatic = WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX;
        m_builder.Item(dwStatic, 10, 8, 160, 10, IDC_PRINT_DOCNAME, CDlgTemplateBuilder::staticText, "");
        m_builder.Item(dwStatic, 10, 22, 160, 10, IDC_PRINT_PRINTERNAME, CDlgTemplateBuilder::staticText, "");
        m_builder.Item(dwStatic, 10, 34, 160, 10, IDC_PRINT_PORTNAME, CDlgTemplateBuilder::staticText, "");
        m_builder.Item(dwStatic, 10, 48, 160, 10, IDC_PRINT_PAGENUM, CDlgTemplateBuilder::staticText, "");
        m_builder.Item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 65, 68, 50, 14, IDCANCEL,
                       CDlgTemplateBuilder::button, "Cancel");
        return CreateIndirect(m_builder.Get(), pParent);
    }
    void OnCancel() override
    {
        g_bUserAbort = TRUE;
        if (GetParent() != nullptr)
            GetParent()->EnableWindow(TRUE);
        DestroyWindow();
    }

private:
    CDlgTemplateBuilder m_builder;
};

BOOL CALLBACK PrintAbortProc(HDC, int)
{
    MSG msg;
    while (!g_bUserAbort && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop that owns it
            g_bUserAbort = TRUE;
            break;
        }
        if (g_hWndPrintDialog == nullptr || !::IsDialogMessage(g_hWndPrintDialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return !g_bUserAbort;
}

// The window that owns the job's dialog (the view's top-level window).
CWnd* PrintOwner(CView* pView)
{
    CWnd* pTop = pView->GetTopLevelParent();
    return pTop != nullptr ? pTop : AfxGetMainWnd();
}

} // namespace

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    PRINTDLG& pd = pInfo->m_pPD->m_pd;
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        if (pd.hDC == nullptr) {
            CCommandLineInfo* pCmdInfo = pApp->m_pCmdInfo;
            if (!pInfo->m_bPreview && pCmdInfo != nullptr &&
                pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo) {
                // "/pt": the printer the command line names.
                pd.hDC = ::CreateDC(pCmdInfo->m_strDriverName, pCmdInfo->m_strPrinterName,
                                    pCmdInfo->m_strPortName, nullptr);
            } else {
                if (!pApp->GetPrinterDeviceDefaults(&pd)) {
                    // No default printer: the user may still choose one, except for the command line's jobs.
                    if (pInfo->m_bDirect || pApp->DoPrintDialog(pInfo->m_pPD) != IDOK)
                        return FALSE;
                }
                if (pd.hDC == nullptr)
                    pd.hDC = pInfo->m_pPD->CreatePrinterDC();
            }
            if (pd.hDC == nullptr)
                return FALSE;
        }
        pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
        pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    } else {
        pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
        pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
        if (pApp->DoPrintDialog(pInfo->m_pPD) != IDOK)
            return FALSE;
        if (pd.hDC == nullptr)
            pd.hDC = pInfo->m_pPD->CreatePrinterDC();
        if (pd.hDC == nullptr)
            return FALSE;
    }
    if (pInfo->m_nNumPreviewPages == 0)
        pInfo->m_nNumPreviewPages = pApp->m_nNumPreviewPages;
    return TRUE;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint()
{
    DoFilePrint(FALSE);
}

void CView::OnFilePrintDirect()
{
    DoFilePrint(TRUE);
}

void CView::DoFilePrint(BOOL bDirect)
{
    CPrintInfo printInfo;
    printInfo.m_bDirect = bDirect;
    if (!OnPreparePrinting(&printInfo))
        return;
    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC); // the print info's dialog deletes it
    dcPrint.m_bPrinting = TRUE;

    CString strTitle;
    if (m_pDocument != nullptr)
        strTitle = m_pDocument->GetTitle();
    else if (GetParentFrame() != nullptr)
        strTitle = GetParentFrame()->GetTitle();
    if (strTitle.GetLength() > 31)
        strTitle = strTitle.Left(31);
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof(docInfo);
    docInfo.lpszDocName = strTitle;

    CWnd* pOwner = PrintOwner(this);
    CPrintingDialog dlgStatus;
    g_bUserAbort = FALSE;
    if (dlgStatus.Create(pOwner)) {
        g_hWndPrintDialog = dlgStatus.m_hWnd;
        dlgStatus.SetDlgItemText(IDC_PRINT_DOCNAME, strTitle);
        dlgStatus.SetDlgItemText(IDC_PRINT_PRINTERNAME, printInfo.m_pPD->GetDeviceName());
        CString strPort;
        AfxFormatString1(strPort, AFX_IDS_PRINTONPORT, printInfo.m_pPD->GetPortName());
        dlgStatus.SetDlgItemText(IDC_PRINT_PORTNAME, strPort);
        dlgStatus.ShowWindow(SW_SHOW);
        dlgStatus.UpdateWindow();
    }
    if (pOwner != nullptr)
        pOwner->EnableWindow(FALSE);
    ::SetAbortProc(dcPrint.m_hDC, PrintAbortProc);

    BOOL bError = FALSE;
    auto finish = [&] {
        if (pOwner != nullptr)
            pOwner->EnableWindow(TRUE);
        if (::IsWindow(dlgStatus.m_hWnd))
            dlgStatus.DestroyWindow();
        g_hWndPrintDialog = nullptr;
        dcPrint.Detach();
    };
    try {
        OnBeginPrinting(&dcPrint, &printInfo);
        if (dcPrint.StartDoc(&docInfo) <= 0) {
            bError = TRUE;
        } else {
            const UINT nEndPage = printInfo.GetToPage();
            for (printInfo.m_nCurPage = printInfo.GetFromPage(); printInfo.m_nCurPage <= nEndPage;
                 ++printInfo.m_nCurPage) {
                OnPrepareDC(&dcPrint, &printInfo);
                if (!printInfo.m_bContinuePrinting || g_bUserAbort)
                    break;
                if (::IsWindow(dlgStatus.m_hWnd)) {
                    CString strPage;
                    strPage.LoadString(AFX_IDS_PRINTPAGENUM);
                    CString strText;
                    strText.Format(strPage, printInfo.m_nCurPage);
                    dlgStatus.SetDlgItemText(IDC_PRINT_PAGENUM, strText);
                }
                printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES),
                                             dcPrint.GetDeviceCaps(VERTRES));
                dcPrint.DPtoLP(&printInfo.m_rectDraw);
                if (dcPrint.StartPage() <= 0) {
                    bError = TRUE;
                    break;
                }
                OnPrint(&dcPrint, &printInfo);
                if (dcPrint.EndPage() <= 0) {
                    bError = !g_bUserAbort;
                    break;
                }
                if (printInfo.m_nCurPage == 0xFFFF)
                    break;
            }
            if (bError || g_bUserAbort)
                dcPrint.AbortDoc();
            else if (dcPrint.EndDoc() <= 0)
                bError = TRUE;
        }
    } catch (CException*) {
        dcPrint.AbortDoc();
        OnEndPrinting(&dcPrint, &printInfo);
        finish();
        throw;
    }
    OnEndPrinting(&dcPrint, &printInfo);
    finish();
    if (bError)
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
}
