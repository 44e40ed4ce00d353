// A value travelling between the spreadsheet grid, its data sources and its cell types: a text and
// display attributes, each present only while its bit is set in the presence mask.
//
// Absent attributes answer defaults (data type 1, the system colours of the moment, alignment 0, cell
// type 0), so a layer merged on top of another overrides exactly the attributes it carries. Pens, fonts,
// bitmaps, the style cell and the format object are borrowed; the user data bytes are owned and copied
// deeply. An attribute's stored value means something only while its bit is set: CopyFrom may clear a bit
// while the old value stays stored.
#pragma once
#include "classlib/Object.h"
#include "grid/sheet/GridSysColors.h"
#include <string>

class CPen;
class CFont;
class CBitmap;
class GridCell;

// Called with a cell after the grid has read it; whoever sets one on a cell decides what it does.
class GridCellFormat
{
public:
    virtual ~GridCellFormat() = default;
    virtual void Apply(GridCell& cell) = 0;
};

enum GridCellBits : DWORD
{
    GCB_TEXT = 0x1,
    GCB_TEXT2 = 0x2,
    GCB_LABEL = 0x4,
    GCB_DATATYPE = 0x8,
    GCB_CELLTYPE = 0x20,
    GCB_CELLTYPEEX = 0x40,
    GCB_TEXTCOLOR = 0x80,
    GCB_BACKCOLOR = 0x100,
    GCB_HTEXTCOLOR = 0x200,
    GCB_HBACKCOLOR = 0x400,
    GCB_BORDER = 0x800,
    GCB_BORDERPEN = 0x1000,
    GCB_FONT = 0x2000,
    GCB_BITMAP = 0x4000,
    GCB_ALIGNMENT = 0x8000,
    GCB_USERDATA = 0x10000,
    GCB_JOIN = 0x20000,
    GCB_FORMAT = 0x200000,
    GCB_STYLE = 0x800000,
    GCB_READONLY = 0x1000000,
    GCB_DECIMALS = 0x2000000,
};

enum GridDataType : short
{
    GDT_TEXT = 1,
    GDT_NUMBER = 2,
    GDT_BOOL = 3
};

class GridCell : public CObject
{
public:
    GridCell() { Reset(); }
    GridCell(const GridCell& other) { CopyFrom(other); }
    GridCell& operator=(const GridCell& other);
    ~GridCell() override;

    // Mask 0; text and label emptied; cell type, its style and the join values -1; user data freed.
    // The second text stays.
    void Reset();
    // The mask becomes the source's, then MergeFrom.
    int CopyFrom(const GridCell& source);
    int CopyTo(GridCell& target) const { return target.CopyFrom(*this); }
    // The mask becomes the union; attributes present in the source are copied. A failed user-data
    // allocation leaves no buffer and length 0 with the bit still set.
    int MergeFrom(const GridCell& source);
    int MergeInto(GridCell& target) const { return target.MergeFrom(*this); }

    DWORD GetMask() const { return m_mask; }
    void SetMask(DWORD mask) { m_mask = mask; }
    int IsSet(DWORD bits) const { return (m_mask & bits) ? 1 : 0; }

    int SetText(const char* text);
    // The text, or null while bit 0x1 is clear.
    const char* GetText() const;
    int GetTextLength() const;
    int SetText2(const char* text);
    const char* GetText2() const;
    int SetLabel(const char* text);
    // 1 and nothing copied without a label.
    int GetLabel(std::string& out) const;
    const char* GetLabel() const;

    int SetBool(bool value);
    bool GetBool() const;
    // Six decimals, or the decimals attribute (held to 0-15).
    int SetNumber(double value);
    double GetNumber() const;
    int SetDecimals(short decimals);
    short GetDecimals() const { return IsSet(GCB_DECIMALS) ? m_decimals : -1; }
    int SetDataType(short type);
    short GetDataType() const { return IsSet(GCB_DATATYPE) ? m_dataType : (short)GDT_TEXT; }
    int SetReadOnly(DWORD on);
    DWORD GetReadOnly() const { return IsSet(GCB_READONLY) ? m_readOnly : 0; }

    int SetCellType(int index);
    int GetCellType() const { return IsSet(GCB_CELLTYPE) ? m_cellType : 0; }
    int SetCellTypeEx(DWORD bits);
    DWORD GetCellTypeEx() const { return IsSet(GCB_CELLTYPEEX) ? m_cellTypeEx : 0; }

