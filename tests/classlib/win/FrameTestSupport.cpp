#include "FrameTestSupport.h"

#include "classlib/win/Menu.h"

std::string g_frameTrace;
int TraceDoc::s_destroyed = 0;

IMPLEMENT_DYNCREATE(TraceDoc, CDocument)
IMPLEMENT_DYNCREATE(SketchDoc, TraceDoc)
IMPLEMENT_DYNCREATE(TraceView, CView)
IMPLEMENT_DYNCREATE(TraceChild, CMDIChildWnd)

BEGIN_MESSAGE_MAP(TraceDoc, CDocument)
ON_COMMAND_EX(ID_TRACE, OnTrace)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TraceView, CView)
ON_COMMAND_EX(ID_TRACE, OnTrace)
ON_COMMAND(ID_WHO, OnWho)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TraceChild, CMDIChildWnd)
ON_COMMAND_EX(ID_TRACE, OnTrace)
ON_COMMAND(ID_CHILD_AND_MAIN, OnChildAndMain)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(FrameApp, CWinApp)
ON_COMMAND_EX(ID_TRACE, OnTrace)
END_MESSAGE_MAP()

HMENU MakeTestMenu(const char* tag)
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenu(hFile, MF_STRING, ID_FILE_NEW, "&New");
    ::AppendMenu(hFile, MF_STRING, ID_FILE_CLOSE, tag);
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenu(hWindow, MF_STRING, ID_WINDOW_NEW, "&New Window");
    ::AppendMenu(hWindow, MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    HMENU hHelp = ::CreatePopupMenu();
    ::AppendMenu(hHelp, MF_STRING, ID_APP_ABOUT, "&About");
    HMENU hBar = ::CreateMenu();
    ::AppendMenu(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hFile), "&File");
    ::AppendMenu(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hWindow), "&Window");
    ::AppendMenu(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hHelp), "&Help");
    return hBar;
}

std::string WindowText(const CWnd* pWnd)
{
    CString text;
    pWnd->GetWindowText(text);
    return std::string(text);
}

TraceView* FirstViewOf(CDocument* pDoc)
{
    POSITION pos = pDoc->GetFirstViewPosition();
    return pos != nullptr ? static_cast<TraceView*>(pDoc->GetNextView(pos)) : nullptr;
}

CFrameWnd* FirstFrameOf(CDocument* pDoc)
{
    TraceView* pView = FirstViewOf(pDoc);
    return pView != nullptr ? pView->GetParentFrame() : nullptr;
}
