// Tab-key navigation across all the views of a frame (the dialog manager stops at a view's edge).
#pragma once

#include <windows.h>

class CWnd;

// Handles a key-down of Tab without Ctrl or Alt: the focus goes to the next tab stop among the
// container's visible, enabled descendants whose parent is enabled (Shift: the previous one), wrapping at
// both ends, or to the first when the focus is none of them. The view holding the new focus becomes its
// frame's active view; an edit field (or rich-text control) losing the focus has its selection collapsed
// and one gaining it has all its text selected. TRUE when the message was handled (also with no tab stop
// at all), so the caller stops translating it.
BOOL ProcessTabKey(const MSG* pMsg, CWnd* pContainer);
