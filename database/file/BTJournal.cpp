#include "database/file/BTJournal.h"

#include "classlib/Exceptions.h"
#include "database/file/BTPagedFile.h"
#include "database/file/BTWriteGate.h"

#include <vector>

namespace {
const DWORD kJournalMagic = 0x314A564C; // "LVJ1"
const DWORD kMasterMagic = 0x314D564C;  // "LVM1"
const DWORD kOriginal = 1;
const DWORD kMaster = 2;
const UINT kHeaderSize = 16;
const DWORD kMaxPath = 4096;

void PutU32(BYTE* p, DWORD v)
{
    p[0] = (BYTE)v;
    p[1] = (BYTE)(v >> 8);
    p[2] = (BYTE)(v >> 16);
    p[3] = (BYTE)(v >> 24);
}

DWORD GetU32(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// FNV-1a over the bytes, continuing from `sum`.
DWORD Checksum(const BYTE* p, size_t n, DWORD sum = 2166136261u)
{
    for (size_t i = 0; i < n; ++i)
        sum = (sum ^ p[i]) * 16777619u;
    return sum;
}

BOOL FileExists(const CString& path)
{
    CFileStatus status;
    return CFile::GetStatus(path, status);
}

void RemoveFile(const CString& path)
{
    if (BTWriteGate::Change())
        CFile::Remove(path);
}

// The whole journal or master journal, or FALSE when it cannot be read.
BOOL ReadAll(const CString& path, std::vector<BYTE>& bytes)
{
    CFile file;
    CFileException error;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
        return FALSE;
    DWORD length = file.GetLength();
    AfxTranslateBadAlloc([&] { bytes.resize(length); });
    UINT got = length ? file.Read(bytes.data(), length) : 0;
    file.Close();
    bytes.resize(got);
    return TRUE;
}

// The paths a master journal names; empty when it does not check.
std::vector<CString> ReadMaster(const CString& path)
{
    std::vector<CString> paths;
    std::vector<BYTE> bytes;
    if (!ReadAll(path, bytes) || bytes.size() < 8 || GetU32(bytes.data()) != kMasterMagic)
        return paths;
    size_t end = bytes.size() - 4;
    if (Checksum(bytes.data(), end) != GetU32(bytes.data() + end))
        return paths;
    for (size_t at = 4; at + 4 <= end;) {
        DWORD n = GetU32(bytes.data() + at);
        at += 4;
        if (n > end - at)
            break;
        paths.push_back(CString((const char*)bytes.data() + at, (int)n));
        at += n;
    }
    return paths;
}
} // namespace

BTJournal::BTJournal() : m_bActive(FALSE), m_bHandle(FALSE), m_bUnsynced(FALSE), m_committedLength(0) {}

BTJournal::~BTJournal()
{
    Drop();
}

CString BTJournal::PathFor(const CString& filePath)
{
    return filePath + "-journal";
}

CString BTJournal::MasterPathFor(const CString& filePath)
{
    return filePath + "-mjournal";
}

void BTJournal::Reset(DWORD committedLength)
{
    Drop();
    m_committedLength = committedLength;
}

void BTJournal::Drop()
{
    if (m_bHandle)
        m_file.Abort();
    m_bHandle = FALSE;
    m_bActive = FALSE;
    m_bUnsynced = FALSE;
    m_saved.clear();
}

void BTJournal::Begin(BTPagedFile& file)
{
    m_path = PathFor(file.GetPathName());
    m_bActive = TRUE;
    m_bUnsynced = TRUE;
    if (!BTWriteGate::Change())
        return; // the disk stopped: no journal, and no write after it
    CFileException error;
    if (!m_file.Open(m_path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error)) {
        m_bActive = FALSE;
        AfxThrowFileException(error.m_cause, error.m_lOsError, m_path);
    }
    m_bHandle = TRUE;
    BYTE header[kHeaderSize];
    PutU32(header, kJournalMagic);
    PutU32(header + 4, m_committedLength);
    PutU32(header + 8, 0);
    PutU32(header + 12, Checksum(header, 12));
    Append(header, kHeaderSize);
}

void BTJournal::Append(const void* bytes, UINT n)
{
    UINT passed = BTWriteGate::Write(n);
    if (m_bHandle && passed)
        m_file.Write(bytes, passed);
    m_bUnsynced = TRUE;
}

void BTJournal::AppendRecord(DWORD kind, DWORD offset, const BYTE* bytes, DWORD size)
{
    std::vector<BYTE> record;
    AfxTranslateBadAlloc([&] { record.resize(16 + size); });
    PutU32(record.data(), kind);
    PutU32(record.data() + 4, offset);
    PutU32(record.data() + 8, size);
    std::copy(bytes, bytes + size, record.data() + 12);
    PutU32(record.data() + 12 + size, Checksum(record.data(), 12 + size));
    Append(record.data(), (UINT)record.size());
}

void BTJournal::Save(BTPagedFile& file, DWORD offset, DWORD size)
{
    if (!Protects(offset))
        return;
    if (size > m_committedLength - offset)
        size = m_committedLength - offset;
    AfxTranslateBadAlloc([&] { m_saved.reserve(m_saved.size() + 1); });
    if (!m_bActive)
        Begin(file);
    std::vector<BYTE> original;
    AfxTranslateBadAlloc([&] { original.resize(size); });
    file.ReadRegion(offset, original.data(), size);
    AppendRecord(kOriginal, offset, original.data(), size);
    m_saved.insert(offset);
}

void BTJournal::Sync()
{
    if (!m_bUnsynced)
        return;
    if (m_bHandle)
        m_file.Flush();
    m_bUnsynced = FALSE;
}

void BTJournal::NameMaster(const CString& masterPath)
{
    AppendRecord(kMaster, 0, (const BYTE*)(const char*)masterPath, (DWORD)masterPath.GetLength());
}

void BTJournal::Commit()
{
    if (!m_bActive)
        return;
    if (m_bHandle)
        m_file.Close();
    m_bHandle = FALSE;
    RemoveFile(m_path);
    Drop();
}

void BTJournal::WriteMaster(const CString& masterPath, const CString& first, const CString& second)
{
    std::vector<BYTE> bytes(4);
    PutU32(bytes.data(), kMasterMagic);
    for (const CString* path : {&first, &second}) {
        BYTE n[4];
        PutU32(n, (DWORD)path->GetLength());
        bytes.insert(bytes.end(), n, n + 4);
        const char* text = *path;
        bytes.insert(bytes.end(), text, text + path->GetLength());
    }
    BYTE sum[4];
    PutU32(sum, Checksum(bytes.data(), bytes.size()));
    bytes.insert(bytes.end(), sum, sum + 4);
    if (!BTWriteGate::Change())
        return;
    CFile file;
    CFileException error;
    if (!file.Open(masterPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, masterPath);
    UINT passed = BTWriteGate::Write((UINT)bytes.size());
    if (passed)
        file.Write(bytes.data(), passed);
    file.Flush();
    file.Close();
}

void BTJournal::RemoveMaster(const CString& masterPath)
{
    RemoveFile(masterPath);
}

void BTJournal::Discard(const CString& filePath)
{
    const CString path = PathFor(filePath);
    if (FileExists(path))
        RemoveFile(path);
}

void BTJournal::Recover(BTPagedFile& file, BOOL bWritable)
{
    const CString path = PathFor(file.GetPathName());
    if (!FileExists(path))
        return;
    if (!bWritable)
        AfxThrowFileException(CFileException::accessDenied, -1, path);
    std::vector<BYTE> bytes;
    if (!ReadAll(path, bytes))
        AfxThrowFileException(CFileException::sharingViolation, -1, path);

    // The records that check, up to the first that does not.
    struct Region
    {
        DWORD offset, size;
        size_t at;
    };
    std::vector<Region> regions;
    CString master;
    BOOL bHeader = bytes.size() >= kHeaderSize && GetU32(bytes.data()) == kJournalMagic &&
                   GetU32(bytes.data() + 12) == Checksum(bytes.data(), 12);
    DWORD oldLength = bHeader ? GetU32(bytes.data() + 4) : 0;
    for (size_t at = kHeaderSize; bHeader && bytes.size() - at >= 16;) {
        const BYTE* r = bytes.data() + at;
        DWORD kind = GetU32(r), offset = GetU32(r + 4), size = GetU32(r + 8);
        if (size > bytes.size() - at - 16 || GetU32(r + 12 + size) != Checksum(r, 12 + size))
            break;
        if (kind == kOriginal)
            regions.push_back(Region{offset, size, at + 12});
        else if (kind == kMaster && size < kMaxPath)
            master = CString((const char*)r + 12, (int)size);
        at += 16 + size;
    }

    // A master journal that is gone committed both files.
    BOOL bCommitted = !master.IsEmpty() && !FileExists(master);
    if (bHeader && !bCommitted) {
        for (const Region& region : regions)
            file.WriteRegionRaw(region.offset, bytes.data() + region.at, region.size);
        file.CutTo(oldLength);
        file.CFile::Flush();
    }
    RemoveFile(path);
    if (!master.IsEmpty() && !bCommitted) {
        // The master journal goes with the last journal that names it.
        BOOL bOthers = FALSE;
        for (const CString& named : ReadMaster(master))
            bOthers = bOthers || FileExists(PathFor(named));
        if (!bOthers)
            RemoveFile(master);
    }
}
