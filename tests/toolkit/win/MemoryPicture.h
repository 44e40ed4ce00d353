// A memory bitmap of one colour to paint into and read pixels back from.
#pragma once

#include "classlib/win/DC.h"

class MemoryPicture
{
public:
    explicit MemoryPicture(int cx = 40, int cy = 40)
    {
        HDC hScreen = ::GetDC(nullptr);
        dc.CreateCompatibleDC(CDC::FromHandle(hScreen));
        m_hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
        ::ReleaseDC(nullptr, hScreen);
        m_hOld = ::SelectObject(dc.m_hDC, m_hBitmap);
        dc.FillSolidRect(0, 0, cx, cy, kBackground);
    }
    ~MemoryPicture()
    {
        ::SelectObject(dc.m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    static constexpr COLORREF kBackground = RGB(0, 0, 255);
    CDC dc;

private:
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};
