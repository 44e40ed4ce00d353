// The shell's window utilities against real windows and the test profile: stored placements, the cascade
// of new MDI children, logical fonts and font settings, the font size list, context menu points and Tab
// navigation over the views of a splitter.
#include "../ProfileFixture.h"
#include "classlib/win/WndTestSupport.h"

#include "app/core/win/ClipboardSession.h"
#include "app/core/win/ContextMenu.h"
#include "app/core/win/FontCharsetMap.h"
#include "app/core/win/PrinterDC.h"
#include "app/core/win/FontSettings.h"
#include "app/core/win/ScreenMetrics.h"
#include "app/core/win/TabNavigation.h"
#include "app/core/win/WindowPlacement.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/win/ComboBox.h"
#include "classlib/win/MDIFrameWnd.h"
#include "classlib/win/SplitterWnd.h"
#include "classlib/win/View.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <string>
#include <vector>

namespace {

using WindowUtilities = ProfileFixture;

TEST_F(WindowUtilities, StoredPlacementsLoadOnlyWhenWhole)
{
    const struct
    {
        const char* stored; // nullptr: nothing stored
        BOOL loaded;
        UINT showCmd;
        LONG right;
    } cases[] = {
        {"2,2,-1,-1,-8,-8,10,20,610,420", TRUE, SW_SHOWMAXIMIZED, 610}, // minimised, restores maximised
        {"0,2,-1,-1,-8,-8,10,20,610,420", TRUE, SW_SHOWNORMAL, 610},    // minimised, restores normal
        {"0,3,-1,-1,-8,-8,10,20,611,420", TRUE, SW_SHOWMAXIMIZED, 611},
        {"0, 1, -1, -1, -8, -8, 10, 20, 612, 420", TRUE, SW_SHOWNORMAL, 612}, // blanks after the commas
        {"0,1,-1,-1,-8,-8,10,20,610", FALSE, 0, 0},                           // nine numbers
        {"0,1,-1,-1,-8,-8,10,20,610,x", FALSE, 0, 0},
        {"", FALSE, 0, 0},
        {nullptr, FALSE, 0, 0},
    };
    for (const auto& c : cases) {
        App().DeleteProfileTree();
        if (c.stored != nullptr)
            App().WriteProfileString("Database Frame", "Window Placement", c.stored);
        WINDOWPLACEMENT placement = {};
        placement.flags = 77;
        const std::string what = c.stored != nullptr ? c.stored : "(none)";
        ASSERT_EQ(c.loaded, LoadWindowPlacement("Database Frame", placement)) << what;
        if (!c.loaded) {
            EXPECT_EQ(77u, placement.flags) << "untouched: " << what;
            continue;
        }
        EXPECT_EQ(sizeof placement, placement.length) << what;
        EXPECT_EQ(0u, placement.flags) << what;
        EXPECT_EQ(c.showCmd, placement.showCmd) << what;
        EXPECT_EQ(c.right, placement.rcNormalPosition.right) << what;
        EXPECT_EQ(-8, placement.ptMaxPosition.y) << what;
    }
}

TEST_F(WindowUtilities, APlacementSavedIsTheTextThatLoadsBack)
{
    WINDOWPLACEMENT placement = {sizeof(WINDOWPLACEMENT), 2, SW_SHOWMAXIMIZED, {-1, -2}, {-3, -4},
                                 {5, 6, 700, 800}};
    SaveWindowPlacement("Application Options", placement);
    EXPECT_STREQ("2,3,-1,-2,-3,-4,5,6,700,800",
                 App().GetProfileString("Application Options", "Window Placement", ""));
    WINDOWPLACEMENT loaded = {};
    ASSERT_TRUE(LoadWindowPlacement("Application Options", loaded));
    EXPECT_EQ(0, std::memcmp(&placement.rcNormalPosition, &loaded.rcNormalPosition, sizeof(RECT)));

    // A window's own placement carries the maximised flag.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Placed", WS_OVERLAPPEDWINDOW, 20, 30, 300, 200,
                             nullptr, nullptr));
    const struct
    {
        int nShow;
        const char* flags;
    } shows[] = {{SW_SHOWNORMAL, "0,1,"}, {SW_SHOWMAXIMIZED, "2,3,"}};
    for (const auto& s : shows) {
        wnd.ShowWindow(s.nShow);
        ASSERT_TRUE(SaveWindowPlacementOfWindow(&wnd, "Insert Term Options"));
        const CString text = App().GetProfileString("Insert Term Options", "Window Placement", "");
        EXPECT_EQ(0, text.Find(s.flags)) << text;
    }
    wnd.DestroyWindow();
    EXPECT_FALSE(SaveWindowPlacementOfWindow(nullptr, "Insert Term Options"));
}

