// A frame with dock bars on its four sides, a pane, and small bars of a fixed size, for the docking tests.
#pragma once

#include "WndTestSupport.h"

#include "classlib/win/DockBar.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/MiniDockFrameWnd.h"

#include <vector>

// A bar of a fixed size: m_size lying along a top or bottom side, turned on the left and right.
class TestBar : public CControlBar
{
public:
    CSize m_size{100, 26};
    int m_nUpdates = 0;

    BOOL Create(CFrameWnd* pParent, UINT nID, LPCTSTR lpszTitle,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP)
    {
        m_dwStyle = dwStyle & CBRS_ALL;
        return CWnd::Create(nullptr, lpszTitle, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParent, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++m_nUpdates; }
};

enum : UINT
{
    ID_BAR_ONE = AFX_IDW_CONTROLBAR_FIRST + 0x20,
    ID_BAR_TWO,
    ID_BAR_THREE,
};

// The frame lives on the heap (it deletes itself with its window) and so do its bars.
class DockingFixture
{
public:
    RecordingApp* m_pApp = nullptr;
    CFrameWnd* frame = nullptr;
    CWnd* pane = nullptr;
    TestBar* bars[3] = {};

    // A frame whose client area is cx by cy at (x, y) on the screen, shown without activation.
    void MakeFrame(RecordingApp& app, CFrameWnd* pFrame = nullptr, int cx = 480, int cy = 280, int x = 40,
                   int y = 40)
    {
        m_pApp = &app;
        frame = pFrame != nullptr ? pFrame : new CFrameWnd;
        CRect rect(x, y, x + cx, y + cy);
        ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
        frame->Create(nullptr, "Docking", WS_OVERLAPPEDWINDOW, rect);
        pane = new CWnd;
        pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
        frame->EnableDocking(CBRS_ALIGN_ANY);
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNA);
    }
    // Bar i ("Bar One"...) docked at the top; nMissing is left out.
    void MakeBars(int nMissing = -1)
    {
        static const char* const titles[3] = {"Bar One", "Bar Two", "Bar Three"};
        for (int i = 0; i < 3; ++i) {
            bars[i] = nullptr;
            if (i == nMissing)
                continue;
            bars[i] = new TestBar;
            bars[i]->m_bAutoDelete = TRUE;
            bars[i]->Create(frame, ID_BAR_ONE + i, titles[i]);
            bars[i]->EnableDocking(CBRS_ALIGN_ANY);
        }
    }
    // The three bars in one row at the top, each dropped just right of the one before.
    void DockInOneRow()
    {
        frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
        for (int i = 1; i < 3; ++i) {
            CRect rect;
            bars[i - 1]->GetWindowRect(&rect);
            rect.OffsetRect(1, 0);
            frame->DockControlBar(bars[i], AFX_IDW_DOCKBAR_TOP, &rect);
            frame->RecalcLayout();
        }
    }
    void Destroy()
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        frame = nullptr;
        if (m_pApp != nullptr)
            m_pApp->m_pMainWnd = nullptr;
        delete pane;
        pane = nullptr;
    }

    CDockBar* Side(UINT nID) const { return static_cast<CDockBar*>(frame->GetControlBar(nID)); }
    // A window's rectangle in its parent's client coordinates.
    static CRect RectInParent(const CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        ::MapWindowPoints(nullptr, ::GetParent(pWnd->m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    }
    // The dock bar's entries: bars by index in bars[] (0..2), placeholders as 100 + index, row ends -1.
    std::vector<int> Entries(const CDockBar* pDockBar) const
    {
        std::vector<int> entries;
        for (int i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
            void* pEntry = pDockBar->m_arrBars[i];
            int nEntry = -2;
            if (pEntry == nullptr)
                nEntry = -1;
            for (int j = 0; j < 3; ++j) {
                if (bars[j] != nullptr && pEntry == bars[j])
                    nEntry = j;
                if (pEntry == reinterpret_cast<void*>(static_cast<UINT_PTR>(ID_BAR_ONE + j)))
                    nEntry = 100 + j;
            }
            entries.push_back(nEntry);
        }
        return entries;
    }
};
