// The preview's device context: printer attributes, metafile output.
#include "classlib/win/PreviewDC.h"

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)

CPreviewDC::CPreviewDC(HDC hPrinterDC) : m_hPrinterDC(hPrinterDC), m_nSavedPrinterDC(0)
{
    m_hDC = hPrinterDC;
    m_hAttribDC = hPrinterDC;
    m_bPrinting = TRUE;
}

CPreviewDC::~CPreviewDC()
{
    ::DeleteEnhMetaFile(EndPage());
    // Neither handle is ours.
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
}

BOOL CPreviewDC::BeginPage()
{
    ::DeleteEnhMetaFile(EndPage());
    // The frame, in hundredths of a millimetre, is exactly the printer's printable area, so that one
    // printer pixel of the recording is one pixel of that area when it is played.
    const RECT rectFrame = {0, 0, ::GetDeviceCaps(m_hPrinterDC, HORZSIZE) * 100,
                            ::GetDeviceCaps(m_hPrinterDC, VERTSIZE) * 100};
    HDC hMetaDC = ::CreateEnhMetaFile(m_hPrinterDC, nullptr, &rectFrame, nullptr);
    if (hMetaDC == nullptr)
        return FALSE;
    m_nSavedPrinterDC = ::SaveDC(m_hPrinterDC);
    m_hDC = hMetaDC;
    return TRUE;
}

HENHMETAFILE CPreviewDC::EndPage()
{
    if (m_hDC == nullptr || m_hDC == m_hPrinterDC)
        return nullptr;
    HENHMETAFILE hMeta = ::CloseEnhMetaFile(m_hDC);
    m_hDC = m_hPrinterDC;
    if (m_nSavedPrinterDC != 0)
        ::RestoreDC(m_hPrinterDC, m_nSavedPrinterDC);
    m_nSavedPrinterDC = 0;
    return hMeta;
}

CSize CPreviewDC::GetPrintableSize() const
{
    return CSize(::GetDeviceCaps(m_hPrinterDC, HORZRES), ::GetDeviceCaps(m_hPrinterDC, VERTRES));
}

CPoint CPreviewDC::GetPrintableOffset() const
{
    return CPoint(::GetDeviceCaps(m_hPrinterDC, PHYSICALOFFSETX),
                  ::GetDeviceCaps(m_hPrinterDC, PHYSICALOFFSETY));
}

CSize CPreviewDC::GetPaperSize() const
{
    CSize size(::GetDeviceCaps(m_hPrinterDC, PHYSICALWIDTH), ::GetDeviceCaps(m_hPrinterDC, PHYSICALHEIGHT));
    const CSize printable = GetPrintableSize();
    if (size.cx < printable.cx || size.cy < printable.cy)
        return printable;
    return size;
}

CSize CPreviewDC::GetPrinterPPI() const
{
    return CSize(::GetDeviceCaps(m_hPrinterDC, LOGPIXELSX), ::GetDeviceCaps(m_hPrinterDC, LOGPIXELSY));
}
