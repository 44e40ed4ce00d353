#include "classlib/win/ImageList.h"

#include "classlib/win/Wnd.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    return Attach(ImageList_LoadImage(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nBitmapID), cx, nGrow,
                                      crMask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr)
        return FALSE;
    ASSERT(m_hImageList == nullptr);
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    m_hImageList = nullptr;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                         static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(pbmImage->GetSafeHandle()), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, static_cast<HBITMAP>(pbmImage->GetSafeHandle()),
                             static_cast<HBITMAP>(pbmMask->GetSafeHandle()));
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