    int SetTextColor(COLORREF c) { return SetColor(m_textColor, GCB_TEXTCOLOR, c); }
    COLORREF GetTextColor() const { return ColorOr(m_textColor, GCB_TEXTCOLOR, COLOR_WINDOWTEXT); }
    int SetBackColor(COLORREF c) { return SetColor(m_backColor, GCB_BACKCOLOR, c); }
    COLORREF GetBackColor() const { return ColorOr(m_backColor, GCB_BACKCOLOR, COLOR_WINDOW); }
    int SetHTextColor(COLORREF c) { return SetColor(m_hTextColor, GCB_HTEXTCOLOR, c); }
    COLORREF GetHTextColor() const { return ColorOr(m_hTextColor, GCB_HTEXTCOLOR, COLOR_HIGHLIGHTTEXT); }
    int SetHBackColor(COLORREF c) { return SetColor(m_hBackColor, GCB_HBACKCOLOR, c); }
    COLORREF GetHBackColor() const { return ColorOr(m_hBackColor, GCB_HBACKCOLOR, COLOR_HIGHLIGHT); }

    int SetBorder(WORD bits);
    WORD GetBorder() const { return IsSet(GCB_BORDER) ? m_border : 0; }
    int SetBorderPen(CPen* pen);
    CPen* GetBorderPen() const { return IsSet(GCB_BORDERPEN) ? m_borderPen : nullptr; }
    int SetFont(CFont* font);
    CFont* GetFont() const { return IsSet(GCB_FONT) ? m_font : nullptr; }
    int SetBitmap(CBitmap* bitmap);
    CBitmap* GetBitmap() const { return IsSet(GCB_BITMAP) ? m_bitmap : nullptr; }
    int SetAlignment(WORD bits);
    WORD GetAlignment() const { return IsSet(GCB_ALIGNMENT) ? m_alignment : 0; }

    // Copies the bytes; 1 when they cannot be allocated (no buffer left, bit set).
    int SetUserData(const void* data, DWORD length);
    const BYTE* GetUserData() const { return IsSet(GCB_USERDATA) ? m_userData : nullptr; }
    DWORD GetUserDataLength() const { return IsSet(GCB_USERDATA) ? m_userDataLength : 0; }

    int SetJoinInfo(short origin, LONG columns, LONG rows);
    // 1 without join information.
    int GetJoinInfo(short& origin, LONG& columns, LONG& rows) const;

    int SetStyleCell(const GridCell* style);
    const GridCell* GetStyleCell() const { return IsSet(GCB_STYLE) ? m_style : nullptr; }
    int SetFormatObject(GridCellFormat* format);
    GridCellFormat* GetFormatObject() const { return IsSet(GCB_FORMAT) ? m_format : nullptr; }

    // Tests replace the allocator of user data to show the failure path; null restores malloc.
    typedef void* (*Allocator)(size_t);
    static Allocator SetAllocator(Allocator allocator);

private:
    int SetColor(COLORREF& field, DWORD bit, COLORREF c);
    COLORREF ColorOr(COLORREF field, DWORD bit, int sysIndex) const;
    void FreeUserData();
    void CopyUserData(const GridCell& source);

    DWORD m_mask = 0;
    GridCellFormat* m_format = nullptr;
    const GridCell* m_style = nullptr;
    std::string m_text;
    std::string m_text2;
    std::string m_label;
    short m_dataType = GDT_TEXT;
    DWORD m_readOnly = 0;
    short m_decimals = 0;
    int m_cellType = -1;
    DWORD m_cellTypeEx = 0;
    COLORREF m_textColor = 0;
    COLORREF m_backColor = 0;
    COLORREF m_hTextColor = 0;
    COLORREF m_hBackColor = 0;
    WORD m_border = 0;
    CPen* m_borderPen = nullptr;
    CFont* m_font = nullptr;
    CBitmap* m_bitmap = nullptr;
    WORD m_alignment = 0;
    BYTE* m_userData = nullptr;
    DWORD m_userDataLength = 0;
    short m_joinOrigin = 0;
    LONG m_joinRows = -1;
    LONG m_joinColumns = -1;
};
