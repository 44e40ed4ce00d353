// CDialogTemplate: building a template in memory and reading a template's header.
#include "classlib/win/DialogTemplate.h"

#include <windows.h>

namespace {

const size_t kItemCountWord = 4; // the item count's position in the header, in WORDs

// Skips a "string or ordinal" field; sets *pbGiven when it names something.
const WORD* SkipSzOrOrd(const WORD* p, BOOL* pbGiven = nullptr)
{
    if (pbGiven != nullptr)
        *pbGiven = *p != 0;
    if (*p == 0xFFFF)
        return p + 2;
    while (*p != 0)
        ++p;
    return p + 1;
}

CString ReadString(const WORD* p)
{
    int nLen = 0;
    while (p[nLen] != 0)
        ++nLen;
    if (nLen == 0)
        return CString();
    CString text;
    const int nBytes =
        ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(p), nLen, nullptr, 0, nullptr, nullptr);
    LPSTR buf = text.GetBuffer(nBytes);
    ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(p), nLen, buf, nBytes, nullptr, nullptr);
    text.ReleaseBuffer(nBytes);
    return text;
}

} // namespace

CDialogTemplate::CDialogTemplate(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy,
                                 LPCTSTR lpszCaption, LPCTSTR lpszFace, WORD wPointSize)
{
    if (lpszFace != nullptr)
        dwStyle |= DS_SETFONT;
    AddDword(dwStyle);
    AddDword(dwExStyle);
    m_words.push_back(0); // items
    m_words.push_back(static_cast<WORD>(x));
    m_words.push_back(static_cast<WORD>(y));
    m_words.push_back(static_cast<WORD>(cx));
    m_words.push_back(static_cast<WORD>(cy));
    m_words.push_back(0); // no menu
    m_words.push_back(0); // the system's dialog class
    AddString(lpszCaption);
    if (lpszFace != nullptr) {
        m_words.push_back(wPointSize);
        AddString(lpszFace);
    }
}

void CDialogTemplate::AlignToDword()
{
    if (m_words.size() % 2 != 0)
        m_words.push_back(0);
}

void CDialogTemplate::AddString(LPCTSTR lpsz)
{
    if (lpsz != nullptr && *lpsz != '\0') {
        const int nLen = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, nullptr, 0); // with the terminator
        const size_t start = m_words.size();
        m_words.resize(start + static_cast<size_t>(nLen));
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, reinterpret_cast<LPWSTR>(&m_words[start]), nLen);
    } else {
        m_words.push_back(0);
    }
}

void CDialogTemplate::AddDword(DWORD dw)
{
    m_words.push_back(LOWORD(dw));
    m_words.push_back(HIWORD(dw));
}

void CDialogTemplate::AddItemHeader(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy,
                                    WORD nID)
{
    AlignToDword();
    AddDword(dwStyle);
    AddDword(dwExStyle);
    m_words.push_back(static_cast<WORD>(x));
    m_words.push_back(static_cast<WORD>(y));
    m_words.push_back(static_cast<WORD>(cx));
    m_words.push_back(static_cast<WORD>(cy));
    m_words.push_back(nID);
    ++m_words[kItemCountWord];
}

void CDialogTemplate::AddItem(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, WORD nID,
                              WORD nClassAtom, LPCTSTR lpszText)
{
    AddItemHeader(dwStyle, dwExStyle, x, y, cx, cy, nID);
    m_words.push_back(0xFFFF);
    m_words.push_back(nClassAtom);
    AddString(lpszText);
    m_words.push_back(0); // no creation data
}

void CDialogTemplate::AddItem(DWORD dwStyle, DWORD dwExStyle, short x, short y, short cx, short cy, WORD nID,
                              LPCTSTR lpszClass, LPCTSTR lpszText)
{
    AddItemHeader(dwStyle, dwExStyle, x, y, cx, cy, nID);
    AddString(lpszClass);
    AddString(lpszText);
    m_words.push_back(0);
}

CDialogTemplate::Header CDialogTemplate::ReadHeader(LPCDLGTEMPLATE lpTemplate)
{
    Header header = {};
    const WORD* p = reinterpret_cast<const WORD*>(lpTemplate);
    const BOOL bExtended = p[0] == 1 && p[1] == 0xFFFF;
    if (bExtended) {
        // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
        header.exStyle = MAKELONG(p[4], p[5]);
        header.style = MAKELONG(p[6], p[7]);
        header.cx = static_cast<short>(p[11]);
        header.cy = static_cast<short>(p[12]);
        p += 13;
    } else {
        header.style = MAKELONG(p[0], p[1]);
        header.exStyle = MAKELONG(p[2], p[3]);
        header.cx = static_cast<short>(p[7]);
        header.cy = static_cast<short>(p[8]);
        p += 9;
    }
    p = SkipSzOrOrd(p);                      // menu
    p = SkipSzOrOrd(p, &header.bClassGiven); // class
    header.caption = ReadString(p);
    return header;
}
