// CDlgTemplateBuilder: a dialog template (DLGTEMPLATE and its items) built in memory, for windows made
// from a template without a resource (the New type chooser, forms built at run time).
//
// Layout written: DLGTEMPLATE; menu 0; class 0 (the dialog class); the title as UTF-16 with its NUL; with
// DS_SETFONT (always added) the point size and face; then per item, aligned to 4 bytes, DLGITEMTEMPLATE,
// 0xFFFF and the predefined class atom (0x0080 button, 0x0081 edit, 0x0082 static, 0x0083 list box),
// the text, and 0 bytes of creation data. Add exactly the item count given to Dialog.
#pragma once

#include "classlib/Types.h"

#include <vector>

class CDlgTemplateBuilder
{
public:
    enum : WORD
    {
        button = 0x0080,
        edit = 0x0081,
        staticText = 0x0082,
        listBox = 0x0083
    };
    void Dialog(DWORD style, int nItems, short cx, short cy, const char* title);
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom, const char* text);
    // The template; valid until the builder changes or goes.
    const DLGTEMPLATE* Get();

private:
    void Append(const void* p, size_t n);
    void Text(const char* text);
    void Align();
    std::vector<WORD> m_words;
};
