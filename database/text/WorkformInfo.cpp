#include "database/text/WorkformInfo.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/text/WorkformDoc.h"

#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(IWorkformInfo, CObject)
IMPLEMENT_SERIAL(CWorkformInfo, IWorkformInfo, 0)

const char kUnusedFieldName[] = "---";
const char kDefaultWorkformName[] = "<Default>";

namespace {
// clang-format off
const char* const kBuiltInFieldNames[kWorkformFields] = {
    "Author, Analytic",     "Author Role",         "Author Affiliation", "Title, Analytic",
    "Medium Designator",    "Connective Phrase",   "Author, Monographic", "Author Role",
    "Title, Monographic",   "Journal Title",       "Title",              "Reprint Status",
    "Place of Meeting",     "Medium Designator",   "Edition",            "Author, Subsidiary",
    "Author Role",          "Place of Publication", "Publisher Name",    "Date of Publication",
    "Date of Copyright",    "Volume ID",           "Report ID",          "Issue ID",
    "Location in Work",     "Extent of Work",      "Packaging Method",   "Size",
    "Reproduction Ratio",   "Series Editor",       "Series Editor Role", "Series Title",
    "Series Volume ID",     "Series Issue ID",     "Document Type",      "Connective Phrase",
    "Availability",         "Location/URL",        "CODEN",              "ISSN",
    "ISBN",                 "Notes",               "Abstract",           "Call Number",
    "Keywords",
};
// clang-format on

// The stored form of the 45 names must fit its u16 size.
const size_t kMaxNameBlock = 0xFFFF;

// Splits a field-name block into exactly 45 NUL-terminated names filling it
// to its end; false for anything else.
bool SplitNameBlock(const std::vector<char>& block, CString names[kWorkformFields])
{
    size_t start = 0;
    for (int i = 0; i < kWorkformFields; ++i) {
        const void* nul =
            start < block.size() ? std::memchr(&block[start], '\0', block.size() - start) : nullptr;
        if (nul == nullptr)
            return false;
        const size_t end = static_cast<const char*>(nul) - block.data();
        names[i] = CString(&block[start], static_cast<int>(end - start));
        start = end + 1;
    }
    return start == block.size();
}

void ReadExactly(CArchive& ar, void* buffer, UINT size)
{
    if (size != 0 && ar.Read(buffer, size) != size)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}
} // namespace

const char* GetBuiltInFieldName(int n)
{
    return kBuiltInFieldNames[n - 1];
}

CString FormatFieldListLine(const IWorkformInfo& workform, int n)
{
    CString line;
    line.Format("(%02d) %s", n, workform.GetFieldName(n));
    return line;
}

CWorkformInfo::CWorkformInfo() : m_id(kDefaultWorkformId)
{
    SetName("");
    for (int i = 0; i < kWorkformFields; ++i)
        m_fieldNames[i] = kBuiltInFieldNames[i];
}

CWorkformInfo::CWorkformInfo(const char* name, int16_t id, const char* const fieldNames[kWorkformFields],
                             const char* path)
    : m_id(id), m_path(path)
{
    SetName(name);
    for (int i = 0; i < kWorkformFields; ++i) {
        const char* field = fieldNames[i];
        m_fieldNames[i] = field != nullptr && *field != '\0' ? field : kUnusedFieldName;
    }
}

CWorkformInfo::CWorkformInfo(const CWorkformDoc& doc)
    : m_id(static_cast<int16_t>(doc.GetWorkformId())), m_path(doc.GetWorkformPath())
{
    SetName(doc.GetWorkformName());
    for (int n = 1; n <= kWorkformFields; ++n)
        m_fieldNames[n - 1] =
            doc.GetUsedFieldSet().Contains(n) ? doc.GetFieldName(n) : CString(kUnusedFieldName);
}

void CWorkformInfo::SetName(const char* name)
{
    std::memset(m_name, 0, sizeof m_name);
    if (name != nullptr)
        std::strncpy(m_name, name, kWorkformNameSize - 1);
}

BOOL CWorkformInfo::IsFieldUsed(int n) const
{
    return std::strcmp(m_fieldNames[n - 1], kUnusedFieldName) != 0;
}

BYTE* CWorkformInfo::GetUsedFields(BYTE* buffer) const
{
    BYTE* out = buffer;
    for (int n = 1; n <= kWorkformFields; ++n) {
        if (IsFieldUsed(n))
            *out++ = static_cast<BYTE>(n);
    }
    *out = 0;
    return buffer;
}

FieldSet& CWorkformInfo::GetFieldSet(FieldSet& out) const
{
    out.Clear();
    for (int n = 1; n <= kWorkformFields; ++n) {
        if (IsFieldUsed(n))
            out.Add(n);
    }
    return out;
}

// Layout: see WorkformInfo.h.
void CWorkformInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        size_t blockSize = 0;
        for (const CString& name : m_fieldNames)
            blockSize += static_cast<size_t>(name.GetLength()) + 1;
        if (blockSize > kMaxNameBlock)
            AfxThrowArchiveException(CArchiveException::generic);
        const WORD nameSize = static_cast<WORD>(std::strlen(m_name) + 1);
        ar << m_id << nameSize;
        ar.Write(m_name, nameSize);
        ar << static_cast<WORD>(blockSize);
        for (const CString& name : m_fieldNames)
            ar.Write(static_cast<const char*>(name), static_cast<UINT>(name.GetLength()) + 1);
        return;
    }

    int16_t id;
    WORD nameSize;
    ar >> id >> nameSize;
    if (nameSize > kWorkformNameSize)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    char name[kWorkformNameSize] = {};
    ReadExactly(ar, name, nameSize);
    WORD blockSize;
    ar >> blockSize;
    std::vector<char> block(blockSize);
    ReadExactly(ar, block.data(), blockSize);
    CString names[kWorkformFields];
    if (!SplitNameBlock(block, names))
        AfxThrowArchiveException(CArchiveException::endOfFile);

    m_id = id;
    SetName(name);
    for (int i = 0; i < kWorkformFields; ++i)
        m_fieldNames[i] = names[i];
}
