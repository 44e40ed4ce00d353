// LTControlBarManager and LTToolBarManager: the custom toolbars of one frame window.
//
// The manager owns the bitmap strip and command list its bars share, the shared drawing context, the
// default toolbar definitions (the bars of a first start), the button map (which commands get which button
// kind, style and data), the look (tooltips, fly-by prompts, flat look, large buttons, kept in the profile
// section "<base>-ToolBarManager": "ToolTips", "CoolLook", "LargeButtons") and the customise-mode state.
// It is a command target, not a window: the frame creates it before its bars and deletes it after them
// (bars still pointing at a deleted manager are not told).
// "Every custom toolbar" below means every LTCustomToolBar in the frame's bar list.
//
// Definitions keep the caller's title and id array (not copied): both must outlive the manager. Listener
// windows receive WM_BARNOTIFY (wParam the bar's id, lParam the LTBN_* code) when bars are created, shown,
// hidden or destroyed.
#pragma once

#include "classlib/CmdTarget.h"
#include "classlib/win/FrameWnd.h"
#include "classlib/win/GdiObject.h"
#include "toolkit/win/LTCustomToolBar.h"

#include <memory>
#include <vector>

class LTControlBarManager : public CCmdTarget
{
    DECLARE_DYNAMIC(LTControlBarManager)

public:
    explicit LTControlBarManager(CFrameWnd* pFrame) : m_pFrame(pFrame) {}

    virtual void LoadSettings(LPCTSTR) {}
    virtual void SaveSettings(LPCTSTR) {}
    // The type a saved layout records for the bar; 0 for bars of no manager's kind.
    virtual UINT GetBarTypeID(CControlBar*) { return 0; }
    CFrameWnd* GetFrame() const { return m_pFrame; }

    CFrameWnd* m_pFrame;
};

struct DefaultToolBarDef
{
    UINT nID;
    LPCTSTR lpszTitle;
    UINT nCount;
    const UINT* pIDs; // 0: separator
    DWORD dwDockStyle;
    UINT nDockBarID;
    UINT nNeighbourID; // 0: none; a bar defined earlier
    BOOL bDocked;
    BOOL bVisible;
};

// A table ends with an entry whose class is NULL.
struct ToolBarButtonMapEntry
{
    const ToolBarButtonClass* pClass;
    UINT nID;
    DWORD dwStyle;
    BYTE data[20];
};

class LTToolBarManager : public LTControlBarManager
{
    DECLARE_DYNAMIC(LTToolBarManager)

public:
    // Throws the class library's resource exception when the drawing context cannot be made.
    explicit LTToolBarManager(CFrameWnd* pFrame);
    ~LTToolBarManager() override;

    // The small (and large) toolbar resource; on failure nothing changes.
    BOOL LoadButtonBitmap(LPCTSTR lpszSmall, LPCTSTR lpszLarge = nullptr);
    // Takes a strip made elsewhere (tests, callers with their own images).
    void SetButtonBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands, int nImageWidth,
                         int nImageHeight);
    void AddDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nCount, const UINT* pIDs, DWORD dwDockStyle,
                           UINT nDockBarID, UINT nNeighbourID, BOOL bDocked, BOOL bVisible);
    void SetButtonMap(const ToolBarButtonMapEntry* pMap) { m_pButtonMap = pMap; }
    const ToolBarButtonMapEntry* GetButtonMap() const { return m_pButtonMap; }
    void SetToolTips(BOOL bOn);
    void SetCoolLook(BOOL bOn, DWORD dwBits);
    void SetLargeButtons(BOOL bOn);
    BOOL GetFlyBy() const { return m_bFlyBy; }
    BOOL GetCoolLook() const { return m_bFlatLook; }
    void LoadSettings(LPCTSTR lpszBase) override;
    void SaveSettings(LPCTSTR lpszBase) override;
    virtual BOOL CreateDefaultToolBars();
    // NULL when every user id (59424 to 59647) is taken.
    LTCustomToolBar* CreateUserToolBar(LPCTSTR lpszTitle = nullptr);
    BOOL GetDefaultButtons(UINT nID, UINT* pnCount, const UINT** ppIDs) const;
    void ApplyBitmapTo(LTCustomToolBar* pBar);
    BOOL ReloadBitmap();
    void ReloadSharedBitmap();
    void BroadcastButtonMessage(UINT nID, UINT nCode, const void* pData);
    LTCustomToolBar* FindBarAt(const CRect& rectScreen) const;
    void Broadcast(UINT nBarID, UINT nCode);
    void AddListener(CWnd* pWnd);
    void RemoveListener(CWnd* pWnd);
    void SetCustomizeWindow(CWnd* pWnd) { m_pCustomizeWnd = pWnd; }
    void GetCustomizeWindowRect(LPRECT lpRect) const;
    void SetCustomizeMode(BOOL bOn);
    BOOL IsCustomizing() const { return m_bCustomizing; }
    UINT GetBarTypeID(CControlBar* pBar) override;

    std::vector<LTCustomToolBar*> GetToolBars() const;
    // A bar of the toolbar class with this manager, its window, the shared bitmap, docking (no side yet)
    // and automatic deletion; NULL on failure.
    LTCustomToolBar* CreateBar(UINT nID, LPCTSTR lpszTitle);
    // Docks on the side nDockBarID, through the toolkit's dock bar when the side is one.
    void DockOn(LTCustomToolBar* pBar, UINT nDockBarID, LPCRECT lpRect);

    // The large resource when large buttons are on and there is one, else the small one.
    BOOL LoadChosenBitmap(CBitmap& bitmap, std::vector<UINT>& commands, int& cx, int& cy) const;

    std::vector<HWND> m_disabledWindows;
    std::vector<std::unique_ptr<DefaultToolBarDef>> m_defaults;
    std::vector<CWnd*> m_listeners;
    CWnd* m_pCustomizeWnd;
    BOOL m_bCustomizing;
    BOOL m_bCustomizeMode;
    BOOL m_bToolTips;
    BOOL m_bFlyBy;
    BOOL m_bFlatLook;
    BOOL m_bLargeButtons;
    const ToolBarButtonMapEntry* m_pButtonMap;
    LTCustomToolBar* m_pSelectedBar;
    CBitmap m_bitmap;
    UINT m_nBitmapCommands;
    LPCTSTR m_lpszSmallBitmap;
    LPCTSTR m_lpszLargeBitmap;
    std::vector<UINT> m_commands;
    int m_nImageHeight;
    int m_nImageWidth;
    std::unique_ptr<ToolBarDrawContext> m_pDrawContext;
    CRuntimeClass* m_pToolBarClass;
};