// An MDI main window of the application whose client area can be sized, with children added to it.
class ChildCascade : public ProfileFixture
{
protected:
    void SetUp() override
    {
        ProfileFixture::SetUp();
        m_hMenu = ::CreateMenu();
        ::AppendMenu(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "&Window");
        m_frame = new CMDIFrameWnd;
        ASSERT_TRUE(
            m_frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 560), nullptr, nullptr));
        ::SetMenu(m_frame->m_hWnd, m_hMenu);
        App().m_pMainWnd = m_frame;
    }
    void TearDown() override
    {
        App().m_pMainWnd = nullptr;
        if (::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        PumpPending();
        ProfileFixture::TearDown();
    }
    void AddChildren(int n)
    {
        for (int i = 0; i < n; ++i)
            ::CreateWindow("STATIC", "", WS_CHILD, 0, 0, 10, 10, m_frame->m_hWndMDIClient, nullptr, nullptr,
                           nullptr);
    }
    CMDIFrameWnd* m_frame = nullptr;
    HMENU m_hMenu = nullptr;
};

TEST_F(ChildCascade, NewChildrenCascadeOverTenPlacesAndKeepAMinimumSize)
{
    CRect rectClient;
    ::GetClientRect(m_frame->m_hWndMDIClient, &rectClient);
    ASSERT_GT(rectClient.Width(), 300);
    const int cyCaption = ::GetSystemMetrics(SM_CYCAPTION);
    const struct
    {
        int existing; // children already there
        int offset;   // caption heights
    } cases[] = {{0, 0}, {3, 3}, {9, 9}, {10, 0}, {13, 3}};
    int nMade = 0;
    for (const auto& c : cases) {
        AddChildren(c.existing - nMade);
        nMade = c.existing;
        ASSERT_EQ(c.existing, CountMDIChildWindows(m_frame));
        CREATESTRUCT cs = {};
        PlaceNewChildFrame(cs);
        const int offset = c.offset * cyCaption;
        EXPECT_EQ(offset + 10, cs.x) << c.existing;
        EXPECT_EQ(offset + 10, cs.y) << c.existing;
        EXPECT_EQ(rectClient.Width() - offset - 20, cs.cx) << c.existing;
        EXPECT_EQ(rectClient.Height() - offset - 20, cs.cy) << c.existing;
    }
    // A small client area still gives children of 100 x 100.
    ::MoveWindow(m_frame->m_hWndMDIClient, 0, 0, 110, 110, FALSE);
    CREATESTRUCT cs = {};
    PlaceNewChildFrame(cs);
    EXPECT_EQ(100, cs.cx);
    EXPECT_EQ(100, cs.cy);
}

TEST(ChildCascadeWithoutMainWindow, LeavesTheStructureAsItWas)
{
    CREATESTRUCT cs = {};
    cs.x = 123;
    cs.cx = 456;
    PlaceNewChildFrame(cs); // no application object, so no main window
    EXPECT_EQ(123, cs.x);
    EXPECT_EQ(456, cs.cx);
}

