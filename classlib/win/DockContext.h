// CDockContext: the drag and resize loops of one dockable bar, and its most recently used places.
//
// A bar gets its context from CControlBar::EnableDocking and owns it. StartDrag (a left press on the bar)
// and StartResize (a press on a floating frame's sizing border) run a loop of their own (Track) with the
// mouse captured by the bar: mouse moves move the feedback rectangle drawn on the screen, the left button's
// release ends it (EndDrag docks the bar on the side under the cursor or floats it; EndResize gives the
// floating bar its new size), Escape or the right button cancels it and leaves everything as it was.
// Ctrl held down never docks; Shift flips the orientation of the feedback. A WM_QUIT met in the loop is
// posted again and ends it. While a loop runs, the desktop's updates are locked and m_pDC draws on it.
//
// The MRU members remember where the bar was docked last (dock bar id and rectangle in that dock bar's
// client coordinates) and where and how it floated last (frame position in screen coordinates, floating
// style); ToggleDocking (a double click) swaps between the two.
#pragma once

#include "classlib/Rect.h"
#include "classlib/Types.h"

class CControlBar;
class CDC;
class CDockBar;
class CFrameWnd;

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    virtual void StartDrag(CPoint pt);
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void ToggleDocking();

    void Move(CPoint pt);
    void EndDrag();
    void Stretch(CPoint pt);
    void EndResize();
    // The loop; TRUE when it ended by releasing the left button.
    BOOL Track();
    void InitLoop();
    void CancelLoop();
    void OnKey(int nChar, BOOL bDown);
    // The side (CBRS_ALIGN_*) the bar would dock on now, or 0.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // Redraws the feedback after a key changed what it shows.
    void UpdateState(BOOL* pFlag, BOOL bNewValue);

    // Feedback state.
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast;
    // Screen rectangles of the bar docked horizontally and vertically, and of its floating frame in
    // either orientation. While resizing they hold the requested size, the actual size, the actual
    // frame rectangle and the frame's borders.
    CRect m_rectDragHorz;
    CRect m_rectDragVert;
    CRect m_rectFrameDragHorz;
    CRect m_rectFrameDragVert;
    CRect& m_rectRequestedSize;
    CRect& m_rectActualSize;
    CRect& m_rectActualFrameSize;
    CRect& m_rectFrameBorders;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;     // the bar's allowed sides
    DWORD m_dwOverDockStyle; // the side under the cursor
    DWORD m_dwStyle;         // the bar's style when the loop began
    BOOL m_bFlip;            // Shift
    BOOL m_bForceFrame;      // Ctrl
    CDC* m_pDC;
    BOOL m_bDragging;
    int m_nHitTest;

    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;

protected:
    // Moves rect so that pt lies inside it.
    static void AdjustRectangle(CRect& rect, CPoint pt);
    // The floating frame's window rectangle around a client rectangle.
    static void CalcFrameBorders(CRect& rect);
};
