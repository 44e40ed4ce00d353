// The clipboard, opened for one operation.
#include "app/core/win/ClipboardSession.h"

#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/win/Wnd.h"

namespace {

// The system's text for the last error, in a message box; then the operation is abandoned.
[[noreturn]] void FailWithLastError()
{
    const DWORD dwError = ::GetLastError();
    char* pText = nullptr;
    ::FormatMessage(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        dwError, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&pText), 0, nullptr);
    const CString text = pText != nullptr ? pText : "";
    if (pText != nullptr)
        ::LocalFree(pText);
    AfxMessageBox(text, MB_OK | MB_ICONINFORMATION);
    AfxThrowUserException();
}

} // namespace

CClipboardSession::~CClipboardSession()
{
    if (m_bOpen)
        ::CloseClipboard();
}

void CClipboardSession::Open(CWnd* pWnd)
{
    if (!::OpenClipboard(pWnd != nullptr ? pWnd->m_hWnd : nullptr))
        FailWithLastError();
    m_bOpen = TRUE;
}

void CClipboardSession::Close()
{
    if (!::CloseClipboard())
        FailWithLastError();
    m_bOpen = FALSE;
}

void CClipboardSession::Empty()
{
    if (!::EmptyClipboard())
        FailWithLastError();
}

void CClipboardSession::SetData(UINT nFormat, HANDLE hData)
{
    if (::SetClipboardData(nFormat, hData) == nullptr)
        FailWithLastError();
}
