#include "classlib/win/DlgTemplateBuilder.h"

#include <cstring>

void CDlgTemplateBuilder::Dialog(DWORD style, int nItems, short cx, short cy, const char* title)
{
    m_words.clear();
    DLGTEMPLATE dlg = {};
    dlg.style = style | DS_SETFONT;
    dlg.cdit = static_cast<WORD>(nItems);
    dlg.cx = cx;
    dlg.cy = cy;
    Append(&dlg, sizeof dlg);
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the dialog class
    Text(title);
    m_words.push_back(8); // point size, then the face
    Text("MS Sans Serif");
}

void CDlgTemplateBuilder::Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
                               const char* text)
{
    Align();
    DLGITEMTEMPLATE item = {};
    item.style = style | WS_CHILD | WS_VISIBLE;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = id;
    Append(&item, sizeof item);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    Text(text);
    m_words.push_back(0); // no creation data
}

const DLGTEMPLATE* CDlgTemplateBuilder::Get()
{
    Align();
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

void CDlgTemplateBuilder::Append(const void* p, size_t n)
{
    const size_t at = m_words.size();
    m_words.resize(at + (n + 1) / 2, 0);
    std::memcpy(&m_words[at], p, n);
}

void CDlgTemplateBuilder::Text(const char* text)
{
    WCHAR wide[256];
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text != nullptr ? text : "", -1, wide, 256);
    if (n <= 0) {
        m_words.push_back(0);
        return;
    }
    for (int i = 0; i < n; ++i)
        m_words.push_back(static_cast<WORD>(wide[i]));
}

void CDlgTemplateBuilder::Align()
{
    // Items start on DWORD boundaries: the vector's data is WORD-aligned from a DWORD-aligned block.
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);
}
