#include "dbwindows/core/RecordListLayout.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"

namespace {

const int kDefaultWidth = 180;

struct DefaultEntry
{
    int32_t visible;
    const char* title;
    int32_t fieldCode;
};

const DefaultEntry kDefaults[RecordListLayout::kEntries] = {
    {0, "Record ID", 0}, {1, "Author", 255},  {1, "Title", 254},
    {1, "Date", 253},    {0, "Keywords", 45}, {0, "Workform", 252},
};

int32_t ReadInt32(CArchive& ar)
{
    DWORD value;
    ar >> value;
    return static_cast<int32_t>(value);
}

} // namespace

RecordListLayout::RecordListLayout()
{
    for (int i = 0; i < kEntries; ++i) {
        m_entries[i].visible = kDefaults[i].visible;
        m_entries[i].title = kDefaults[i].title;
        m_entries[i].fieldCode = kDefaults[i].fieldCode;
        m_entries[i].width = kDefaultWidth;
    }
}

RecordListLayout::RecordListLayout(const RecordListLayout& other) : CObject()
{
    *this = other;
}

RecordListLayout& RecordListLayout::operator=(const RecordListLayout& other)
{
    if (this != &other) {
        for (int i = 0; i < kEntries; ++i)
            m_entries[i] = other.m_entries[i];
    }
    return *this;
}

bool RecordListLayout::operator==(const RecordListLayout& other) const
{
    for (int i = 0; i < kEntries; ++i) {
        const Entry& a = m_entries[i];
        const Entry& b = other.m_entries[i];
        if (a.visible != b.visible || a.title != b.title || a.fieldCode != b.fieldCode || a.width != b.width)
            return false;
    }
    return true;
}

bool RecordListLayout::IsColumnFieldCode(int code)
{
    return (code >= 0 && code <= 45) || (code >= 252 && code <= 255);
}

// Stored form (little-endian, no count and no version), the six entries in
// order, each:
//   u32 visible
//   title in the archive's string form (u8 length, or 0xFF u16, or 0xFF 0xFFFF u32; then the bytes)
//   u32 field code
//   u32 width
void RecordListLayout::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const Entry& e : m_entries) {
            ar << static_cast<DWORD>(e.visible);
            ar << e.title;
            ar << static_cast<DWORD>(e.fieldCode) << static_cast<DWORD>(e.width);
        }
        return;
    }
    Entry read[kEntries];
    for (Entry& e : read) {
        e.visible = ReadInt32(ar);
        ar >> e.title;
        e.fieldCode = ReadInt32(ar);
        e.width = ReadInt32(ar);
        if (!IsColumnFieldCode(e.fieldCode) || e.width < 0)
            AfxThrowArchiveException(CArchiveException::badSchema);
    }
    for (int i = 0; i < kEntries; ++i)
        m_entries[i] = read[i];
}
