#include "classlib/win/Menu.h"

#include "classlib/win/ThreadState.h"
#include "classlib/win/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

HMENU CMenu::GetSafeHmenu() const
{
    const CMenu* self = AfxLaunderThis(this);
    return self == nullptr ? nullptr : self->m_hMenu;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return AfxGetThreadState()->MenuMap().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return AfxGetThreadState()->MenuMap().LookupPermanent(hMenu);
}

void CMenu::DeleteTempMap()
{
    AfxGetThreadState()->MenuMap().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    ASSERT(m_hMenu == nullptr);
    if (!AfxGetThreadState()->MenuMap().AttachPermanent(hMenu, this))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    AfxGetThreadState()->MenuMap().DetachPermanent(hMenu, this);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    char text[256] = {};
    const int n = ::GetMenuString(m_hMenu, nIDItem, text, sizeof text, nFlags);
    rString = text;
    return n;
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
