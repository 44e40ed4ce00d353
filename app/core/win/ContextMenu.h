// Context menus from menu resources.
#pragma once

#include <windows.h>

class CWnd;

// Tracks the first submenu of menu resource nMenuID at (x, y) (screen), or, for (-1, -1) (the menu key or
// Shift+F10), 5 pixels right of and below the window's client origin; its commands go to the window's
// first ancestor that is no child (the window itself when it is none). The tracking's answer.
BOOL ShowContextMenu(CWnd* pWnd, int x, int y, UINT nMenuID);
// Where the menu of ShowContextMenu opens (screen coordinates).
POINT ContextMenuPoint(CWnd* pWnd, int x, int y);
