#include "database/file/BTJournal.h"

#include "classlib/Exceptions.h"
#include "database/file/BTPageCache.h"
#include "database/file/BTPagedFile.h"
#include "database/file/BTRecoveryException.h"
#include "database/file/BTWriteGate.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#endif

#include <algorithm>
#include <vector>

namespace {
const DWORD kJournalMagic = 0x314A564C; // "LVJ1"
const DWORD kOldMasterMagic = 0x314D564C; // "LVM1"
const DWORD kMasterMagic = 0x324D564C;    // "LVM2"
const DWORD kOriginal = 1;
const DWORD kMaster = 2;
const DWORD kNewHeader = 3;
const DWORD kPartner = 4;
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

// A master journal as read at recovery.
struct Master
{
    enum State
    {
        missing,
        unreadable, // there, but held by another process
        torn,       // cut short while it was written: no journal names it
        valid,
    };
    State state = missing;
    BOOL bIdentities = FALSE; // the older form names files without identities
    std::vector<BTJournal::Named> files;
    CString moved;
};

CString TakeString(const std::vector<BYTE>& bytes, size_t& at, size_t end, BOOL& bOk)
{
    if (at + 4 > end) {
        bOk = FALSE;
        return CString();
    }
    DWORD n = GetU32(bytes.data() + at);
    at += 4;
    if (n > end - at || n >= kMaxPath) {
        bOk = FALSE;
        return CString();
    }
    CString text((const char*)bytes.data() + at, (int)n);
    at += n;
    return text;
}

Master ReadMaster(const CString& path)
{
    Master master;
    if (!FileExists(path))
        return master;
    std::vector<BYTE> bytes;
    if (!ReadAll(path, bytes)) {
        master.state = Master::unreadable;
        return master;
    }
    master.state = Master::torn;
    if (bytes.size() < 8)
        return master;
    const size_t end = bytes.size() - 4;
    const DWORD magic = GetU32(bytes.data());
    if ((magic != kMasterMagic && magic != kOldMasterMagic) ||
        Checksum(bytes.data(), end) != GetU32(bytes.data() + end))
        return master;
    BOOL bOk = TRUE;
    size_t at = 4;
    if (magic == kOldMasterMagic) {
        while (bOk && at + 4 <= end) {
            CString named = TakeString(bytes, at, end, bOk);
            if (bOk)
                master.files.push_back(BTJournal::Named{named, 0});
        }
    } else {
        master.bIdentities = TRUE;
        DWORD count = at + 4 <= end ? GetU32(bytes.data() + at) : 0;
        at += 4;
        for (DWORD i = 0; bOk && i < count && i < 16; ++i) {
            DWORD identity = at + 4 <= end ? GetU32(bytes.data() + at) : 0;
            at += 4;
            CString named = TakeString(bytes, at, end, bOk);
            if (bOk)
                master.files.push_back(BTJournal::Named{named, identity});
        }
        if (bOk)
            master.moved = TakeString(bytes, at, end, bOk);
        if (!bOk)
            return master;
    }
    master.state = Master::valid;
    return master;
}

// The name of a path without its folder, for comparing the files a master
// journal names with a file that may have been reached by another path.
CString FileNameOf(const CString& path)
{
    int start = path.GetLength();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/' && path[start - 1] != ':')
        --start;
    return path.Mid(start);
}

// A journal as read at recovery: the records that check, up to the first
// that does not.
struct JournalImage
{
    struct Region
    {
        DWORD offset, size;
        size_t at;
    };
    std::vector<BYTE> bytes;
    BOOL bHeader = FALSE;
    DWORD oldLength = 0;
    DWORD identity = 0;
    std::vector<Region> regions;
    std::vector<size_t> newHeaders; // where the headers a commit was to write lie
    CString master;
    CString partner; // the other file of a two-file commit
    DWORD partnerBefore = 0, partnerAfter = 0;

    // Whether the file on disk can be the one this journal protects: as
    // long as when the journal began, and its header that one, or the one
    // the commit writes, or (a torn write) each byte one of the two.
    BOOL Fits(BTPagedFile& file) const;

