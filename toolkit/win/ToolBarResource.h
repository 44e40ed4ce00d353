// Toolbar resources: type 241, beside a bitmap resource of the same name.
//
// Layout (little-endian u16 each): version, image width, image height, count, then count command ids
// (0 = separator). The command list keeps the non-zero ids in order (one per image of the bitmap); the
// raw list, when asked for, keeps all of them. The bitmap's greys follow the system colours
// (LoadSysColorBitmap). Any missing or short resource, or a bitmap that cannot be built, answers FALSE
// and leaves the outputs as they were.
#pragma once

#include "classlib/Types.h"

#include <vector>

class CBitmap;

#define LT_RT_TOOLBAR MAKEINTRESOURCE(241)

BOOL ParseToolBarResource(const BYTE* pData, DWORD nSize, std::vector<UINT>& commands, int& nImageWidth,
                          int& nImageHeight, std::vector<UINT>* pRawIDs = nullptr);
BOOL LoadToolBarResource(LPCTSTR lpszName, CBitmap* pBitmap, std::vector<UINT>& commands, int& nImageWidth,
                         int& nImageHeight, std::vector<UINT>* pRawIDs = nullptr);
