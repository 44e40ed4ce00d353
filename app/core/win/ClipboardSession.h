// Scoped use of the clipboard: a failing call shows the system's reason and abandons the whole operation
// (the class library's user exception); the destructor closes a clipboard this object still holds.
#pragma once

#include <windows.h>

class CWnd;

class CClipboardSession
{
public:
    CClipboardSession() : m_bOpen(FALSE) {}
    ~CClipboardSession();
    CClipboardSession(const CClipboardSession&) = delete;
    CClipboardSession& operator=(const CClipboardSession&) = delete;

    void Open(CWnd* pWnd);
    void Close();
    void Empty();
    // The clipboard owns hData once this returns.
    void SetData(UINT nFormat, HANDLE hData);
    BOOL IsOpen() const { return m_bOpen; }

private:
    BOOL m_bOpen;
};
