#include "database/text/WorkformTable.h"

#include "classlib/Exceptions.h"
#include "database/text/WorkformDoc.h"

#include <ctime>

namespace {
const CWorkformInfo& BuiltInDefault()
{
    static const CWorkformInfo workform = [] {
        const char* names[kWorkformFields];
        for (int n = 1; n <= kWorkformFields; ++n)
            names[n - 1] = GetBuiltInFieldName(n);
        return CWorkformInfo(kDefaultWorkformName, kDefaultWorkformId, names, "");
    }();
    return workform;
}

// The runtime library's case-insensitive compare: ASCII letters only.
bool EqualNoCase(const char* a, const char* b)
{
    auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    for (;; ++a, ++b) {
        if (fold(static_cast<unsigned char>(*a)) != fold(static_cast<unsigned char>(*b)))
            return false;
        if (*a == '\0')
            return true;
    }
}

const int kIdRange = 0x8000; // new IDs are drawn from 0..32767
const int kRandomDraws = 64; // then a walk from the last draw finds any free ID
} // namespace

CWorkformTable::CWorkformTable() : m_randomState(0), m_seeded(false) {}

CWorkformTable::~CWorkformTable()
{
    RemoveAll();
}

const CWorkformInfo* CWorkformTable::At(int index) const
{
    return static_cast<const CWorkformInfo*>(m_workforms.GetAt(index));
}

int CWorkformTable::GetCount() const
{
    return static_cast<int>(m_workforms.GetSize());
}

const IWorkformInfo& CWorkformTable::GetAt(int index) const
{
    return *At(index);
}

int16_t CWorkformTable::GetIdAt(int index) const
{
    return At(index)->GetId();
}

const char* CWorkformTable::GetNameAt(int index) const
{
    return At(index)->GetName();
}

int CWorkformTable::GetNames(CStringArray& names) const
{
    for (int i = 0; i < GetCount(); ++i)
        names.Add(CString(GetNameAt(i)));
    return GetCount();
}

const IWorkformInfo& CWorkformTable::GetDefault() const
{
    return BuiltInDefault();
}

const IWorkformInfo& CWorkformTable::FindByName(const char* name) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (EqualNoCase(GetNameAt(i), name != nullptr ? name : ""))
            return *At(i);
    }
    return GetDefault();
}

int CWorkformTable::IndexOfId(int id) const
{
    const int16_t id16 = static_cast<int16_t>(id);
    for (int i = 0; i < GetCount(); ++i) {
        if (GetIdAt(i) == id16)
            return i;
    }
    return -1;
}

const IWorkformInfo& CWorkformTable::FindById(int id) const
{
    const int index = IndexOfId(id);
    return index >= 0 ? *At(index) : GetDefault();
}

const char* CWorkformTable::GetName(int id) const
{
    return FindById(id).GetName();
}

BOOL CWorkformTable::IsWorkformLetter(const char* text) const
{
    if (text == nullptr || text[0] == '\0' || text[1] != '\0')
        return FALSE;
    return (text[0] >= 'A' && text[0] <= 'T') || (text[0] >= 'a' && text[0] <= 't');
}

int16_t CWorkformTable::GetIdFromText(const char* text) const
{
    if (IsWorkformLetter(text)) {
        const char letter = text[0] >= 'a' ? static_cast<char>(text[0] - ('a' - 'A')) : text[0];
        return static_cast<int16_t>(letter - 'A');
    }
    return FindByName(text).GetId();
}

const char* CWorkformTable::GetFieldName(int id, int n) const
{
    return FindById(id).GetFieldName(n);
}

BOOL CWorkformTable::IsFieldUsed(int id, int n) const
{
    return FindById(id).IsFieldUsed(n);
}

BOOL CWorkformTable::Exists(int id) const
{
    return FindById(id).GetId() != kDefaultWorkformId;
}

void CWorkformTable::AddFromDocument(const CWorkformDoc& doc)
{
    if (static_cast<int16_t>(doc.GetWorkformId()) == kDefaultWorkformId || Exists(doc.GetWorkformId()))
        return;
    m_workforms.Add(new CWorkformInfo(doc));
}

void CWorkformTable::UpdateFromDocument(const CWorkformDoc& doc)
{
    if (static_cast<int16_t>(doc.GetWorkformId()) == kDefaultWorkformId)
        return;
    const int index = IndexOfId(doc.GetWorkformId());
    if (index < 0) {
        m_workforms.Add(new CWorkformInfo(doc));
        return;
    }
    CWorkformInfo* replacement = new CWorkformInfo(doc);
    delete At(index);
    m_workforms.SetAt(index, replacement);
}

void CWorkformTable::RemoveAll()
{
    for (int i = 0; i < GetCount(); ++i)
        delete At(i);
    m_workforms.RemoveAll();
}

bool CWorkformTable::IsReservedId(int id)
{
    return (id >= 0 && id <= 25) || id == 17762 || id == 21426 || id == 0xFFFF;
}

// The runtime library's generator (same steps and range), kept per table and
// seeded once: seeding again from the clock at every call gave two workforms
// made in the same second the same ID.
int CWorkformTable::DrawRandom()
{
    if (!m_seeded) {
        m_randomState = static_cast<uint32_t>(std::time(nullptr));
        m_seeded = true;
    }
    m_randomState = m_randomState * 214013u + 2531011u;
    return static_cast<int>((m_randomState >> 16) & 0x7FFF);
}

int16_t CWorkformTable::NewWorkformId()
{
    auto isFree = [this](int id) { return !IsReservedId(id) && !m_issued.test(id) && IndexOfId(id) < 0; };
    int id = DrawRandom();
    for (int draw = 1; draw < kRandomDraws && !isFree(id); ++draw)
        id = DrawRandom();
    for (int step = 0; step < kIdRange && !isFree(id); ++step)
        id = (id + 1) % kIdRange;
    if (!isFree(id))
        AfxThrowNotSupportedException();
    m_issued.set(id);
    return static_cast<int16_t>(id);
}

CWorkformTable& GetWorkformTable()
{
    static CWorkformTable table;
    return table;
}
