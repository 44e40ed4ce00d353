// Stored window placements and where new MDI child frames go.
//
// A placement is the string value "Window Placement" of a settings section: the ten fields of
// WINDOWPLACEMENT in order (flags, show command, minimised x and y, maximised x and y, normal rectangle
// left, top, right, bottom) as "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d". Anything but ten numbers is ignored.
#pragma once

#include <windows.h>

class CMDIFrameWnd;
class CWnd;

// FALSE for a missing, empty or malformed value. A stored minimised show command comes back maximised
// when the flags say "restore to maximised", else normal; the flags come back 0.
BOOL LoadWindowPlacement(const char* section, WINDOWPLACEMENT& placement);
void SaveWindowPlacement(const char* section, const WINDOWPLACEMENT& placement);
// The window's placement with flags 2 when it is maximised, else 0; FALSE when it cannot be read.
BOOL SaveWindowPlacementOfWindow(CWnd* pWnd, const char* section);

// The child windows of the frame's MDI client area.
int CountMDIChildWindows(CMDIFrameWnd* pFrame);
// Sets the position and size of an MDI child frame about to be made in the main window: cascaded by
// caption heights over ten places from (10, 10), at least 100 x 100. Unchanged without a main window.
void PlaceNewChildFrame(CREATESTRUCT& cs);
