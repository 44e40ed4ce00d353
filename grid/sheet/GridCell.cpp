#include "grid/sheet/GridCell.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
GridCell::Allocator g_allocate = nullptr;

void* Allocate(size_t n)
{
    return g_allocate ? g_allocate(n) : std::malloc(n);
}
} // namespace

GridCell::Allocator GridCell::SetAllocator(Allocator allocator)
{
    Allocator old = g_allocate;
    g_allocate = allocator;
    return old;
}

GridCell& GridCell::operator=(const GridCell& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

GridCell::~GridCell()
{
    FreeUserData();
}

void GridCell::Reset()
{
    m_mask = 0;
    m_text.clear();
    m_label.clear();
    m_cellType = -1;
    m_cellTypeEx = (DWORD)-1;
    m_joinRows = -1;
    m_joinColumns = -1;
    FreeUserData();
}

void GridCell::FreeUserData()
{
    std::free(m_userData);
    m_userData = nullptr;
    m_userDataLength = 0;
}

void GridCell::CopyUserData(const GridCell& source)
{
    if (&source == this)
        return;
    FreeUserData();
    if (source.m_userDataLength == 0)
        return;
    m_userData = static_cast<BYTE*>(Allocate(source.m_userDataLength));
    if (!m_userData)
        return;
    std::memcpy(m_userData, source.m_userData, source.m_userDataLength);
    m_userDataLength = source.m_userDataLength;
}

int GridCell::CopyFrom(const GridCell& source)
{
    m_mask = source.m_mask;
    return MergeFrom(source);
}

int GridCell::MergeFrom(const GridCell& s)
{
    const DWORD m = s.m_mask;
    m_mask |= m;
    if (m & GCB_FORMAT)
        m_format = s.m_format;
    if (m & GCB_STYLE)
        m_style = s.m_style;
    if (m & GCB_TEXT)
        m_text = s.m_text;
    if (m & GCB_TEXT2)
        m_text2 = s.m_text2;
    if (m & GCB_LABEL)
        m_label = s.m_label;
    if (m & GCB_DATATYPE)
        m_dataType = s.m_dataType;
    if (m & GCB_READONLY)
        m_readOnly = s.m_readOnly;
    if (m & GCB_DECIMALS)
        m_decimals = s.m_decimals;
    if (m & GCB_CELLTYPE)
        m_cellType = s.m_cellType;
    if (m & GCB_CELLTYPEEX)
        m_cellTypeEx = s.m_cellTypeEx;
    if (m & GCB_TEXTCOLOR)
        m_textColor = s.m_textColor;
    if (m & GCB_BACKCOLOR)
        m_backColor = s.m_backColor;
    if (m & GCB_HTEXTCOLOR)
        m_hTextColor = s.m_hTextColor;
    if (m & GCB_HBACKCOLOR)
        m_hBackColor = s.m_hBackColor;
    if (m & GCB_BORDER)
        m_border = s.m_border;
    if (m & GCB_BORDERPEN)
        m_borderPen = s.m_borderPen;
    if (m & GCB_FONT)
        m_font = s.m_font;
    if (m & GCB_BITMAP)
        m_bitmap = s.m_bitmap;
    if (m & GCB_ALIGNMENT)
        m_alignment = s.m_alignment;
    if (m & GCB_USERDATA)
        CopyUserData(s);
    if (m & GCB_JOIN) {
        m_joinOrigin = s.m_joinOrigin;
        m_joinRows = s.m_joinRows;
        m_joinColumns = s.m_joinColumns;
    }
    return 0;
}

int GridCell::SetText(const char* text)
{
    m_text = text ? text : "";
    m_dataType = GDT_TEXT;
    m_mask |= GCB_TEXT | GCB_DATATYPE;
    return 0;
}

const char* GridCell::GetText() const
{
    return IsSet(GCB_TEXT) ? m_text.c_str() : nullptr;
}

int GridCell::GetTextLength() const
{
    return IsSet(GCB_TEXT) ? (int)m_text.size() : 0;
}

int GridCell::SetText2(const char* text)
{
    m_text2 = text ? text : "";
    m_mask |= GCB_TEXT2;
    return 0;
}

const char* GridCell::GetText2() const
{
    return IsSet(GCB_TEXT2) ? m_text2.c_str() : nullptr;
}

int GridCell::SetLabel(const char* text)
{
    m_label = text ? text : "";
    m_mask |= GCB_LABEL;
    return 0;
}

int GridCell::GetLabel(std::string& out) const
{
    if (!IsSet(GCB_LABEL))
        return 1;
    out = m_label;
    return 0;
}

const char* GridCell::GetLabel() const
{
    return IsSet(GCB_LABEL) ? m_label.c_str() : nullptr;
}

int GridCell::SetBool(bool value)
{
    SetText(value ? "1" : "0");
    m_dataType = GDT_BOOL;
    return 0;
}

bool GridCell::GetBool() const
{
    const char* t = GetText();
    if (!t || !*t)
        return false;
    if (*t == 'T' || *t == 't')
        return true;
    return std::strtol(t, nullptr, 10) != 0;
}

int GridCell::SetNumber(double value)
{
    char buf[400];
    if (IsSet(GCB_DECIMALS)) {
        // Held to 0-15 so the format and its result stay bounded.
        int decimals = m_decimals < 0 ? 0 : (m_decimals > 15 ? 15 : m_decimals);
        char format[16];
        std::snprintf(format, sizeof format, "%%1.%dlf", decimals);
        std::snprintf(buf, sizeof buf, format, value);
    } else {
        std::snprintf(buf, sizeof buf, "%lf", value);
    }
    SetText(buf);
    m_dataType = GDT_NUMBER;
    return 0;
}

double GridCell::GetNumber() const
{
    const char* t = GetText();
    return t ? std::atof(t) : 0.0;
}

int GridCell::SetDecimals(short decimals)
{
    m_decimals = decimals;
    m_mask |= GCB_DECIMALS;
    return 0;
}

int GridCell::SetDataType(short type)
{
    m_dataType = type;
    m_mask |= GCB_DATATYPE;
    return 0;
}

int GridCell::SetReadOnly(DWORD on)
{
    m_readOnly = on;
    m_mask |= GCB_READONLY;
    return 0;
}

int GridCell::SetCellType(int index)
{
    m_cellType = index;
    m_mask |= GCB_CELLTYPE;
    return 0;
}

int GridCell::SetCellTypeEx(DWORD bits)
{
    m_cellTypeEx = bits;
    m_mask |= GCB_CELLTYPEEX;
    return 0;
}

int GridCell::SetColor(COLORREF& field, DWORD bit, COLORREF c)
{
    field = c;
    m_mask |= bit;
    return 0;
}

COLORREF GridCell::ColorOr(COLORREF field, DWORD bit, int sysIndex) const
{
    return IsSet(bit) ? field : GridSysColor(sysIndex);
}

int GridCell::SetBorder(WORD bits)
{
    m_border = bits;
    m_mask |= GCB_BORDER;
    return 0;
}

int GridCell::SetBorderPen(CPen* pen)
{
    m_borderPen = pen;
    m_mask |= GCB_BORDERPEN;
    return 0;
}

int GridCell::SetFont(CFont* font)
{
    m_font = font;
    m_mask |= GCB_FONT;
    return 0;
}

int GridCell::SetBitmap(CBitmap* bitmap)
{
    m_bitmap = bitmap;
    m_mask |= GCB_BITMAP;
    return 0;
}

int GridCell::SetAlignment(WORD bits)
{
    m_alignment = bits;
    m_mask |= GCB_ALIGNMENT;
    return 0;
}

int GridCell::SetUserData(const void* data, DWORD length)
{
    FreeUserData();
    m_mask |= GCB_USERDATA;
    if (length == 0)
        return 0;
    m_userData = static_cast<BYTE*>(Allocate(length));
    if (!m_userData)
        return 1;
    std::memcpy(m_userData, data, length);
    m_userDataLength = length;
    return 0;
}

int GridCell::SetJoinInfo(short origin, LONG columns, LONG rows)
{
    m_joinOrigin = origin;
    m_joinColumns = columns;
    m_joinRows = rows;
    m_mask |= GCB_JOIN;
    return 0;
}

int GridCell::GetJoinInfo(short& origin, LONG& columns, LONG& rows) const
{
    if (!IsSet(GCB_JOIN))
        return 1;
    origin = m_joinOrigin;
    columns = m_joinColumns;
    rows = m_joinRows;
    return 0;
}

int GridCell::SetStyleCell(const GridCell* style)
{
    m_style = style;
    m_mask |= GCB_STYLE;
    return 0;
}

int GridCell::SetFormatObject(GridCellFormat* format)
{
    m_format = format;
    m_mask |= GCB_FORMAT;
    return 0;
}
