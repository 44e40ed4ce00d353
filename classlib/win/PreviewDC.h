// CPreviewDC: the device context a view prints into while its pages are previewed.
//
// The printer's DC is the attribute context: the view measures text, asks the page's resolution and maps
// its coordinates against the printer exactly as when printing. Output goes into an enhanced metafile
// per page whose device is the printer's printable area, so one page's drawing can be played into any
// rectangle of the screen at any zoom. Both handles belong to others: the printer DC to the job's print
// information, each page's metafile to the caller of EndPage. Between pages the printer DC is also the
// output context (so a view may prepare its job on it).
#pragma once

#include "classlib/win/DC.h"

class CPreviewDC : public CDC
{
    DECLARE_DYNAMIC(CPreviewDC)

public:
    explicit CPreviewDC(HDC hPrinterDC);
    ~CPreviewDC() override;

    // Starts recording one page; FALSE when no metafile can be made. The printer DC's state is saved and
    // given back by EndPage, so what the view sets for one page does not leak into the next.
    BOOL BeginPage();
    // Ends the page: its recording (the caller deletes it; NULL when none was made).
    HENHMETAFILE EndPage();

    // The printable area in printer pixels, and where it lies on the sheet.
    CSize GetPrintableSize() const;
    CPoint GetPrintableOffset() const;
    // The whole sheet in printer pixels (the printable area when the driver does not say).
    CSize GetPaperSize() const;
    CSize GetPrinterPPI() const;

private:
    HDC m_hPrinterDC;
    int m_nSavedPrinterDC;
};
