// CAuthorFormatSheetWnd: the property sheet that edits one author format
// (formatting/style/AuthorFormatSheet.h): its list, separators, names and text
// pages in that order, the sheet's flags (no Apply button) and its caption
// when it has one. OK applies all four pages to the format, Cancel none.
// Only the bibliography and in-text sheets are shown (Sheet is
// CAuthorFormatSheet or CIntextAuthorFormatSheet).
#pragma once

#include "classlib/CString.h"
#include "classlib/win/PropertySheet.h"
#include "formatting/style/AuthorFormatSheet.h"
#include "formatting/style/win/StyleSettingsPageWnd.h"

template <class Sheet> class CAuthorFormatSheetWnd : public CPropertySheet
{
public:
    explicit CAuthorFormatSheetWnd(Sheet& format, CWnd* pParentWnd = nullptr)
        : CPropertySheet("", pParentWnd), listPage(format.listPage), separatorsPage(format.separatorsPage),
          namesPage(format.namesPage), textPage(format.textPage)
    {
        m_psh.dwFlags |= format.sheetFlags;
        CString caption;
        if (format.captionId != 0 && caption.LoadString(format.captionId))
            SetTitle(caption);
        AddPage(&listPage);
        AddPage(&separatorsPage);
        AddPage(&namesPage);
        AddPage(&textPage);
    }

    CStyleSettingsPageWnd<decltype(Sheet::listPage)> listPage;
    CStyleSettingsPageWnd<CAuthorSeparatorsPage> separatorsPage;
    CStyleSettingsPageWnd<CAuthorNamesPage> namesPage;
    CStyleSettingsPageWnd<CAuthorTextPage> textPage;
};
