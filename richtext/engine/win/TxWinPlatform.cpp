#include "richtext/engine/win/TxWinPlatform.h"

#include <windows.h>

void TxWinPlatform::PostQuit(int exitCode)
{
    ::PostQuitMessage(exitCode);
}

bool TxWinPlatform::InputWaiting()
{
    MSG msg;
    return ::PeekMessageA(&msg, nullptr, WM_KEYDOWN, WM_CHAR, PM_NOREMOVE | PM_NOYIELD) != 0;
}

uint16_t TxWinPlatform::SystemLanguage()
{
    return ::GetSystemDefaultLangID();
}

uintptr_t TxWinPlatform::OpenScreenDevice()
{
    return reinterpret_cast<uintptr_t>(::CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
}

void TxWinPlatform::CloseDevice(uintptr_t device)
{
    ::DeleteDC(reinterpret_cast<HDC>(device));
}

int32_t TxWinPlatform::PixelsPerInch(uintptr_t device)
{
    if (device)
        return ::GetDeviceCaps(reinterpret_cast<HDC>(device), LOGPIXELSY);
    HDC screen = ::GetDC(nullptr);
    int32_t ppi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return ppi;
}

void TxWinPlatform::DeleteFont(uintptr_t font)
{
    ::DeleteObject(reinterpret_cast<HGDIOBJ>(font));
}

void TxWinPlatform::SetRegionRects(uintptr_t region, const TxPlatformRect* rects, int32_t count)
{
    HRGN target = reinterpret_cast<HRGN>(region);
    ::SetRectRgn(target, 0, 0, 0, 0);
    for (int32_t i = 0; i < count; ++i) {
        HRGN piece = ::CreateRectRgn(rects[i].left, rects[i].top, rects[i].right, rects[i].bottom);
        ::CombineRgn(target, target, piece, RGN_OR);
        ::DeleteObject(piece);
    }
}

TxPlatform& TxBuildPlatform()
{
    static TxWinPlatform platform;
    return platform;
}
