#include "classlib/MessageBox.h"

#include "classlib/Resources.h"
#include "classlib/WinApp.h"

namespace
{
CMessageBoxScript* g_pScript = nullptr;
AFX_MESSAGEBOX_PROC g_pfnShow = nullptr;
CString& Title()
{
    static CString title("Lorvane 5");
    return title;
}
int g_nWaitCount = 0;
#ifdef _WIN32
HCURSOR g_hcurPrevious = nullptr;
#endif
} // namespace

int AfxDefaultMessageBoxAnswer(UINT nType)
{
    int def = int((nType & MB_DEFMASK) >> 8); // 0, 1 or 2
    switch (nType & MB_TYPEMASK)
    {
    case MB_OKCANCEL: return def == 0 ? IDOK : IDCANCEL;
    case MB_ABORTRETRYIGNORE: return def == 0 ? IDABORT : def == 1 ? IDRETRY : IDIGNORE;
    case MB_YESNOCANCEL: return def == 0 ? IDYES : def == 1 ? IDNO : IDCANCEL;
    case MB_YESNO: return def == 0 ? IDYES : IDNO;
    case MB_RETRYCANCEL: return def == 0 ? IDRETRY : IDCANCEL;
    default: return IDOK;
    }
}

CMessageBoxScript::CMessageBoxScript() : m_pPrevious(g_pScript)
{
    g_pScript = this;
}

CMessageBoxScript::~CMessageBoxScript()
{
    g_pScript = m_pPrevious;
}

namespace
{
// The string id of the box being shown, for the script's record; 0 for a box asked with a text.
UINT g_nPromptId = 0;
} // namespace

int AfxShowMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    const UINT nIDPrompt = g_nPromptId;
    if (g_pScript != nullptr)
    {
        int answer = AfxDefaultMessageBoxAnswer(nType);
        if (!g_pScript->m_answers.empty())
        {
            answer = g_pScript->m_answers.front();
            g_pScript->m_answers.pop_front();
        }
        g_pScript->m_calls.push_back(CMessageBoxScript::Call{CString(lpszText), nType, nIDHelp, nIDPrompt, answer});
        return answer;
    }
    if (g_pfnShow != nullptr)
        return g_pfnShow(lpszText, nType, nIDHelp);
#ifdef _WIN32
    HWND owner = ::GetActiveWindow();
    int answer = ::MessageBoxA(owner, lpszText ? lpszText : "", Title(), nType | MB_TASKMODAL);
    if (g_nWaitCount > 0)
        AfxRestoreWaitCursor();
    return answer != 0 ? answer : AfxDefaultMessageBoxAnswer(nType);
#else
    (void)Title();
    return AfxDefaultMessageBoxAnswer(nType);
#endif
}

static int AfxMessageBoxImpl(LPCTSTR lpszText, UINT nType, UINT nIDHelp, UINT nIDPrompt)
{
    const UINT nSaved = g_nPromptId;
    g_nPromptId = nIDPrompt;
    CWinApp* pApp = AfxGetApp();
    const int answer = pApp != nullptr ? pApp->DoMessageBox(lpszText, nType, nIDHelp)
                                       : AfxShowMessageBox(lpszText, nType, nIDHelp);
    g_nPromptId = nSaved;
    return answer;
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    return AfxMessageBoxImpl(lpszText, nType, nIDHelp, 0);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadStringResource(nIDPrompt, text);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBoxImpl(text, nType, nIDHelp, nIDPrompt);
}

AFX_MESSAGEBOX_PROC AfxSetMessageBoxProc(AFX_MESSAGEBOX_PROC pfn)
{
    AFX_MESSAGEBOX_PROC old = g_pfnShow;
    g_pfnShow = pfn;
    return old;
}

void AfxSetMessageBoxTitle(LPCTSTR lpszTitle)
{
    Title() = lpszTitle;
}

void AfxBeginWaitCursor()
{
    if (g_nWaitCount++ == 0)
    {
#ifdef _WIN32
        g_hcurPrevious = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
#endif
    }
}

void AfxEndWaitCursor()
{
    if (g_nWaitCount == 0)
        return; // unbalanced End: keep the count sane
    if (--g_nWaitCount == 0)
    {
#ifdef _WIN32
        ::SetCursor(g_hcurPrevious ? g_hcurPrevious : ::LoadCursor(nullptr, IDC_ARROW));
        g_hcurPrevious = nullptr;
#endif
    }
}

void AfxRestoreWaitCursor()
{
#ifdef _WIN32
    if (g_nWaitCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
#endif
}

int AfxGetWaitCursorCount()
{
    return g_nWaitCount;
}
