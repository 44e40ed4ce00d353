// Documents, views and frames of the frame tests, with a trace of which of them handled a command.
#pragma once

#include "WndTestSupport.h"

#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/win/MDIChildWnd.h"
#include "classlib/win/View.h"

#include <string>

enum : UINT
{
    ID_TRACE = 41001,  // every target records it and passes it on
    ID_WHO,            // views record their document's title
    ID_CHILD_AND_MAIN, // the child frame's handler hides the main frame's
};

extern std::string g_frameTrace;

class TraceDoc : public CDocument
{
    DECLARE_DYNCREATE(TraceDoc)

public:
    ~TraceDoc() override { ++s_destroyed; }
    BOOL OnTrace(UINT)
    {
        g_frameTrace += "doc;";
        return FALSE;
    }
    static int s_destroyed;
    DECLARE_MESSAGE_MAP()
};

class SketchDoc : public TraceDoc
{
    DECLARE_DYNCREATE(SketchDoc)
};

class TraceView : public CView
{
    DECLARE_DYNCREATE(TraceView)

public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        ++m_initialUpdates;
        CView::OnInitialUpdate();
    }
    BOOL OnTrace(UINT)
    {
        g_frameTrace += "view;";
        return FALSE;
    }
    void OnWho() { g_frameTrace += std::string(GetDocument()->GetTitle()) + ";"; }
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        m_lastHint = lHint;
        CView::OnUpdate(pSender, lHint, pHint);
    }
    int m_initialUpdates = 0;
    LPARAM m_lastHint = -1;
    DECLARE_MESSAGE_MAP()
};

class TraceChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(TraceChild)

public:
    BOOL OnTrace(UINT)
    {
        g_frameTrace += "child;";
        return FALSE;
    }
    void OnChildAndMain() { g_frameTrace += "child;"; }
    DECLARE_MESSAGE_MAP()
};

// A test application: records message boxes instead of showing them.
class FrameApp : public RecordingApp
{
public:
    BOOL OnTrace(UINT)
    {
        g_frameTrace += "app;";
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

// A menu bar with a File popup (holding an item named tag) and a Window popup.
HMENU MakeTestMenu(const char* tag);
// The window's caption.
std::string WindowText(const CWnd* pWnd);
// The frame that shows the document's first view.
CFrameWnd* FirstFrameOf(CDocument* pDoc);
TraceView* FirstViewOf(CDocument* pDoc);
