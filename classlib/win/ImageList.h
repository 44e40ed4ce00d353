// CImageList: a list of same-sized images with optional masks (HIMAGELIST). The object owns its list
// and destroys it unless detached.
#pragma once

#include "classlib/win/DC.h"

#include <commctrl.h>

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)

public:
    CImageList() : m_hImageList(nullptr) {}
    ~CImageList() override { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // A strip bitmap resource cut into images cx wide; crMask is the transparent colour.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }
};