    void Parse()
    {
        bHeader = bytes.size() >= kHeaderSize && GetU32(bytes.data()) == kJournalMagic &&
                  GetU32(bytes.data() + 12) == Checksum(bytes.data(), 12);
        if (!bHeader)
            return;
        oldLength = GetU32(bytes.data() + 4);
        identity = GetU32(bytes.data() + 8);
        for (size_t at = kHeaderSize; bytes.size() - at >= 16;) {
            const BYTE* r = bytes.data() + at;
            DWORD kind = GetU32(r), offset = GetU32(r + 4), size = GetU32(r + 8);
            if (size > bytes.size() - at - 16 || GetU32(r + 12 + size) != Checksum(r, 12 + size))
                break;
            if (kind == kOriginal)
                regions.push_back(Region{offset, size, at + 12});
            else if (kind == kMaster && size < kMaxPath)
                master = CString((const char*)r + 12, (int)size);
            else if (kind == kNewHeader && size == BTPagedFile::headerAreaSize)
                newHeaders.push_back(at + 12);
            else if (kind == kPartner && size >= 8 && size < kMaxPath) {
                partnerBefore = GetU32(r + 12);
                partnerAfter = GetU32(r + 16);
                partner = CString((const char*)r + 20, (int)(size - 8));
            }
            at += 16 + size;
        }
    }
};

} // namespace

BOOL JournalImage::Fits(BTPagedFile& file) const
{
    const UINT n = BTPagedFile::headerAreaSize;
    if (file.GetLength() < oldLength)
        return FALSE;
    BYTE disk[BTPagedFile::headerAreaSize];
    BTJournal::ReadHeader(file, disk);
    if (BTJournal::IdentityOf(disk, oldLength) == identity)
        return TRUE;
    auto saved = std::find_if(regions.begin(), regions.end(), [](const Region& r) { return r.offset == 0; });
    if (saved == regions.end() || saved->size != n ||
        BTJournal::IdentityOf(bytes.data() + saved->at, oldLength) != identity)
        return FALSE;
    const BYTE* old = bytes.data() + saved->at;
    for (size_t at : newHeaders) {
        const BYTE* now = bytes.data() + at;
        UINT i = 0;
        while (i < n && (disk[i] == old[i] || disk[i] == now[i]))
            ++i;
        if (i == n)
            return TRUE;
    }
    return FALSE;
}

namespace {

// The identity of the file as it is on disk (committed: no journal).
DWORD DiskIdentity(BTPagedFile& file)
{
    BYTE disk[BTPagedFile::headerAreaSize];
    BTJournal::ReadHeader(file, disk);
    return BTJournal::IdentityOf(disk, file.GetLength());
}

} // namespace

BTJournal::BTJournal()
    : m_bActive(FALSE), m_bHandle(FALSE), m_bUnsynced(FALSE), m_committedLength(0), m_identity(0)
{
}

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

