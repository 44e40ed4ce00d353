// ToolBarButton: a button of a customisable toolbar (LTCustomToolBar), a light object rather than a window.
//
// Each button knows its command, its image in the bar's bitmap strip, its style word (LTBS_*) and its
// rectangle in the bar's client area, and draws itself through a ToolBarDrawContext: it is composed at
// (0, 0) in the context's button bitmap (face, then the disabled, checked or indeterminate look) and copied
// to the bar. A context is shared by every bar of a manager, or owned by a bar without one.
//
// Press protocol, driven by the bar: OnPress (refused when disabled), OnDrag (pressed while the point is
// inside, edges inclusive), OnRelease (the command id when released inside, else 0; a check button that is
// enabled toggles its state on every bar through its bar's SendButtonMessage first) or Release.
//
// Button kinds are chosen through class records (ToolBarButtonClass): a creation function each.
#pragma once

#include "classlib/Rect.h"
#include "classlib/win/DC.h"
#include "classlib/win/GdiObject.h"

#include <commctrl.h>

#include <vector>

class LTCustomToolBar;
class ToolBarButton;

// Button style word: the low half is the kind, the high half the state.
#define LTBS_SEPARATOR 0x00000001
#define LTBS_CHECKBOX 0x00000002
#define LTBS_CHECKED 0x00010000
#define LTBS_PRESSED 0x00020000
#define LTBS_DISABLED 0x00040000
#define LTBS_INDETERMINATE 0x00100000
#define LTBS_WRAPPED 0x00200000
#define LTBS_SELECTED 0x01000000
#define LTBS_HOT 0x02000000

// Button message codes (LTCustomToolBar::SendButtonMessage).
#define LTBM_SETSTYLE 1 // data: LTButtonStyleChange
#define LTBM_WNDMESSAGE 0x0101

struct LTButtonStyleChange
{
    DWORD dwSet;
    DWORD dwClear;
};

struct ToolBarButtonClass
{
    ToolBarButton* (*pfnCreate)();
    // A new button of the kind, or NULL when making it raised a class-library exception.
    ToolBarButton* CreateButton() const;
};

// The memory contexts a button is composed in, and the dither brush of checked faces.
class ToolBarDrawContext
{
public:
    // Throws the class library's resource exception when a context or the brush cannot be made.
    ToolBarDrawContext();
    ~ToolBarDrawContext();
    ToolBarDrawContext(const ToolBarDrawContext&) = delete;
    ToolBarDrawContext& operator=(const ToolBarDrawContext&) = delete;

    // Bitmaps of nWidest x (image height + 7) in the button and mask contexts, the strip in the image
    // context; FALSE (and nothing left selected) on failure.
    BOOL Prepare(CDC* pDC, HBITMAP hStrip, int nWidest, LTCustomToolBar* pBar);
    void Release();
    // The 8 x 8 face and highlight pattern, again from the system colours.
    void RebuildDitherBrush();

    CDC m_dcMask;
    CDC m_dcImage;
    CDC m_dcButton;
    CBrush m_brDither;
    HBITMAP m_hbmButton;
    HGDIOBJ m_hOldButton;
    HBITMAP m_hbmMask;
    HGDIOBJ m_hOldMask;
    HGDIOBJ m_hOldImage;
};

class ToolBarButton
{
public:
    ToolBarButton();
    virtual ~ToolBarButton() = default;

    virtual void SetOrientation(DWORD dwVertBits);
    virtual void SetPosition(int x, int y);
    virtual void Invalidate(BOOL bErase);
    // pData: the button map entry's data block, or NULL.
    virtual void Init(LTCustomToolBar* pBar, const BYTE* pData);
    virtual void Draw(CDC* pDC, ToolBarDrawContext* pContext);
    virtual BOOL OnPress(int x, int y);
    virtual void OnDrag(int x, int y);
    virtual void Release();
    virtual UINT OnRelease(int x, int y);
    virtual void OnBarStyleChange(DWORD dwNewStyle);
    virtual INT_PTR OnToolHitTest(int x, int y, TOOLINFO* pTI);
    virtual void OnButtonMessage(UINT nCode, const void* pData);
    virtual void RecalcSize();
    virtual void SaveData(std::vector<BYTE>& data) const;
    virtual void LoadData(const BYTE* pData, UINT nLength);
    // Composes the face at the rectangle (x, y, cx, cy) of the button context and leaves it the content
    // rectangle inside the frame. nImageWidth -1: the bar's.
    virtual void DrawFace(ToolBarDrawContext* pContext, BOOL bCustomize, int& x, int& y, int& cx, int& cy,
                          int nImageWidth = -1);
    virtual void DrawDisabled(ToolBarDrawContext* pContext, int x, int y, int cx, int cy);
    virtual void DrawChecked(ToolBarDrawContext* pContext, int x, int y, int cx, int cy);
    virtual void DrawIndeterminate(ToolBarDrawContext* pContext, int x, int y, int cx, int cy);
    virtual void DrawSelected(ToolBarDrawContext* pContext, int x, int y, int cx, int cy);
    virtual const ToolBarButtonClass* GetButtonClass() const;

    BOOL IsSeparator() const { return (m_dwStyle & LTBS_SEPARATOR) != 0; }
    CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    // Inside the rectangle, edges included.
    BOOL Contains(int x, int y) const { return x >= m_x && x <= m_x + m_cx && y >= m_y && y <= m_y + m_cy; }

    UINT m_nID;
    UINT m_nImage;
    DWORD m_dwStyle;
    int m_x, m_y;
    int m_cx, m_cy;
    LTCustomToolBar* m_pBar;

    static const ToolBarButtonClass classToolBarButton;

protected:
    // Face and highlight pixels of the content rectangle white in the mask, the rest black.
    void MakeMask(ToolBarDrawContext* pContext, int x, int y, int cx, int cy);
};
