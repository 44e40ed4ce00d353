// CDialogTemplate: a dialog template made in memory, and the reading of a template's header.
//
// The built form is the system's DLGTEMPLATE layout (not the extended one): the header (style, extended
// style, item count, x, y, cx, cy in dialog units), no menu, the default class, the caption, and with
// DS_SETFONT the point size and face; then each item DWORD-aligned (style, extended style, x, y, cx, cy,
// WORD id, the class as 0xFFFF and an atom or as a name, the text, no creation data). Strings are UTF-16.
// Sheets build their frame this way; the header reader serves both layouts.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

#include <vector>

// The predefined control classes as the template's atoms.
#define AFX_DLGCLASS_BUTTON 0x0080
#define AFX_DLGCLASS_EDIT 0x0081
#define AFX_DLGCLASS_STATIC 0x0082
#define AFX_DLGCLASS_LISTBOX 0x0083
#define AFX_DLGCLASS_SCROLLBAR 0x0084
#define AFX_DLGCLASS_COMBOBOX 0x0085

class CDialogTemplate
{
public:
    // The font is used with DS_SETFONT, which is added when lpszFace is given.
    CDialogTemplate(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, LPCTSTR lpszCaption,
                    LPCTSTR lpszFace = "MS Shell Dlg", WORD wPointSize = 8);
    // A predefined class by atom (AFX_DLGCLASS_*).
    void AddItem(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, WORD nID,
                 WORD nClassAtom, LPCTSTR lpszText);
    // A class by name (common controls).
    void AddItem(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, WORD nID,
                 LPCTSTR lpszClass, LPCTSTR lpszText);
    // Valid until the next AddItem.
    LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

    // What the header of either layout says.
    struct Header
    {
        DWORD style;
        DWORD exStyle;
        short cx;
        short cy;
        BOOL bClassGiven; // a class of its own instead of the system's dialog class
        CString caption;
    };
    static Header ReadHeader(LPCDLGTEMPLATE lpTemplate);

private:
    void AlignToDword();
    void AddString(LPCTSTR lpsz);
    void AddDword(DWORD dw);
    void AddItemHeader(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, WORD nID);

    std::vector<WORD> m_words;
};
