// Ids of the control bars' own windows and strings. Plain #defines: the resource compiler and the
// native resource generator read this file too.
#pragma once

// The dock bars of a frame (EnableDocking) and of a floating frame.
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F

// A floating frame's Close item.
#define AFX_IDS_HIDE 0xF011
