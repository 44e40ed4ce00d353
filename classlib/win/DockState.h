// CControlBarInfo and CDockState: the saved layout of a frame's bars (CFrameWnd::GetDockState and
// SetDockState), in the profile (SaveState / LoadState) or in an archive (Serialize).
//
// One record per bar of the frame's bar list. A plain bar's record holds its id, visibility, orientation,
// position in its dock bar's client coordinates, floating width and, when it can dock (m_bDocking), the
// dock context's most recently used places. A dock bar's record (m_bDockBar, ids AFX_IDW_DOCKBAR_TOP to
// AFX_IDW_DOCKBAR_FLOAT) holds its entries in m_arrBarID: a bar id, 0 for the end of a row, or
// placeHolderFlag | id for a placeholder; a floating dock bar's record stands for its floating frame,
// whose window position (screen) is m_pointPos.
//
// Profile form (names fixed for good: they live in users' profiles). Section "<name>-Summary": "Bars"
// (sections written), "ScreenCX", "ScreenCY" (screen size when saved). Sections "<name>-Bar0" to
// "<name>-Bar<Bars-1>", numbered without gaps, one per record written:
//   "BarID", "Visible", "Horz", "Floating", "XPos", "YPos", "MRUWidth" (integers);
//   "Docking" 1 when these follow: "MRUDockID", "MRUDockLeftPos", "MRUDockTopPos", "MRUDockRightPos",
//   "MRUDockBottomPos", "MRUFloatStyle", "MRUFloatXPos", "MRUFloatYPos";
//   a dock bar's record: "Bars" (entry count) and "Bar#0" to "Bar#<Bars-1>" (the entries).
// A record is skipped (SaveState answers FALSE and writes nothing) when its bar id is 0, or when it is a
// dock bar's record without any bar or placeholder entry. A save deletes the "-Bar<n>" sections of an
// earlier, longer save.
//
// Loading drops a record (LoadState answers FALSE) whose section is missing or whose "BarID" is 0, a dock
// bar's record whose id is not a dock bar id, and a dock bar's record whose "Bars" count runs past its
// "Bar#<n>" values; SetDockState drops what names bars the frame no longer has (see CFrameWnd).
//
// Archive form (Serialize, little-endian): u32 version (2; 1 is read too); when version > 1, i32 screen cx
// and cy; u16 record count; then per record: u32 bar id, u32 visible, u32 floating, u32 horz, i32 x, i32 y;
// when version > 1: u32 MRU width, u32 docking and, when docking, u32 MRU dock id, i32 left, top, right,
// bottom of the MRU dock rectangle, u32 MRU float style, i32 MRU float x and y; then u16 entry count and
// that many u32 entries. A loaded state has version 2. A damaged archive throws CArchiveException and leaves
// the state empty.
//
// Positions saved on a screen of another size are scaled to the current one when loaded (m_bScaling);
// floating frames are kept on the screen.
#pragma once

#include "classlib/Archive.h"
#include "classlib/Array.h"
#include "classlib/Object.h"
#include "classlib/Rect.h"

class CControlBar;
class CDockState;

class CControlBarInfo
{
public:
    enum : DWORD
    {
        placeHolderFlag = 0x10000
    };

    CControlBarInfo();
    virtual ~CControlBarInfo() = default;

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    BOOL m_bHorz;
    BOOL m_bDockBar;
    CPoint m_pointPos;
    UINT m_nMRUWidth;
    BOOL m_bDocking;
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    CDWordArray m_arrBarID;
    CControlBar* m_pBar; // the bar the record is applied to; not saved

    // Whether nID names a dock bar (a side's or a floating frame's).
    static BOOL IsDockBarID(UINT nID);
    // Writes section nIndex; FALSE when the record is skipped.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // Reads section nIndex; FALSE when the record is dropped.
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    void Serialize(CArchive& ar, CDockState* pDockState);

private:
    void FitToScreen(CDockState& dockState);
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)

public:
    CDockState();
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    CPtrArray m_arrBarInfo; // CControlBarInfo*, owned
    DWORD m_dwVersion;
    BOOL m_bScaling;
    CRect m_rectDevice; // the current screen
    CRect m_rectClip;   // where a floating frame's top-left may be
    CSize m_sizeDevice; // the screen the positions were saved on

    void SaveState(LPCTSTR lpszProfileName);
    // Replaces the records; a profile without a summary leaves none.
    void LoadState(LPCTSTR lpszProfileName);
    void Clear();
    void Serialize(CArchive& ar) override;

    int GetCount() const { return static_cast<int>(m_arrBarInfo.GetSize()); }
    CControlBarInfo* GetInfo(int i) const { return static_cast<CControlBarInfo*>(m_arrBarInfo[i]); }

    CSize GetScreenSize();
    // The size the positions were saved on: scaling starts when it differs from the screen's.
    void SetScreenSize(const CSize& size);
    void ScalePoint(CPoint& pt) const;
    void ScaleRectPos(CRect& rect) const;
    // Keeps a screen point where a frame's caption stays reachable.
    void ClipPoint(CPoint& pt) const;
};
