// Printing through a view to the test machine's PDF printer ("LorvanePDF", the default queue).
#include "FrameTestSupport.h"

#include "classlib/ClassLibIds.h"
#include "classlib/win/DC.h"
#include "classlib/win/PrintDialog.h"
#include "classlib/win/PrintInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// A view of nPages pages (0: the last page is not known), each saying its number; it records the
// printing calls it gets. m_nVanishAt makes the printer's DC vanish: before the job starts (0) or while
// page m_nVanishAt is printed.
class PagesView : public CView
{
public:
    PagesView(UINT nPages, const std::string& title) : m_nPages(nPages), m_title(title) {}
    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        if (m_nPages != 0)
            pInfo->SetMaxPage(m_nPages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo*) override
    {
        m_trace += "begin;";
        if (m_nVanishAt == 0)
            ::DeleteDC(pDC->m_hDC);
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (pInfo != nullptr)
            m_trace += "prepare" + std::to_string(pInfo->m_nCurPage) + ";";
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_trace += "print" + std::to_string(pInfo->m_nCurPage) + ";";
        if (pInfo->m_nCurPage == m_nVanishAt)
            ::DeleteDC(pDC->m_hDC);
        const std::string text = m_title + " page " + std::to_string(pInfo->m_nCurPage);
        pDC->TextOut(pInfo->m_rectDraw.left + 300, pInfo->m_rectDraw.top + 300, text.c_str(),
                     static_cast<int>(text.size()));
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { m_trace += "end;"; }

    UINT m_nPages;
    std::string m_title;
    UINT m_nVanishAt = 0xFFFF;
    std::string m_trace;
};

class Printing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CPrintDialog probe(FALSE);
        if (!probe.GetDefaults())
            GTEST_SKIP() << "no default printer";
        m_frame = new CFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, "Printing", WS_OVERLAPPEDWINDOW));
    }
    void TearDown() override
    {
        if (m_frame != nullptr && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        PumpPending();
    }
    // A view of the frame; the frame's window owns (and deletes) it.
    PagesView* MakeView(UINT nPages, const std::string& title)
    {
        auto* pView = new PagesView(nPages, title);
        EXPECT_TRUE(pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), m_frame,
                                  AFX_IDW_PANE_FIRST));
        return pView;
    }

    FrameApp m_app;
    CFrameWnd* m_frame = nullptr;
};

// The title the print-to-PDF check looks for in the printed file.
std::string PrintTitle(const char* fallback)
{
    const char* psz = std::getenv("LORVANE_PRINT_TITLE");
    return psz != nullptr ? psz : fallback;
}

TEST_F(Printing, PagesArePreparedAndPrintedInOrderBetweenBeginAndEnd)
{
    const struct
    {
        UINT nPages;
        const char* titleSuffix;
        const char* trace;
    } cases[] = {
        {3, "three", "begin;prepare1;print1;prepare2;print2;prepare3;print3;end;"},
        // Without a last page the job ends after page 1.
        {0, "single", "begin;prepare1;print1;prepare2;end;"},
    };
    for (const auto& c : cases) {
        CMessageBoxScript script;
        const std::string title = PrintTitle("LorvanePrintingTest") + c.titleSuffix;
        m_frame->SetTitle(title.c_str()); // the job's name: a view without a document prints under it
        PagesView* pView = MakeView(c.nPages, title);
        pView->OnFilePrintDirect();
        EXPECT_EQ(c.trace, pView->m_trace) << c.nPages << " pages";
        EXPECT_TRUE(script.Calls().empty()) << "no message for a job that printed";
        pView->DestroyWindow();
    }
}

TEST_F(Printing, AJobThePrinterCannotStartOrFinishGivesOneMessageAndStillEnds)
{
    const struct
    {
        UINT nVanishAt;
        const char* trace;
    } cases[] = {
        {0, "begin;end;"},                                  // StartDoc fails
        {2, "begin;prepare1;print1;prepare2;print2;end;"}, // the printer goes during page 2
    };
    for (const auto& c : cases) {
        CMessageBoxScript script;
        PagesView* pView = MakeView(3, "LorvaneBrokenJob");
        pView->m_nVanishAt = c.nVanishAt;
        pView->OnFilePrintDirect();
        EXPECT_EQ(c.trace, pView->m_trace);
        ASSERT_EQ(1u, script.Calls().size()) << c.nVanishAt;
        EXPECT_EQ(static_cast<UINT>(AFX_IDP_FAILED_TO_START_PRINT), script.Calls()[0].promptId);
        EXPECT_TRUE(::IsWindowEnabled(m_frame->m_hWnd)) << "the frame is usable again";
        pView->DestroyWindow();
    }
}

TEST_F(Printing, TheApplicationsPrinterIsTheDefaultQueue)
{
    PRINTDLG pd = {};
    ASSERT_TRUE(m_app.GetPrinterDeviceDefaults(&pd));
    ASSERT_NE(nullptr, pd.hDevNames);
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(pd.hDevNames));
    const char* pBase = reinterpret_cast<const char*>(pNames);
    EXPECT_STREQ("LorvanePDF", pBase + pNames->wDeviceOffset);
    EXPECT_STRNE("", pBase + pNames->wDriverOffset);
    EXPECT_STRNE("", pBase + pNames->wOutputOffset);
    ::GlobalUnlock(pd.hDevNames);
    EXPECT_EQ(m_app.m_hDevNames, pd.hDevNames) << "lent, not copied";
}

TEST_F(Printing, WithoutADefaultQueueThereIsNoPrinterAndNothingIsShown)
{
    // The default queue is the user's "Device" setting; it is put back at once.
    const char kWindows[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_CURRENT_USER, kWindows, 0, KEY_READ | KEY_WRITE, &hKey));
    char device[512] = {};
    DWORD cb = sizeof(device);
    ASSERT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(hKey, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(device), &cb));
    ::RegDeleteValueA(hKey, "Device");
    CMessageBoxScript script;
    PRINTDLG pd = {};
    const BOOL bFound = m_app.GetPrinterDeviceDefaults(&pd);
    ::RegSetValueExA(hKey, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device), cb);
    ::RegCloseKey(hKey);
    EXPECT_FALSE(bFound);
    EXPECT_EQ(nullptr, pd.hDevNames);
    EXPECT_TRUE(script.Calls().empty());
    // With the queue back, the printer is found again.
    m_app.UpdatePrinterSelection(TRUE);
    EXPECT_TRUE(m_app.GetPrinterDeviceDefaults(&pd));
}

} // namespace
