// CFileDialog: the structure, the hook's notifications and the names chosen.
#include "classlib/win/FileDialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

// Room for many names when several may be chosen.
const size_t kMultiSelectBuffer = 64 * 1024;

CFileDialog::MODALHOOK g_pfnModalHook = nullptr;

CFileDialog* FromNotify(LPARAM lParam)
{
    const OFNOTIFY* pNotify = reinterpret_cast<const OFNOTIFY*>(lParam);
    return reinterpret_cast<CFileDialog*>(pNotify->lpOFN->lCustData);
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strDefExt(lpszDefExt), m_szFileTitle(),
      m_hWndDialog(nullptr)
{
    m_ofn = {};
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    m_fileBuffer.assign((dwFlags & OFN_ALLOWMULTISELECT) ? kMultiSelectBuffer : MAX_PATH, '\0');
    if (lpszFileName != nullptr)
        std::strncpy(m_fileBuffer.data(), lpszFileName, m_fileBuffer.size() - 1);
    if (lpszFilter != nullptr) {
        m_filter.assign(lpszFilter, lpszFilter + std::strlen(lpszFilter) + 1);
        for (char& ch : m_filter)
            if (ch == '|')
                ch = '\0';
    }
}

CFileDialog::MODALHOOK CFileDialog::SetModalHook(MODALHOOK pfnHook)
{
    MODALHOOK pfnOld = g_pfnModalHook;
    g_pfnModalHook = pfnHook;
    return pfnOld;
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = PreModal();
    // The buffers may have grown or moved since construction; a later flag may ask for several files.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_fileBuffer.size() < kMultiSelectBuffer)
        m_fileBuffer.resize(kMultiSelectBuffer, '\0');
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.data();
    m_ofn.lpstrDefExt = m_strDefExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strDefExt);
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    if (g_pfnModalHook != nullptr)
        return g_pfnModalHook(*this);
    const BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    m_hWndDialog = nullptr;
    return bResult ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT nMsg, WPARAM, LPARAM lParam)
{
    if (nMsg == WM_INITDIALOG) {
        auto* pDlg = reinterpret_cast<CFileDialog*>(reinterpret_cast<const OPENFILENAME*>(lParam)->lCustData);
        pDlg->m_hWndDialog = ::GetParent(hWnd); // the hook's window is a child of the dialog
        return TRUE;
    }
    if (nMsg != WM_NOTIFY)
        return 0;
    CFileDialog* pDlg = FromNotify(lParam);
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case CDN_INITDONE:
        pDlg->OnInitDone();
        return 0;
    case CDN_FOLDERCHANGE:
        pDlg->OnFolderChange();
        return 0;
    case CDN_TYPECHANGE:
        pDlg->OnTypeChange();
        return 0;
    case CDN_FILEOK: {
        const BOOL bRefuse = pDlg->OnFileNameOK();
        ::SetWindowLongPtr(hWnd, DWLP_MSGRESULT, bRefuse);
        return bRefuse;
    }
    default:
        return 0;
    }
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnInitDone() {}

void CFileDialog::OnFolderChange() {}

void CFileDialog::OnTypeChange() {}

CString CFileDialog::GetPathName() const
{
    POSITION pos = GetStartPosition();
    return pos != nullptr ? GetNextPathName(pos) : CString();
}

CString CFileDialog::GetFileName() const
{
    const CString path = GetPathName();
    const int nSlash = path.ReverseFind('\\');
    return path.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int nDot = name.ReverseFind('.');
    return nDot < 0 ? CString() : name.Mid(nDot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int nDot = name.ReverseFind('.');
    return nDot < 0 ? name : name.Left(nDot);
}

// Positions are offsets into the buffer, plus one so that the first is not NULL. Several names come as
// "folder\0name\0name\0\0", one as "path\0".
POSITION CFileDialog::GetStartPosition() const
{
    if (m_fileBuffer.empty() || m_fileBuffer[0] == '\0')
        return nullptr;
    return reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    const char* buffer = m_fileBuffer.data();
    const size_t nSize = m_fileBuffer.size();
    size_t offset = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
    const size_t nFirstLen = strnlen(buffer, nSize);
    const bool bSeveral =
        (m_ofn.Flags & OFN_ALLOWMULTISELECT) && nFirstLen + 1 < nSize && buffer[nFirstLen + 1] != '\0';
    if (!bSeveral) {
        pos = nullptr;
        return CString(buffer, static_cast<int>(nFirstLen));
    }
    if (offset == 0)
        offset = nFirstLen + 1; // the folder comes first; the names follow
    const size_t nLen = strnlen(buffer + offset, nSize - offset);
    CString path(buffer, static_cast<int>(nFirstLen));
    if (path.Right(1) != "\\")
        path += '\\';
    path += CString(buffer + offset, static_cast<int>(nLen));
    const size_t next = offset + nLen + 1;
    pos = (next < nSize && buffer[next] != '\0') ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1))
                                                 : nullptr;
    return path;
}
