// Views of their own kinds: a scrolling view, a form made from a dialog template, a control view; each
// is its document's view in a frame and takes the frame's commands.
#include "FrameTestSupport.h"

#include "classlib/win/CtrlView.h"
#include "classlib/win/DC.h"
#include "classlib/win/DlgTemplateBuilder.h"
#include "classlib/win/FormView.h"
#include "classlib/win/ScrollView.h"

#include <gtest/gtest.h>

namespace {

class PageView : public CScrollView
{
    DECLARE_DYNCREATE(PageView)

public:
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override
    {
        SetScrollSizes(MM_TEXT, CSize(1000, 800));
        CScrollView::OnInitialUpdate();
    }
};
IMPLEMENT_DYNCREATE(PageView, CScrollView)

enum : WORD
{
    IDC_NAME = 1001,
    IDC_APPLY = 1002,
};

const DLGTEMPLATE* FormTemplate()
{
    static CDlgTemplateBuilder s_builder;
    static const DLGTEMPLATE* s_pTemplate = nullptr;
    if (s_pTemplate == nullptr) {
        s_builder.Dialog(WS_CHILD, 2, 200, 100, "");
        s_builder.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 100, 12, IDC_NAME,
                       CDlgTemplateBuilder::edit, "first");
        s_builder.Item(BS_PUSHBUTTON | WS_TABSTOP, 10, 30, 50, 14, IDC_APPLY, CDlgTemplateBuilder::button,
                       "Apply");
        s_pTemplate = s_builder.Get();
    }
    return s_pTemplate;
}

class NameForm : public CFormView
{
    DECLARE_DYNCREATE(NameForm)

public:
    NameForm() : CFormView(FormTemplate()) {}
    void OnApply() { g_frameTrace += "apply;"; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(NameForm, CFormView)

BEGIN_MESSAGE_MAP(NameForm, CFormView)
ON_BN_CLICKED(IDC_APPLY, OnApply)
END_MESSAGE_MAP()

class NotesView : public CCtrlView
{
    DECLARE_DYNCREATE(NotesView)

public:
    NotesView() : CCtrlView("EDIT", ES_MULTILINE | WS_VSCROLL) {}
};
IMPLEMENT_DYNCREATE(NotesView, CCtrlView)

class ViewTest : public ::testing::Test
{
protected:
    FrameApp app;
    CFrameWnd* frame = nullptr;
    TraceDoc* doc = nullptr;

    template <class View> View* Make(CRuntimeClass* pViewClass)
    {
        doc = new TraceDoc;
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = pViewClass;
        frame = new CFrameWnd;
        if (!frame->Create(nullptr, "Views", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr, 0,
                           &context))
            return nullptr;
        frame->InitialUpdateFrame(doc, TRUE);
        return static_cast<View*>(frame->GetActiveView());
    }
    void SetUp() override { g_frameTrace.clear(); }
    void TearDown() override
    {
        if (frame != nullptr)
            frame->DestroyWindow();
        PumpPending();
    }
};

TEST_F(ViewTest, ScrollViewKeepsItsPositionInsideTheArea)
{
    PageView* view = Make<PageView>(RUNTIME_CLASS(PageView));
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(view->GetStyle() & WS_HSCROLL);
    CRect client;
    view->GetClientRect(&client);

    view->ScrollToPosition(CPoint(50, 70));
    EXPECT_EQ(CPoint(50, 70), view->GetScrollPosition());
    view->ScrollToPosition(CPoint(5000, 5000));
    EXPECT_EQ(CPoint(1000 - client.right, 800 - client.bottom), view->GetScrollPosition());

    // A page down is a tenth of the area by default.
    view->ScrollToPosition(CPoint(0, 0));
    view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(CPoint(0, 80), view->GetScrollPosition());

    // Drawing happens in document coordinates.
    CClientDC dc(view);
    view->OnPrepareDC(&dc);
    POINT origin = {0, 0};
    ::GetViewportOrgEx(dc.m_hDC, &origin);
    EXPECT_EQ(-80, origin.y);

    // An area that fits needs no bars and no offset.
    view->SetScrollSizes(MM_TEXT, CSize(50, 50));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_EQ(CPoint(0, 0), view->GetScrollPosition());
}

TEST_F(ViewTest, FormViewIsMadeFromItsTemplateAndRoutesItsControls)
{
    NameForm* form = Make<NameForm>(RUNTIME_CLASS(NameForm));
    ASSERT_NE(nullptr, form);
    EXPECT_EQ(AFX_IDW_PANE_FIRST, form->GetDlgCtrlID());
    EXPECT_EQ(doc, form->GetDocument());
    EXPECT_EQ(1, doc->GetViewCount());
    CString text;
    form->GetDlgItemText(IDC_NAME, text);
    EXPECT_STREQ("first", text);

    form->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED),
                      reinterpret_cast<LPARAM>(form->GetDlgItem(IDC_APPLY)->m_hWnd));
    EXPECT_EQ("apply;", g_frameTrace);
    // The frame's commands reach the form's document.
    frame->SendMessage(WM_COMMAND, ID_TRACE);
    EXPECT_EQ("apply;doc;app;", g_frameTrace);
}

class PopupForm : public CFormView
{
public:
    explicit PopupForm(const DLGTEMPLATE* p) : CFormView(p) {}
    void PostNcDestroy() override { s_gone = true; } // on the stack here
    static bool s_gone;
};
bool PopupForm::s_gone = false;

TEST(FormViewTemplate, APopupTemplateMakesNoView)
{
    FrameApp app;
    CDlgTemplateBuilder builder;
    builder.Dialog(WS_POPUP | WS_CAPTION, 0, 100, 50, "Popup");
    PopupForm::s_gone = false;
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    PopupForm form(builder.Get());
    EXPECT_FALSE(form.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 1));
    EXPECT_TRUE(PopupForm::s_gone);
    parent.DestroyWindow();
}

TEST(ViewOutsideAFrame, GoesWhenItsDocumentCloses)
{
    FrameApp app;
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    TraceDoc* doc = new TraceDoc;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    TraceView* view = new TraceView;
    ASSERT_TRUE(
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &host, 1, &context));
    HWND hWndView = view->m_hWnd;
    const int nDestroyed = TraceDoc::s_destroyed;
    doc->OnCloseDocument();
    EXPECT_EQ(nDestroyed + 1, TraceDoc::s_destroyed);
    EXPECT_FALSE(::IsWindow(hWndView));
    host.DestroyWindow();
}

TEST_F(ViewTest, ControlViewIsTheControl)
{
    NotesView* view = Make<NotesView>(RUNTIME_CLASS(NotesView));
    ASSERT_NE(nullptr, view);
    char name[32] = {};
    ::GetClassName(view->m_hWnd, name, sizeof name);
    EXPECT_STRCASEEQ("Edit", name);
    EXPECT_TRUE(view->GetStyle() & ES_MULTILINE);
    view->SetWindowText("line one");
    EXPECT_EQ("line one", WindowText(view));
    EXPECT_EQ(doc, view->GetDocument());
}

} // namespace
