// RecordListLayout: the columns that a database's record lists show.
//
// Six entries in column order, each with a visible flag, a heading, the field
// code it shows (0 record ID, 1-45 a field, 252 workform, 253 date, 254 title,
// 255 author) and a relative width: the visible columns share the grid's width
// in proportion to their widths. The font of the lists is not part of it.
//
// A database keeps its layout as the object resource 2004 (profile key "Record
// List Layout" where a profile is used). A new object holds the default layout:
// Author, Title and Date shown; Record ID, Keywords and Workform hidden; every
// width 180.
//
// Invariants: the field code of every entry is one of the codes above and every
// width is at least 0; loading refuses a stored form that breaks them and leaves
// the object unchanged on any failure.
#pragma once

#include "classlib/CString.h"
#include "classlib/Object.h"

#include <cstdint>

class RecordListLayout : public CObject
{
public:
    enum
    {
        kEntries = 6
    };

    struct Entry
    {
        int32_t visible;
        CString title;
        int32_t fieldCode;
        int32_t width;
    };

    RecordListLayout();
    RecordListLayout(const RecordListLayout& other);
    RecordListLayout& operator=(const RecordListLayout& other);

    bool operator==(const RecordListLayout& other) const;
    bool operator!=(const RecordListLayout& other) const { return !(*this == other); }

    // Entry accessors; index is 0 to kEntries - 1.
    BOOL IsVisible(int index) const { return m_entries[index].visible != 0; }
    void SetVisible(int index, BOOL visible) { m_entries[index].visible = visible; }
    const CString& GetTitle(int index) const { return m_entries[index].title; }
    void SetTitle(int index, const CString& title) { m_entries[index].title = title; }
    int GetFieldCode(int index) const { return m_entries[index].fieldCode; }
    void SetFieldCode(int index, int code) { m_entries[index].fieldCode = code; }
    int GetWidth(int index) const { return m_entries[index].width; }
    void SetWidth(int index, int width) { m_entries[index].width = width; }

    // True for the codes a column can show.
    static bool IsColumnFieldCode(int code);

    void Serialize(CArchive& ar) override;

private:
    Entry m_entries[kEntries];
};
