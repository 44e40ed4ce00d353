// CWinApp: its printer, the print setup command, shell registration and the sockets' start.
#include "classlib/WinApp.h"

#include "classlib/DocManager.h"
#include "classlib/DocTemplate.h"
#include "classlib/win/PrintDialog.h"

#include <cstdlib>

void CWinApp::SelectPrinter(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (m_hDevNames != nullptr && m_hDevNames != hDevNames)
        ::GlobalFree(m_hDevNames);
    if (m_hDevMode != nullptr && m_hDevMode != hDevMode)
        ::GlobalFree(m_hDevMode);
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames != nullptr && !bForceDefaults)
        return;
    CPrintDialog dlg(FALSE);
    // No message when there is no printer: the caller decides what to say.
    dlg.m_pd.Flags |= PD_NOWARNING;
    if (dlg.GetDefaults()) {
        SelectPrinter(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode);
        dlg.m_pd.hDevNames = nullptr; // now the application's
        dlg.m_pd.hDevMode = nullptr;
    } else if (bForceDefaults) {
        SelectPrinter(nullptr, nullptr);
    }
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(m_hDevNames == nullptr);
    if (m_hDevNames == nullptr)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const INT_PTR nResult = pPD->DoModal();
    // The dialog may have replaced the handles: the new ones become the application's printer.
    SelectPrinter(pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
    return nResult;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    DoPrintDialog(&dlg);
    dlg.m_pd.hDevMode = nullptr; // the application keeps them
    dlg.m_pd.hDevNames = nullptr;
}

void CWinApp::EnableShellOpen()
{
    if (m_atomApp != 0)
        return;
    m_atomApp = ::GlobalAddAtom(m_pszExeName != nullptr ? m_pszExeName : "");
    m_atomSystemTopic = ::GlobalAddAtom("system");
}

namespace {

BOOL SetClassesKey(const CString& strKey, const CString& strValue)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, strKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                          &hKey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const LONG lResult = ::RegSetValueExA(hKey, nullptr, 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(static_cast<LPCTSTR>(strValue)),
                                          static_cast<DWORD>(strValue.GetLength() + 1));
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

} // namespace

void CWinApp::RegisterShellFileTypes(BOOL bCompat)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    const CString strQuoted = CString("\"") + path + "\"";
    for (POSITION pos = GetFirstDocTemplatePosition(); pos != nullptr;) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString strTypeId, strTypeName, strExt;
        if (!pTemplate->GetDocString(strTypeId, CDocTemplate::regFileTypeId) || strTypeId.IsEmpty())
            continue; // this kind of document is not registered with the shell
        pTemplate->GetDocString(strTypeName, CDocTemplate::regFileTypeName);
        pTemplate->GetDocString(strExt, CDocTemplate::filterExt);
        SetClassesKey(strTypeId, strTypeName.IsEmpty() ? strTypeId : strTypeName);
        SetClassesKey(strTypeId + "\\shell\\open\\command", strQuoted + " \"%1\"");
        if (bCompat) {
            SetClassesKey(strTypeId + "\\shell\\print\\command", strQuoted + " /p \"%1\"");
            SetClassesKey(strTypeId + "\\shell\\printto\\command", strQuoted + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        if (!strExt.IsEmpty() && strExt[0] == '.')
            SetClassesKey(strExt, strTypeId);
    }
}

BOOL AfxSocketInit(WSADATA* lpwsaData)
{
    static int s_nResult = -1;
    static WSADATA s_data = {};
    if (s_nResult < 0) {
        s_nResult = ::WSAStartup(MAKEWORD(1, 1), &s_data) == 0 ? 1 : 0;
        if (s_nResult == 1)
            std::atexit([] { ::WSACleanup(); });
    }
    if (lpwsaData != nullptr)
        *lpwsaData = s_data;
    return s_nResult == 1;
}
