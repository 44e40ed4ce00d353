// CPrintInfo: the state of one print job or print preview, passed to the view's printing operations.
//
// It owns the print dialog object whose PRINTDLG holds the page range (minimum and maximum page; the
// maximum 0xFFFF means "not known": the loop then prints page 1 only unless the view's OnPrepareDC keeps
// m_bContinuePrinting), the printer's names and mode and the printer DC once one is made. The job's
// device handles that belong to the application (its printer selection) are given back, not freed, when
// the object goes. m_nCurPage is the page being prepared or printed; m_rectDraw its printable area in
// logical units, set before each OnPrint.
#pragma once

#include "classlib/CString.h"
#include "classlib/Rect.h"

class CPrintDialog;

struct CPrintInfo
{
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The first and last page asked for: the dialog's range when the user gave one, else min and max.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    CPrintDialog* m_pPD; // owned
    BOOL m_bDirect;      // no print dialog: the default printer (or the command line's)
    BOOL m_bPreview;
    BOOL m_bContinuePrinting;
    UINT m_nCurPage;
    UINT m_nNumPreviewPages; // 1 or 2; 0 lets the preview choose
    CString m_strPageDesc;   // "Page %u\nPages %u-%u\n"
    LPVOID m_lpUserData;
    CRect m_rectDraw;
};
