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
    const CMenu* self = this;
    asm("" : "+r"(self)); // callers pass NULL objects on purpose
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
    if (hMenu == nullptr)
        return FALSE;
    ASSERT(m_hMenu == nullptr);
    m_hMenu = hMenu;
    AfxGetThreadState()->MenuMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr && AfxGetThreadState()->MenuMap().LookupPermanent(hMenu) == this)
        AfxGetThreadState()->MenuMap().RemoveHandle(hMenu);
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

void CMenu::DrawItem(LPDRAWITEMSTRUCT)
{
}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT)
{
}
