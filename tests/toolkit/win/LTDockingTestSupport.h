// A frame whose four sides hold toolkit dock bars, and toolkit bars of given sizes docked on them.
#pragma once

#include "classlib/win/DockingTestSupport.h"
#include "toolkit/win/LTControlBar.h"
#include "toolkit/win/LTDockBar.h"

#include <gtest/gtest.h>

#include <vector>

class LTDockingFixture : public DockingFixture
{
public:
    std::vector<LTControlBar*> ltBars;

    // A frame with a client area of cx by cy and an LTDockBar on each side (in place of the class
    // library's, which the frame makes only when asked).
    void MakeToolkitFrame(RecordingApp& app, int cx = 480, int cy = 280, CFrameWnd* pFrame = nullptr)
    {
        m_pApp = &app;
        frame = pFrame != nullptr ? pFrame : new CFrameWnd;
        CRect rect(40, 40, 40 + cx, 40 + cy);
        ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
        frame->Create(nullptr, "Toolkit docking", WS_OVERLAPPEDWINDOW, rect);
        pane = new CWnd;
        pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_PANE_FIRST);
        for (const auto& entry : CFrameWnd::dwDockBarMap) {
            auto* pDockBar = new LTDockBar;
            pDockBar->Create(frame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry[1],
                             entry[0]);
        }
        app.m_pMainWnd = frame;
        frame->ShowWindow(SW_SHOWNA);
    }

    LTDockBar* LTSide(UINT nID) const { return static_cast<LTDockBar*>(frame->GetControlBar(nID)); }

    // A toolkit bar (deleted with its window) of the given sizes along a top side and a left side.
    LTControlBar* MakeBar(UINT nID, DWORD dwExStyle, CSize sizeHorz, CSize sizeVert = CSize(40, 120),
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP)
    {
        auto* pBar = new LTControlBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->Create(frame, "Bar", dwStyle, dwExStyle, nID));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->m_szHorz = sizeHorz;
        pBar->m_szVert = sizeVert;
        ltBars.push_back(pBar);
        return pBar;
    }

    // Docks the bars in one row of the side, each dropped just after the one before.
    void DockRow(UINT nSide, const std::vector<LTControlBar*>& row)
    {
        LTDockBar* pSide = LTSide(nSide);
        pSide->DockControlBar(row[0]);
        frame->RecalcLayout();
        const BOOL bHorz = pSide->IsHorzDock();
        for (size_t i = 1; i < row.size(); ++i) {
            CRect rect;
            row[i - 1]->GetWindowRect(&rect);
            rect.OffsetRect(bHorz ? rect.Width() - 4 : 0, bHorz ? 0 : rect.Height() - 4);
            pSide->DockControlBar(row[i], &rect);
            frame->RecalcLayout();
        }
    }

    // The entries of a dock bar: bars by index in ltBars, placeholders as 100 + index, row ends -1.
    std::vector<int> LTEntries(const CDockBar* pDockBar) const
    {
        std::vector<int> entries;
        for (int i = 1; i < pDockBar->m_arrBars.GetSize(); ++i) {
            void* pEntry = pDockBar->m_arrBars[i];
            int nEntry = pEntry == nullptr ? -1 : -2;
            for (size_t j = 0; j < ltBars.size(); ++j) {
                if (pEntry == ltBars[j])
                    nEntry = static_cast<int>(j);
                else if (CDockBar::IsPlaceHolder(pEntry) &&
                         reinterpret_cast<UINT_PTR>(pEntry) == static_cast<UINT_PTR>(ID_BAR_ONE + j))
                    nEntry = 100 + static_cast<int>(j);
            }
            entries.push_back(nEntry);
        }
        return entries;
    }
};