TEST_F(WindowUtilities, LogicalFontsFromPointsAndSettings)
{
    const int dpi = ScreenMetrics.logPixelsY;
    ASSERT_GT(dpi, 0);
    const std::string face40(40, 'F');
    const struct
    {
        const char* face;
        int points;
        BOOL bold;
        const char* cutFace;
    } cases[] = {
        {"Arial", 10, FALSE, "Arial"},
        {"Times New Roman", 12, TRUE, "Times New Roman"},
        {face40.c_str(), 9, FALSE, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"}, // 31 characters
    };
    for (const auto& c : cases) {
        LOGFONT made;
        std::memset(&made, 0x55, sizeof made);
        MakeLogFont(made, c.face, c.points, c.bold, TRUE, FALSE);
        EXPECT_EQ(-::MulDiv(c.points, dpi, 72), made.lfHeight) << c.face;
        EXPECT_EQ(c.bold ? 700 : 400, made.lfWeight) << c.face;
        EXPECT_EQ(1, made.lfItalic);
        EXPECT_EQ(0, made.lfUnderline);
        EXPECT_EQ(1, made.lfCharSet);
        EXPECT_EQ(0, made.lfWidth);
        EXPECT_STREQ(c.cutFace, made.lfFaceName);

        // Stored, then loaded: a cell height of the same points.
        App().WriteProfileString("Edit Record Options", "Font Name", c.face);
        App().WriteProfileInt("Edit Record Options", "Font Size", c.points);
        LOGFONT loaded;
        std::memset(&loaded, 0x55, sizeof loaded);
        LoadFontSetting("Edit Record Options", loaded, "MS Sans Serif", 8);
        EXPECT_EQ(::MulDiv(c.points, dpi, 72), loaded.lfHeight) << c.face;
        EXPECT_STREQ(c.cutFace, loaded.lfFaceName);
        EXPECT_EQ(0, loaded.lfWeight);
        EXPECT_EQ(1, loaded.lfCharSet);
        SaveFontSetting("Record List Options", loaded);
        EXPECT_EQ(static_cast<UINT>(c.points), App().GetProfileInt("Record List Options", "Font Size", 0));
        EXPECT_STREQ(c.cutFace, App().GetProfileString("Record List Options", "Font Name", ""));
    }
    LOGFONT defaults;
    LoadFontSetting("Nothing Stored", defaults, "MS Sans Serif", 8);
    EXPECT_STREQ("MS Sans Serif", defaults.lfFaceName);
    EXPECT_EQ(::MulDiv(8, dpi, 72), defaults.lfHeight);

    // The metrics of a made font: a 20-point font is taller than a 10-point one.
    TEXTMETRIC small, large;
    LOGFONT font;
    MakeLogFont(font, "Arial", 10, FALSE, FALSE, FALSE);
    GetLogFontMetrics(font, small);
    MakeLogFont(font, "Arial", 20, FALSE, FALSE, FALSE);
    GetLogFontMetrics(font, large);
    EXPECT_GT(small.tmHeight, 0);
    EXPECT_NEAR(2 * small.tmHeight, large.tmHeight, 2);
}

// Items of a combo box, in order.
std::vector<std::string> Items(const CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString text;
        combo.GetLBText(i, text);
        items.push_back(static_cast<const char*>(text));
    }
    return items;
}

TEST(FontLists, SizesInOrderAndFamiliesOnce)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Fonts", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 100, 200), &parent, 1));
    combo.AddString("left over");
    FillFontSizeCombo(combo);
    const std::vector<std::string> sizes = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                                            "20", "22", "24", "26", "28", "36", "48", "72"};
    EXPECT_EQ(sizes, Items(combo));
    FillFontSizeCombo(combo);
    EXPECT_EQ(sizes, Items(combo)) << "filled again, not added to";

    FillScreenFontCombo(combo);
    const std::vector<std::string> faces = Items(combo);
    EXPECT_NE(faces.end(), std::find(faces.begin(), faces.end(), "Liberation Sans"));
    for (size_t i = 0; i < faces.size(); ++i)
        EXPECT_EQ(faces.end(), std::find(faces.begin() + i + 1, faces.end(), faces[i])) << faces[i];
    parent.DestroyWindow();
}

TEST_F(WindowUtilities, TheDefaultPrinterGivesItsDCAndItsFonts)
{
    HDC hDC = GetPrinterDC();
    if (hDC == nullptr)
        GTEST_SKIP() << "no default printer";
    EXPECT_EQ(DT_RASPRINTER, ::GetDeviceCaps(hDC, TECHNOLOGY));
    ::DeleteDC(hDC);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "Fonts", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                nullptr, nullptr));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 100, 200), &parent, 1));
    combo.AddString("left over");
    FillPrinterFontCombo(combo);
    const std::vector<std::string> faces = Items(combo);
    EXPECT_EQ(faces.end(), std::find(faces.begin(), faces.end(), "left over"));
    EXPECT_NE(faces.end(), std::find(faces.begin(), faces.end(), "Liberation Serif"));
    for (size_t i = 0; i < faces.size(); ++i)
        EXPECT_EQ(faces.end(), std::find(faces.begin() + i + 1, faces.end(), faces[i])) << faces[i];
    parent.DestroyWindow();
}

