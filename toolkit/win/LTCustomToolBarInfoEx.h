// LTCustomToolBarInfoEx: what the saved bar layout keeps of a custom toolbar: its title and its buttons.
//
// A button record: command id (0 for a separator) and up to 255 bytes of the button's own data (a window
// button keeps its width as a u16; other buttons nothing).
//
// Profile form, in the bar's own section of the layout ("<base>-Bar<n>"): "Title" (a string, written only
// when the title is not empty) and "Buttons" (binary): the records one after another, each u32 command id
// (little-endian), u8 data length, that many bytes; no count, the records fill the value. An absent value
// gives no buttons; a record cut short by the value's end is dropped with what follows it.
//
// Archive form: the title in the class library's string form, u32 record count, then each record as in the
// profile. A short or damaged archive raises the class library's archive exception and leaves the object as
// it was.
#pragma once

#include "classlib/Archive.h"
#include "classlib/CString.h"
#include "classlib/Object.h"

#include <vector>

struct LTToolBarButtonRecord
{
    UINT nID;
    std::vector<BYTE> data;
    bool operator==(const LTToolBarButtonRecord& other) const
    {
        return nID == other.nID && data == other.data;
    }
};

class LTCustomToolBarInfoEx : public CObject
{
public:
    virtual void ArchiveState(CArchive& ar);
    virtual void LoadFromProfile(LPCTSTR lpszSection);
    virtual void SaveToProfile(LPCTSTR lpszSection) const;

    // The "Buttons" value, and the records read back from one.
    std::vector<BYTE> ButtonsValue() const;
    static std::vector<LTToolBarButtonRecord> ParseButtonsValue(const BYTE* pData, UINT nSize);

    CString m_strTitle;
    std::vector<LTToolBarButtonRecord> m_buttons;
};
