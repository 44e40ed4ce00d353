// Notifications a parent receives from its controls are offered back to the control first.
#include "WndTestSupport.h"

#include "classlib/win/Button.h"
#include "classlib/win/DC.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const UINT kButtonId = 100;
const UINT kPassId = 101;
std::string g_trace;

class OwnButton : public CButton
{
public:
    CBrush m_brush{RGB(1, 2, 3)};
    void OnClicked() { g_trace += "child-clicked;"; }
    HBRUSH CtlColor(CDC*, UINT nCtlColor) { return nCtlColor == CTLCOLOR_BTN ? (HBRUSH)m_brush : nullptr; }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        g_trace += "child-draw " + std::to_string(lpDIS->itemID) + ";";
    }
    void OnCustomNotify(NMHDR*, LRESULT* pResult)
    {
        g_trace += "child-notify;";
        *pResult = 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_WM_CTLCOLOR_REFLECT()
ON_NOTIFY_REFLECT(NM_CLICK, OnCustomNotify)
END_MESSAGE_MAP()

// Answers the click but lets the parent see it too.
class PassingButton : public CButton
{
public:
    BOOL OnClicked()
    {
        g_trace += "passing-child;";
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class Parent : public CWnd
{
public:
    void OnButton() { g_trace += "parent-clicked;"; }
    void OnPass() { g_trace += "parent-pass;"; }
    void OnNotifyParent(NMHDR*, LRESULT*) { g_trace += "parent-notify;"; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Parent, CWnd)
ON_BN_CLICKED(kButtonId, OnButton)
ON_BN_CLICKED(kPassId, OnPass)
ON_NOTIFY(NM_CLICK, kButtonId, OnNotifyParent)
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test
{
protected:
    RecordingApp app;
    Parent parent;
    OwnButton button;
    PassingButton passing;

    void SetUp() override
    {
        g_trace.clear();
        ASSERT_TRUE(
            parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(button.Create("Own", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 50, 20), &parent,
                                  kButtonId));
        ASSERT_TRUE(passing.Create("Pass", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &parent, kPassId));
    }
    void TearDown() override { parent.DestroyWindow(); }
};

TEST_F(ReflectionTest, ChildTakesItsCommandBeforeTheParent)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ("child-clicked;", g_trace);

    g_trace.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kPassId, BN_CLICKED), reinterpret_cast<LPARAM>(passing.m_hWnd));
    EXPECT_EQ("passing-child;parent-pass;", g_trace);
}

TEST_F(ReflectionTest, OwnerDrawColourAndNotifyReachTheChild)
{
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = kButtonId;
    dis.itemID = 5;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(TRUE, parent.SendMessage(WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ("child-draw 5;", g_trace);

    CClientDC dc(&parent);
    EXPECT_EQ(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(button.m_brush)),
              parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc.m_hDC),
                                 reinterpret_cast<LPARAM>(button.m_hWnd)));
    // A colour type the child does not answer falls back to the system's.
    EXPECT_NE(reinterpret_cast<LRESULT>(static_cast<HBRUSH>(button.m_brush)),
              parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                 reinterpret_cast<LPARAM>(button.m_hWnd)));

    g_trace.clear();
    NMHDR hdr = {button.m_hWnd, kButtonId, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(7, parent.SendMessage(WM_NOTIFY, kButtonId, reinterpret_cast<LPARAM>(&hdr)));
    EXPECT_EQ("child-notify;", g_trace);
}

TEST_F(ReflectionTest, SubclassedControlIsFoundAndReleased)
{
    HWND hWnd =
        ::CreateWindowEx(0, "BUTTON", "Plain", WS_CHILD, 0, 60, 50, 20, parent.m_hWnd,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kButtonId + 10)), nullptr, nullptr);
    ASSERT_NE(nullptr, hWnd);
    // Without an object: a temporary wrapper.
    CWnd* pTemp = CWnd::FromHandle(hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(hWnd, pTemp->m_hWnd);

    OwnButton sub;
    ASSERT_TRUE(sub.SubclassDlgItem(kButtonId + 10, &parent));
    EXPECT_EQ(&sub, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(1, ::SendMessage(hWnd, WM_QUERYAFXWNDPROC, 0, 0));
    g_trace.clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId + 10, BN_CLICKED), reinterpret_cast<LPARAM>(hWnd));
    EXPECT_EQ("child-clicked;", g_trace);

    EXPECT_EQ(hWnd, sub.UnsubclassWindow());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(0, ::SendMessage(hWnd, WM_QUERYAFXWNDPROC, 0, 0));
    ::DestroyWindow(hWnd);
}

class SelfDeleting : public CWnd
{
public:
    static int s_deleted;
    int OnCreate(LPCREATESTRUCT) { return m_bRefuse ? -1 : 0; }
    void PostNcDestroy() override
    {
        ++s_deleted;
        delete this;
    }
    BOOL m_bRefuse = FALSE;
    DECLARE_MESSAGE_MAP()
};
int SelfDeleting::s_deleted = 0;

BEGIN_MESSAGE_MAP(SelfDeleting, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(WndLifetime, HeapWindowsDeleteThemselvesAfterTheirLastMessage)
{
    SelfDeleting::s_deleted = 0;
    auto* pWnd = new SelfDeleting;
    ASSERT_TRUE(pWnd->CreateEx(0, nullptr, "Gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = pWnd->m_hWnd;
    ::DestroyWindow(hWnd);
    EXPECT_EQ(1, SelfDeleting::s_deleted);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

    // A window refused in WM_CREATE fails Create and still ends its object once.
    auto* pRefused = new SelfDeleting;
    pRefused->m_bRefuse = TRUE;
    EXPECT_FALSE(pRefused->CreateEx(0, nullptr, "Refused", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(2, SelfDeleting::s_deleted);
}

} // namespace
