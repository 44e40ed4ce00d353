// Commands travel view -> document -> frame -> application; update handlers enable, check and name menu
// items and controls at idle time; a command its update handler disables does not run.
#include "WndTestSupport.h"

#include "classlib/CmdUI.h"
#include "classlib/Document.h"
#include "classlib/win/Button.h"
#include "classlib/win/Menu.h"

#include <gtest/gtest.h>

#include <string>

namespace {

enum : UINT
{
    ID_VIEW_ONLY = 40001,
    ID_DOC_ONLY,
    ID_FRAME_ONLY,
    ID_APP_ONLY,
    ID_VIEW_AND_DOC, // the view's handler hides the document's
    ID_DISABLED,     // has a handler, but its update handler disables it
    ID_CHECKED,
    ID_RENAMED,
    ID_NO_HANDLER,
    ID_DECLINED,  // the view's _EX handler declines, the document takes it
    ID_PASSED_ON, // the view's update handler lets the routing go on to the frame's
};

std::string g_trace;

class RoutingApp : public RecordingApp
{
public:
    void OnAppOnly() { g_trace += "app;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingApp, CWinApp)
ON_COMMAND(ID_APP_ONLY, OnAppOnly)
END_MESSAGE_MAP()

class RoutingDoc : public CDocument
{
public:
    void OnDocOnly() { g_trace += "doc;"; }
    void OnBoth() { g_trace += "doc-both;"; }
    void OnDeclined() { g_trace += "doc-declined;"; }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingDoc, CDocument)
ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
ON_COMMAND(ID_VIEW_AND_DOC, OnBoth)
ON_COMMAND(ID_DECLINED, OnDeclined)
ON_UPDATE_COMMAND_UI(ID_CHECKED, OnUpdateChecked)
END_MESSAGE_MAP()

class RoutingView : public CWnd
{
public:
    RoutingDoc* m_pDoc = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override
    {
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return m_pDoc != nullptr && m_pDoc->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void OnViewOnly() { g_trace += "view;"; }
    void OnBoth() { g_trace += "view-both;"; }
    BOOL OnDeclined(UINT)
    {
        g_trace += "view-declined;";
        return FALSE;
    }
    void OnDisabled() { g_trace += "disabled ran;"; }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("Renamed"); }
    void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingView, CWnd)
ON_COMMAND(ID_VIEW_ONLY, OnViewOnly)
ON_COMMAND(ID_VIEW_AND_DOC, OnBoth)
ON_COMMAND_EX(ID_DECLINED, OnDeclined)
ON_COMMAND(ID_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(ID_RENAMED, OnUpdateRenamed)
ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
END_MESSAGE_MAP()

// A frame-like window: its view first, then itself, then the application.
class RoutingFrame : public CWnd
{
public:
    RoutingView* m_pView = nullptr;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override
    {
        if (m_pView != nullptr && m_pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        CWinApp* pApp = AfxGetApp();
        return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    void OnFrameOnly() { g_trace += "frame;"; }
    void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingFrame, CWnd)
ON_COMMAND(ID_FRAME_ONLY, OnFrameOnly)
ON_COMMAND(ID_PASSED_ON, OnFrameOnly)
ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
END_MESSAGE_MAP()

// A toolbar-like strip of buttons that updates them from the frame at idle time.
class ButtonStrip : public CWnd
{
public:
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
    {
        UpdateDialogControls(GetParent(), static_cast<BOOL>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonStrip, CWnd)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

class CommandRoutingTest : public ::testing::Test
{
protected:
    RoutingApp app;
    RoutingDoc doc;
    RoutingFrame frame;
    RoutingView view;

    void SetUp() override
    {
        g_trace.clear();
        ASSERT_TRUE(
            frame.CreateEx(0, nullptr, "Frame", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &frame, 1));
        view.m_pDoc = &doc;
        frame.m_pView = &view;
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        frame.DestroyWindow();
        PumpPending();
    }
    void SendCommand(UINT nID) { frame.SendMessage(WM_COMMAND, nID, 0); }
};

TEST_F(CommandRoutingTest, CommandsReachTheFirstTargetThatHandlesThem)
{
    const struct
    {
        UINT id;
        const char* trace;
    } cases[] = {
        {ID_VIEW_ONLY, "view;"},
        {ID_DOC_ONLY, "doc;"},
        {ID_FRAME_ONLY, "frame;"},
        {ID_APP_ONLY, "app;"},
        {ID_VIEW_AND_DOC, "view-both;"},
        {ID_DECLINED, "view-declined;doc-declined;"},
        {ID_DISABLED, ""},
        {ID_NO_HANDLER, ""},
    };
    for (const auto& c : cases) {
        g_trace.clear();
        SendCommand(c.id);
        EXPECT_EQ(c.trace, g_trace) << "command " << c.id;
    }
}

TEST_F(CommandRoutingTest, HandlerInfoFindsTheHandlerWithoutCallingIt)
{
    AFX_CMDHANDLERINFO info = {nullptr, nullptr};
    EXPECT_TRUE(frame.OnCmdMsg(ID_DOC_ONLY, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(static_cast<CCmdTarget*>(&doc), info.pTarget);
    EXPECT_EQ("", g_trace);
    EXPECT_FALSE(frame.OnCmdMsg(ID_NO_HANDLER, CN_COMMAND, nullptr, &info));
}

TEST_F(CommandRoutingTest, MenuPopupItemsAreUpdatedWhenTheMenuOpens)
{
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_DISABLED, "Disabled");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_CHECKED, "Checked");
    popup.AppendMenu(MF_STRING, ID_RENAMED, "Old name");
    popup.AppendMenu(MF_STRING, ID_PASSED_ON, "Passed on");
    popup.AppendMenu(MF_STRING, ID_NO_HANDLER, "No handler");

    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), MAKELPARAM(0, FALSE));

    EXPECT_TRUE(popup.GetMenuState(ID_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(popup.GetMenuState(ID_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    CString text;
    popup.GetMenuString(ID_RENAMED, text, MF_BYCOMMAND);
    EXPECT_STREQ("Renamed", text);
    // The view let the routing go on: the frame's handler greyed it.
    EXPECT_TRUE(popup.GetMenuState(ID_PASSED_ON, MF_BYCOMMAND) & MF_GRAYED);
    // A plain window does not grey items for want of a handler.
    EXPECT_FALSE(popup.GetMenuState(ID_NO_HANDLER, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(CommandRoutingTest, IdleTimeUpdatesEnableAndCheckControlsOfTheMainWindow)
{
    ButtonStrip strip;
    ASSERT_TRUE(strip.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 200, 400, 230), &frame, 2));
    CButton disabled, checked, frameButton, orphan;
    ASSERT_TRUE(disabled.Create("D", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 20, 20), &strip,
                                ID_DISABLED));
    ASSERT_TRUE(
        checked.Create("C", WS_CHILD | WS_VISIBLE | BS_CHECKBOX, CRect(20, 0, 40, 20), &strip, ID_CHECKED));
    ASSERT_TRUE(frameButton.Create("F", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(40, 0, 60, 20), &strip,
                                   ID_FRAME_ONLY));
    ASSERT_TRUE(orphan.Create("N", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(60, 0, 80, 20), &strip,
                              ID_NO_HANDLER));

    frame.ShowWindow(SW_SHOWNOACTIVATE);
    app.m_pMainWnd = &frame;
    // The first idle call updates the interface and asks for more; the second frees temporary objects.
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_FALSE(app.OnIdle(1));

    EXPECT_FALSE(disabled.IsWindowEnabled());
    EXPECT_EQ(BST_CHECKED, checked.GetCheck());
    EXPECT_TRUE(frameButton.IsWindowEnabled());
    EXPECT_FALSE(orphan.IsWindowEnabled());
    EXPECT_TRUE(checked.IsWindowEnabled()); // check boxes are never greyed for want of a handler
}

TEST_F(CommandRoutingTest, OnIdleWithANegativeCountUpdatesAndAsksForNoMore)
{
    ButtonStrip strip;
    ASSERT_TRUE(strip.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 200, 400, 230), &frame, 2));
    CButton disabled;
    ASSERT_TRUE(disabled.Create("D", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 20, 20), &strip,
                                ID_DISABLED));
    app.m_pMainWnd = &frame;
    frame.ShowWindow(SW_SHOWNOACTIVATE);
    EXPECT_FALSE(app.OnIdle(-1));
    EXPECT_FALSE(disabled.IsWindowEnabled());
    EXPECT_EQ("", g_trace); // no command ran
}

} // namespace
