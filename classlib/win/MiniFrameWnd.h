// CMiniFrameWnd: a small-captioned frame (a tool window), owned by another window, used for floating
// palettes and bars.
//
// MFS_THICKFRAME makes it resizable; MFS_SYNCACTIVE keeps its caption active while its owner's
// top-level window is the active one; MFS_BLOCKSYSMENU keeps the system menu (and its close box) from
// opening.
#pragma once

#include "classlib/win/FrameWnd.h"

#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)

public:
    CMiniFrameWnd() = default;

    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);

protected:
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