DWORD BTJournal::IdentityOf(const BYTE* header, DWORD committedLength)
{
    BYTE length[4];
    PutU32(length, committedLength);
    DWORD identity = Checksum(length, 4, Checksum(header, BTPagedFile::headerAreaSize));
    return identity != 0 ? identity : 1; // 0 says "not recorded"
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
    // Nothing of the file has changed on disk yet: its header is the committed one.
    BYTE header[BTPagedFile::headerAreaSize];
    ReadHeader(file, header);
    m_identity = IdentityOf(header, m_committedLength);
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
    BYTE journalHeader[kHeaderSize];
    PutU32(journalHeader, kJournalMagic);
    PutU32(journalHeader + 4, m_committedLength);
    PutU32(journalHeader + 8, m_identity);
    PutU32(journalHeader + 12, Checksum(journalHeader, 12));
    Append(journalHeader, kHeaderSize);
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

void BTJournal::NoteNewHeader(const BYTE* header)
{
    if (m_bActive)
        AppendRecord(kNewHeader, 0, header, BTPagedFile::headerAreaSize);
}

void BTJournal::NamePartner(const CString& partnerPath, const BYTE* committedHeader, const BYTE* newHeader)
{
    std::vector<BYTE> bytes(8);
    PutU32(bytes.data(), Checksum(committedHeader, BTPagedFile::headerAreaSize));
    PutU32(bytes.data() + 4, Checksum(newHeader, BTPagedFile::headerAreaSize));
    const char* path = partnerPath;
    bytes.insert(bytes.end(), path, path + partnerPath.GetLength());
    AppendRecord(kPartner, 0, bytes.data(), (DWORD)bytes.size());
}

BOOL BTJournal::ReadPartnerHeader(const CString& path, BYTE* header)
{
    // Open in this process (a database's data file is, when its key file
    // opens): the header as on disk is known there.
    for (BTPagedFile* file = BTPageCache::GetFirstFile(); file; file = file->m_pLessRecentFile) {
        if (file->m_bDiskHeader && file->IsOpen() && file->m_path.CompareNoCase(path) == 0) {
            std::copy_n(file->m_diskHeader, (size_t)BTPagedFile::headerAreaSize, header);
            return TRUE;
        }
    }
    CFile other;
    CFileException error;
    if (!other.Open(path, CFile::modeRead | CFile::shareDenyNone, &error))
        return FALSE;
    std::fill_n(header, (size_t)BTPagedFile::headerAreaSize, (BYTE)0);
    other.Read(header, BTPagedFile::headerAreaSize);
    other.Close();
    return TRUE;
}

void BTJournal::ReadHeader(BTPagedFile& file, BYTE* header)
{
    file.ReadRegion(0, header, BTPagedFile::headerAreaSize);
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

namespace {

void PutString(std::vector<BYTE>& bytes, const CString& text)
{
    BYTE n[4];
    PutU32(n, (DWORD)text.GetLength());
    bytes.insert(bytes.end(), n, n + 4);
    const char* chars = text;
    bytes.insert(bytes.end(), chars, chars + text.GetLength());
}

void PutWord(std::vector<BYTE>& bytes, DWORD value)
{
    BYTE n[4];
    PutU32(n, value);
    bytes.insert(bytes.end(), n, n + 4);
}

} // namespace

void BTJournal::WriteMaster(const CString& masterPath, const Named& first, const Named& second,
                            const CString& moved)
{
    std::vector<BYTE> bytes;
    PutWord(bytes, kMasterMagic);
    PutWord(bytes, 2);
    for (const Named* named : {&first, &second}) {
        PutWord(bytes, named->identity);
        PutString(bytes, named->path);
    }
    PutString(bytes, moved);
    PutWord(bytes, Checksum(bytes.data(), bytes.size()));
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

void BTJournal::MoveOver(const CString& from, const CString& to)
{
    if (!BTWriteGate::Change())
        return;
#ifdef _WIN32
    if (!::MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        AfxThrowFileException(CFileException::OsErrorToException((LONG)::GetLastError()),
                              (LONG)::GetLastError(), from);
#else
    if (std::rename(AfxNativePath(from), AfxNativePath(to)) != 0)
        AfxThrowFileException(CFileException::ErrnoToException(errno), errno, from);
#endif
}

void BTJournal::Delete(const CString& path)
{
    if (FileExists(path))
        RemoveFile(path);
}

void BTJournal::Discard(const CString& filePath)
{
    const CString path = PathFor(filePath);
    if (FileExists(path))
        RemoveFile(path);
}

namespace {

// Refuses a master journal that names other files, or this one as another
// file was: it would decide for this file what is not its to decide.
void CheckMaster(const Master& master, const CString& masterPath, const CString& filePath, DWORD identity)
{
    if (master.state != Master::valid || !master.bIdentities)
        return;
    const CString name = FileNameOf(filePath);
    for (const BTJournal::Named& named : master.files) {
        if (FileNameOf(named.path).CompareNoCase(name) != 0)
            continue;
        if (named.identity != 0 && named.identity != identity)
            BTThrowForeignJournal(masterPath);
        return;
    }
    BTThrowForeignJournal(masterPath);
}

// Whether a file the master journal names still has a journal.
BOOL AnyJournalLeft(const Master& master)
{
    for (const BTJournal::Named& named : master.files) {
        if (FileExists(BTJournal::PathFor(named.path)))
            return TRUE;
    }
    return FALSE;
}

} // namespace

BTJournal::Outcome BTJournal::Recover(BTPagedFile& file, BOOL bWritable)
{
    const CString path = PathFor(file.GetPathName());
    const CString beside = MasterPathFor(file.GetPathName());
    const BOOL bJournal = FileExists(path);
    const Master besideMaster = ReadMaster(beside);
    if (!bJournal && besideMaster.state == Master::missing)
        return nothingFound;

    JournalImage journal;
    if (bJournal) {
        if (!ReadAll(path, journal.bytes))
            AfxThrowFileException(CFileException::sharingViolation, -1, path);
        journal.Parse();
    }
    // Nothing changes before the journal and the master journals are known
    // to be this file's.
    const DWORD identity = journal.bHeader && journal.identity != 0 ? journal.identity : DiskIdentity(file);
    if (journal.bHeader && journal.identity != 0 && !journal.Fits(file))
        BTThrowForeignJournal(path);
    // The other file of a two-file commit, once its own recovery is over, is
    // as before that commit or as after it; another one says the journal
    // is not this file's.
    BYTE partner[BTPagedFile::headerAreaSize];
    if (!journal.partner.IsEmpty() && !FileExists(PathFor(journal.partner)) &&
        ReadPartnerHeader(journal.partner, partner)) {
        const DWORD sum = Checksum(partner, sizeof partner);
        if (sum != journal.partnerBefore && sum != journal.partnerAfter)
            BTThrowForeignJournal(path);
    }
    CheckMaster(besideMaster, beside, file.GetPathName(), identity);
    Master named;
    if (!journal.master.IsEmpty() && journal.master != beside) {
        named = ReadMaster(journal.master);
        CheckMaster(named, journal.master, file.GetPathName(), identity);
    } else if (!journal.master.IsEmpty()) {
        named = besideMaster;
    }

    auto RollBack = [&file, &journal] {
        if (!journal.bHeader)
            return;
        for (const JournalImage::Region& region : journal.regions)
            file.WriteRegionRaw(region.offset, journal.bytes.data() + region.at, region.size);
        file.CutTo(journal.oldLength);
        file.CFile::Flush();
    };
    const BOOL bMove = besideMaster.state == Master::valid && !besideMaster.moved.IsEmpty();
    if (!bJournal && !bMove) {
        // A master journal no journal names any more: the leftover of a
        // commit that never wrote a page.
        if (bWritable && besideMaster.state != Master::unreadable && !AnyJournalLeft(besideMaster))
            RemoveFile(beside);
        return nothingFound;
    }
    if (!bWritable)
        BTThrowSavePending(file.GetPathName());

    if (bMove) {
        if (FileExists(besideMaster.moved)) {
            // Not moved yet: this file goes back, the moved file goes. The
            // order lets an open cut short here start again.
            RollBack();
            if (bJournal)
                RemoveFile(path);
            Discard(besideMaster.moved);
            RemoveFile(besideMaster.moved);
            RemoveFile(beside);
            return moveUndone;
        }
        // Moved: this file was forced before the move; the replaced file's
        // journal is no longer its own.
        if (besideMaster.files.size() > 1)
            Discard(besideMaster.files[1].path);
        RemoveFile(beside);
        if (bJournal)
            RemoveFile(path);
        return moveFinished;
    }

    // A master journal that is gone committed both files.
    const BOOL bCommitted = !journal.master.IsEmpty() && named.state == Master::missing;
    if (!bCommitted)
        RollBack();
    RemoveFile(path);
    // The master journal goes with the last journal that names it; a torn
    // one beside this file was never named by any.
    if (!journal.master.IsEmpty() && !bCommitted && named.state == Master::valid && !AnyJournalLeft(named))
        RemoveFile(journal.master);
    if (besideMaster.state == Master::torn ||
        (besideMaster.state == Master::valid && journal.master != beside && !AnyJournalLeft(besideMaster)))
        RemoveFile(beside);
    return rolledBack;
}
