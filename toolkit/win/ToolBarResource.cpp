// Toolbar resources: the command list and image size, and the bitmap of the same name.
#include "toolkit/win/ToolBarResource.h"

#include "classlib/win/GdiObject.h"
#include "toolkit/win/LoadSysColorBitmap.h"

namespace {

WORD ReadU16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

} // namespace

BOOL ParseToolBarResource(const BYTE* pData, DWORD nSize, std::vector<UINT>& commands, int& nImageWidth,
                          int& nImageHeight, std::vector<UINT>* pRawIDs)
{
    if (pData == nullptr || nSize < 8)
        return FALSE;
    const WORD nCount = ReadU16(pData + 6);
    if (nSize < 8u + 2u * nCount)
        return FALSE;
    std::vector<UINT> ids, raw;
    for (WORD i = 0; i < nCount; ++i) {
        const UINT nID = ReadU16(pData + 8 + 2 * i);
        raw.push_back(nID);
        if (nID != 0)
            ids.push_back(nID);
    }
    nImageWidth = ReadU16(pData + 2);
    nImageHeight = ReadU16(pData + 4);
    commands.swap(ids);
    if (pRawIDs != nullptr)
        pRawIDs->swap(raw);
    return TRUE;
}

BOOL LoadToolBarResource(LPCTSTR lpszName, CBitmap* pBitmap, std::vector<UINT>& commands, int& nImageWidth,
                         int& nImageHeight, std::vector<UINT>* pRawIDs)
{
    HINSTANCE hInst = ::GetModuleHandle(nullptr);
    HRSRC hRsrc = ::FindResource(hInst, lpszName, LT_RT_TOOLBAR);
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const auto* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    std::vector<UINT> ids, raw;
    int cx = 0, cy = 0;
    if (!ParseToolBarResource(pData, ::SizeofResource(hInst, hRsrc), ids, cx, cy, &raw))
        return FALSE;
    CBitmap bitmap;
    if (!LoadSysColorBitmap(&bitmap, lpszName))
        return FALSE;
    pBitmap->DeleteObject();
    pBitmap->Attach(bitmap.Detach());
    commands.swap(ids);
    nImageWidth = cx;
    nImageHeight = cy;
    if (pRawIDs != nullptr)
        pRawIDs->swap(raw);
    return TRUE;
}