int CALLBACK CollectFace(const LOGFONT* font, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    reinterpret_cast<std::vector<std::pair<std::string, BYTE>>*>(lParam)->emplace_back(font->lfFaceName,
                                                                                       font->lfCharSet);
    return 1;
}

TEST_F(WindowUtilities, CharacterSetsComeFromThePrintersFontsOnly)
{
    HDC hPrinterDC = GetPrinterDC();
    if (hPrinterDC == nullptr)
        GTEST_SKIP() << "no default printer";
    std::vector<std::pair<std::string, BYTE>> printerFaces, screenFaces;
    ::EnumFontFamilies(hPrinterDC, nullptr, CollectFace, reinterpret_cast<LPARAM>(&printerFaces));
    ::DeleteDC(hPrinterDC);
    HDC hScreenDC = ::GetDC(nullptr);
    ::EnumFontFamilies(hScreenDC, nullptr, CollectFace, reinterpret_cast<LPARAM>(&screenFaces));
    ::ReleaseDC(nullptr, hScreenDC);
    ASSERT_FALSE(printerFaces.empty());
    auto onPrinter = [&](const std::string& face) {
        return std::find_if(printerFaces.begin(), printerFaces.end(),
                            [&](const std::pair<std::string, BYTE>& f) { return f.first == face; }) !=
               printerFaces.end();
    };
    // A face enumerated in several sets keeps the first.
    for (size_t i = 0; i < printerFaces.size(); ++i) {
        const auto& face = printerFaces[i];
        if (!std::all_of(printerFaces.begin(), printerFaces.begin() + i,
                         [&](const std::pair<std::string, BYTE>& f) { return f.first != face.first; }))
            continue;
        BYTE charSet = 0xAA;
        EXPECT_TRUE(LookupFontCharset(face.first.c_str(), charSet)) << face.first;
        EXPECT_EQ(face.second, charSet) << face.first;
    }
    int nScreenOnly = 0;
    for (const auto& face : screenFaces) {
        if (onPrinter(face.first))
            continue;
        ++nScreenOnly;
        BYTE charSet = 0xAA;
        EXPECT_FALSE(LookupFontCharset(face.first.c_str(), charSet)) << face.first << " is the screen's only";
        EXPECT_EQ(0xAA, charSet);
    }
    // (The test machine's screen and printer share the pinned faces, so the loop above may find none.)
    if (nScreenOnly == 0)
        std::printf("note: no face of the screen is missing on the printer here\n");
    BYTE charSet = 0;
    EXPECT_FALSE(LookupFontCharset("No Such Face Anywhere", charSet));
    EXPECT_FALSE(LookupFontCharset("", charSet));
    EXPECT_FALSE(LookupFontCharset(nullptr, charSet));
}

TEST(Clipboard, ASessionPutsDataAndClosesWhatItOpened)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Clip", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                             nullptr));
    {
        CClipboardSession session;
        session.Open(&wnd);
        EXPECT_TRUE(session.IsOpen());
        session.Empty();
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
        std::memcpy(::GlobalLock(hText), "hello", 6);
        ::GlobalUnlock(hText);
        session.SetData(CF_TEXT, hText);
        // Left open: the session's end closes it.
    }
    ASSERT_TRUE(::OpenClipboard(nullptr)) << "closed by the session";
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(nullptr, hData);
    EXPECT_STREQ("hello", static_cast<const char*>(::GlobalLock(hData)));
    ::GlobalUnlock(hData);
    // Held by another: opening fails with the system's reason and abandons the operation.
    CMessageBoxScript script;
    CClipboardSession second;
    bool bAbandoned = false;
    try {
        second.Open(&wnd);
    } catch (CUserException* e) {
        e->Delete();
        bAbandoned = true;
    }
    ::CloseClipboard();
    EXPECT_TRUE(bAbandoned);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(1u, script.Calls().size());
    wnd.DestroyWindow();
}

