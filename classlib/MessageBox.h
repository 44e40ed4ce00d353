// Message boxes and the wait cursor.
//
// AfxMessageBox shows a text (or string nIDPrompt) with the button set and
// icon of nType (MB_ flags) and returns the button pressed (IDOK, IDYES...).
// In the Windows program it is the system's message box; in the native build
// there is no user interface and the default button is returned.
//
// Tests script the answers: while a CMessageBoxScript exists, every call is
// recorded (text, type, help ID, prompt ID) instead of shown, and answered
// from the script's queue; when the queue is empty the default button of the
// type is the answer (MB_DEFBUTTON2/3 honoured).  Scripts nest; the newest
// answers.
//
// The wait cursor is counted: Begin/End pairs nest, the cursor shows while the
// count is above 0; Restore re-shows it after a message box replaced it.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"

#include <deque>
#include <vector>

#ifndef MB_DEFBUTTON1
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#endif

int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// nIDHelp (UINT)-1 means "the prompt's own ID".
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Shows the box itself (the script's answer in tests, else the system's box); the application's
// DoMessageBox ends here. AfxMessageBox goes through the application when there is one.
int AfxShowMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp);

// The button that answers a box of type nType when nobody chooses.
int AfxDefaultMessageBoxAnswer(UINT nType);

// The shell may replace how boxes are shown (owner window, title); the proc
// gets the final text.  NULL restores the built-in box.  Returns the old proc.
typedef int (*AFX_MESSAGEBOX_PROC)(LPCTSTR lpszText, UINT nType, UINT nIDHelp);
AFX_MESSAGEBOX_PROC AfxSetMessageBoxProc(AFX_MESSAGEBOX_PROC pfn);
// Caption of the built-in box ("Lorvane 5" unless set).
void AfxSetMessageBoxTitle(LPCTSTR lpszTitle);

class CMessageBoxScript
{
public:
    struct Call
    {
        CString text;
        UINT type;
        UINT helpId;
        UINT promptId; // 0 when the box was asked with a text
        int answer;
    };

    CMessageBoxScript();
    ~CMessageBoxScript();
    CMessageBoxScript(const CMessageBoxScript&) = delete;
    CMessageBoxScript& operator=(const CMessageBoxScript&) = delete;

    // Queues the answers of the next boxes, in order.
    void PushAnswer(int nAnswer) { m_answers.push_back(nAnswer); }
    const std::vector<Call>& Calls() const { return m_calls; }
    int CallCount() const { return static_cast<int>(m_calls.size()); }
    // The last call; only valid when CallCount() > 0.
    const Call& LastCall() const { return m_calls.back(); }
    void Clear() { m_calls.clear(); m_answers.clear(); }

private:
    friend int AfxShowMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp);

    std::deque<int> m_answers;
    std::vector<Call> m_calls;
    CMessageBoxScript* m_pPrevious;
};

void AfxBeginWaitCursor();
void AfxEndWaitCursor();
void AfxRestoreWaitCursor();
// Current nesting depth of the wait cursor (0 when the arrow shows).
int AfxGetWaitCursorCount();

class CWaitCursor
{
public:
    CWaitCursor() { AfxBeginWaitCursor(); }
    ~CWaitCursor() { AfxEndWaitCursor(); }
    void Restore() { AfxRestoreWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
