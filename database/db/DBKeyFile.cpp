#include "database/db/DBKeyFile.h"

#include "database/db/ArchiveFunction.h"

IMPLEMENT_DYNAMIC(DBKeyFile, BTPagedFile)

DBKeyFile::DBKeyFile()
{
    SetDocumentType(kDocumentType);
    SetVersion(kCurrentVersion);
}

DBKeyFile::~DBKeyFile()
{
    // The position indexes go first: each detaches itself from its tree.
    m_resourceTree.Attach(nullptr);
}

void DBKeyFile::InitNew()
{
    m_resourceTree.Attach(this);
    BTPagedFile::InitNew();
    if (HasResources())
        StoreCaches(TRUE);
}

namespace {

std::vector<BYTE> CacheForm(BTPositionIndex& index)
{
    ArchiveFunction object([&index](CArchive& ar) { index.Serialize(ar); });
    return StoredForm(object);
}

} // namespace

void DBKeyFile::OnOpen()
{
    m_resourceTree.Attach(this);
    BTPagedFile::OnOpen();
    if (!HasResources())
        return;
    for (int i = 0; i < kPositionIndexCount; ++i) {
        BTPositionIndex& index = m_positionIndexes[i];
        ArchiveFunction object([&index](CArchive& ar) { index.Serialize(ar); });
        if (m_resourceTree.ReadObject(object, kCacheResource, (DWORD)i))
            m_storedCaches[i] = CacheForm(index);
    }
}

void DBKeyFile::EmptyCaches()
{
    for (BTPositionIndex& index : m_positionIndexes)
        index.RemoveAll();
    for (std::vector<BYTE>& form : m_storedCaches)
        form.clear();
    m_resourceTree.Attach(nullptr);
}

void DBKeyFile::OnClose()
{
    BTPagedFile::OnClose();
    EmptyCaches();
}

void DBKeyFile::OnAbort()
{
    BTPagedFile::OnAbort();
    EmptyCaches();
}

void DBKeyFile::StoreCaches(BOOL bNew)
{
    for (int i = 0; i < kPositionIndexCount; ++i) {
        BTPositionIndex& index = m_positionIndexes[i];
        ArchiveFunction object([&index](CArchive& ar) { index.Serialize(ar); });
        std::vector<BYTE> form = CacheForm(index);
        if (!bNew && !form.empty() && form == m_storedCaches[i])
            continue;
        if (bNew)
            m_resourceTree.WriteObject(object, kCacheResource, (DWORD)i);
        else
            m_resourceTree.ReplaceObject(object, kCacheResource, (DWORD)i);
        m_storedCaches[i] = std::move(form);
    }
}

void DBKeyFile::StoreTablesForCommit()
{
    if (IsOpen() && IsWritable() && HasResources())
        StoreCaches(FALSE);
}

void DBKeyFile::FlushBuffers()
{
    if (!IsOpen() || !IsWritable())
        return;
    if (HasResources())
        StoreCaches(FALSE);
    BTPagedFile::FlushBuffers();
}

void DBKeyFile::SerializeHeader(CArchive& ar)
{
    BTPagedFile::SerializeHeader(ar);
    if (HasResources())
        m_resourceTree.SerializeRoot(ar);
}