TEST(ContextMenus, TheMenuKeyOpensTheMenuInsideTheClientArea)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Menu", WS_OVERLAPPEDWINDOW, 50, 60, 300, 200,
                             nullptr, nullptr));
    POINT origin = {0, 0};
    ::ClientToScreen(wnd.m_hWnd, &origin);
    const struct
    {
        int x, y;
        LONG expectX, expectY;
    } cases[] = {
        {-1, -1, origin.x + 5, origin.y + 5}, // the menu key or Shift+F10
        {200, 210, 200, 210},                 // the mouse's point, as it is
        {-1, 40, -1, 40},                     // only both -1 mean the keyboard
    };
    for (const auto& c : cases) {
        const POINT point = ContextMenuPoint(&wnd, c.x, c.y);
        EXPECT_EQ(c.expectX, point.x) << c.x << "," << c.y;
        EXPECT_EQ(c.expectY, point.y) << c.x << "," << c.y;
    }
    EXPECT_FALSE(ShowContextMenu(&wnd, -1, -1, 0x7FFF)) << "no such menu resource";
    wnd.DestroyWindow();
}

// A view holding one edit field, a tab stop.
class EditPaneView : public CView
{
    DECLARE_DYNCREATE(EditPaneView)

public:
    void OnDraw(CDC*) override {}
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (CView::OnCreate(lpcs) == -1)
            return -1;
        m_hWndEdit = ::CreateWindow("EDIT", "some text", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 5,
                                    120, 20, m_hWnd, nullptr, nullptr, nullptr);
        return 0;
    }
    HWND m_hWndEdit = nullptr;
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(EditPaneView, CView)

BEGIN_MESSAGE_MAP(EditPaneView, CView)
ON_WM_CREATE()
END_MESSAGE_MAP()

class SplitFrame : public CFrameWnd
{
public:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_splitter.CreateStatic(this, 1, 2) &&
               m_splitter.CreateView(0, 0, RUNTIME_CLASS(EditPaneView), CSize(200, 100), pContext) &&
               m_splitter.CreateView(0, 1, RUNTIME_CLASS(EditPaneView), CSize(200, 100), pContext);
    }
    CSplitterWnd m_splitter;
};

void SetShift(bool bDown)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_SHIFT] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

TEST_F(WindowUtilities, TabMovesAcrossTheViewsOfASplitterAndWraps)
{
    auto* frame = new SplitFrame;
    CCreateContext context;
    ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300), nullptr, nullptr,
                              0, &context));
    frame->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(frame->m_hWnd);
    auto* left = static_cast<EditPaneView*>(frame->m_splitter.GetPane(0, 0));
    auto* right = static_cast<EditPaneView*>(frame->m_splitter.GetPane(0, 1));
    ::SetFocus(left->m_hWndEdit);
    const struct
    {
        bool shift;
        EditPaneView* to;
    } steps[] = {{false, right}, {false, left}, {true, right}, {true, left}, {true, right}};
    MSG tab = {frame->m_hWnd, WM_KEYDOWN, VK_TAB, 0};
    int nStep = 0;
    for (const auto& s : steps) {
        SetShift(s.shift);
        const HWND hWndFrom = ::GetFocus();
        ASSERT_TRUE(ProcessTabKey(&tab, frame)) << nStep;
        EXPECT_EQ(s.to->m_hWndEdit, ::GetFocus()) << nStep;
        EXPECT_EQ(s.to, frame->GetActiveView()) << nStep;
        const LRESULT target = ::SendMessage(s.to->m_hWndEdit, EM_GETSEL, 0, 0);
        EXPECT_EQ(0, LOWORD(target)) << nStep;
        EXPECT_EQ(9, HIWORD(target)) << "all text selected " << nStep;
        const LRESULT source = ::SendMessage(hWndFrom, EM_GETSEL, 0, 0);
        EXPECT_EQ(0, HIWORD(source)) << "the left field's selection collapsed " << nStep;
        ++nStep;
    }
    SetShift(false);
    // Other keys, and Tab with Ctrl, are not handled.
    MSG other = {frame->m_hWnd, WM_KEYDOWN, 'A', 0};
    EXPECT_FALSE(ProcessTabKey(&other, frame));
    MSG up = {frame->m_hWnd, WM_KEYUP, VK_TAB, 0};
    EXPECT_FALSE(ProcessTabKey(&up, frame));
    frame->DestroyWindow();
    PumpPending();
}

} // namespace
