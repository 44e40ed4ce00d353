// The format of one author field: four pages shown together as a property
// sheet (list, separators, names, text) and stored one after the other.
//
// CAuthorFormatSheet belongs to bibliography formats, CIntextAuthorFormatSheet
// to in-text formats and CLegacyIntextAuthorFormatSheet to the in-text format
// of styles older than version 0x0500; they differ in their list page only.
// Like the pages, a sheet is a plain object (StyleSettingsPage.h): the window
// half builds the CPropertySheet from its pages, its captionId (0: the editor
// gives the caption) and its sheetFlags.
//
// Stored form: the list, separators, names and text pages' forms, in order.
#pragma once

#include "formatting/style/AuthorListPage.h"
#include "formatting/style/AuthorNamesPage.h"
#include "formatting/style/AuthorSeparatorsPage.h"
#include "formatting/style/AuthorTextPage.h"

template <class ListPage> class AuthorFormatSheetT : public CObject
{
public:
    enum : DWORD
    {
        kNoApplyNow = 0x0080 // the property sheet flag that hides the Apply button
    };

    AuthorFormatSheetT() : captionId(0), sheetFlags(kNoApplyNow) {}

    void Serialize(CArchive& ar) override
    {
        listPage.Serialize(ar);
        separatorsPage.Serialize(ar);
        namesPage.Serialize(ar);
        textPage.Serialize(ar);
    }

    ListPage listPage;
    CAuthorSeparatorsPage separatorsPage;
    CAuthorNamesPage namesPage;
    CAuthorTextPage textPage;
    UINT captionId;   // string ID of the sheet's caption, 0 for none
    DWORD sheetFlags; // kNoApplyNow
};

class CAuthorFormatSheet : public AuthorFormatSheetT<CAuthorListPage>
{
};

class CIntextAuthorFormatSheet : public AuthorFormatSheetT<CIntextAuthorListPage>
{
};

class CLegacyIntextAuthorFormatSheet : public AuthorFormatSheetT<CLegacyIntextAuthorListPage>
{
};
