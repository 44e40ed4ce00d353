// LoadSysColorBitmap: a colour-table bitmap with its greys mapped to the system colours.
#include "toolkit/win/LoadSysColorBitmap.h"

#include "classlib/win/GdiObject.h"

#include <cstring>
#include <vector>

BOOL LoadSysColorBitmapFromDib(CBitmap* pBitmap, const void* pPackedDib, DWORD nSize)
{
    if (pPackedDib == nullptr || nSize < sizeof(BITMAPINFOHEADER))
        return FALSE;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pPackedDib, sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize || header.biBitCount == 0 ||
        header.biBitCount > 8 || header.biWidth <= 0 || header.biHeight == 0)
        return FALSE;
    const DWORD nColours = 1u << header.biBitCount;
    const DWORD nHeader = header.biSize + 4 * nColours;
    const DWORD nStride = ((static_cast<DWORD>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const LONG nRows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (nHeader > nSize || nStride * static_cast<DWORD>(nRows) > nSize - nHeader)
        return FALSE;
    // The header and colour table are copied: the resource itself stays as it is.
    std::vector<BYTE> info(static_cast<const BYTE*>(pPackedDib),
                           static_cast<const BYTE*>(pPackedDib) + nHeader);
    static const struct
    {
        DWORD rgb; // as stored: blue, green, red
        int nSysColor;
    } kMap[] = {{0x000000, COLOR_BTNTEXT},
                {0x808080, COLOR_BTNSHADOW},
                {0xC0C0C0, COLOR_BTNFACE},
                {0xFFFFFF, COLOR_BTNHIGHLIGHT}};
    auto* pTable = reinterpret_cast<RGBQUAD*>(info.data() + header.biSize);
    for (DWORD i = 0; i < nColours; ++i) {
        const DWORD rgb = (static_cast<DWORD>(pTable[i].rgbRed) << 16) |
                          (static_cast<DWORD>(pTable[i].rgbGreen) << 8) | pTable[i].rgbBlue;
        for (const auto& m : kMap) {
            if (rgb == m.rgb) {
                const COLORREF clr = ::GetSysColor(m.nSysColor);
                pTable[i].rgbRed = GetRValue(clr);
                pTable[i].rgbGreen = GetGValue(clr);
                pTable[i].rgbBlue = GetBValue(clr);
                break;
            }
        }
    }
    const BYTE* pBits = static_cast<const BYTE*>(pPackedDib) + nHeader;
    HDC hScreen = ::GetDC(nullptr);
    if (hScreen == nullptr)
        return FALSE;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, header.biWidth, nRows);
    BOOL bOk = FALSE;
    if (hBitmap != nullptr) {
        HDC hMem = ::CreateCompatibleDC(hScreen);
        if (hMem != nullptr) {
            HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
            bOk = ::StretchDIBits(hMem, 0, 0, header.biWidth, nRows, 0, 0, header.biWidth, nRows, pBits,
                                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                  SRCCOPY) != 0;
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
        }
    }
    ::ReleaseDC(nullptr, hScreen);
    if (!bOk) {
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
        return FALSE;
    }
    pBitmap->DeleteObject();
    return pBitmap->Attach(hBitmap);
}

BOOL LoadSysColorBitmap(CBitmap* pBitmap, LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = ::GetModuleHandle(nullptr);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_BITMAP);
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const void* pData = hGlobal != nullptr ? ::LockResource(hGlobal) : nullptr;
    if (pData == nullptr)
        return FALSE;
    return LoadSysColorBitmapFromDib(pBitmap, pData, ::SizeofResource(hInst, hRsrc));
}
