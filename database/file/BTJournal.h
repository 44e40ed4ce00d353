// BTJournal: the rollback journal that makes a paged file's flush all or
// nothing on disk.
//
// The journal lies beside the file, named after it: the file's path followed
// by "-journal" ("Refs.ldt" keeps "Refs.ldt-journal"). Before any byte of the
// file as it stood at the last commit is overwritten (by a flush, or by the
// cache writing back a page it evicts), the original bytes of that region
// are appended to the journal and the journal is forced to disk. New pages
// beyond the committed length need nothing: a rollback cuts them off. A flush
// then writes its pages and the header, forces the file to disk, and deletes
// the journal: the deletion is the commit. So the journal exists exactly
// while the file on disk may differ from its last committed state.
//
// Opening a file that has a journal rolls it back first: the original
// regions are written back, the file is cut to its old length and forced to
// disk, and the journal is deleted. Every record carries a checksum; a record
// that does not check was being appended when the process ended, so the
// region it protects was not yet touched, and it and anything after it are
// ignored (a journal whose header does not check is ignored whole).
//
// Two files commit together (a database's data and key file) through a
// master journal: the first file's path followed by "-mjournal", naming both
// files, is written and forced before either journal is told its name; then
// both files are written and forced; deleting the master journal is the
// commit of both; then their journals go. At open, a journal that names a
// master journal that no longer exists belongs to a committed flush and is
// deleted without rolling back.
//
// A commit may also move a finished file over another (a rebuilt key file
// over the one it replaces): the master journal then names the file moved
// in; the first file is written and forced, the file is moved over the
// other in one step (which is the commit), the replaced file's journal and
// the master journal are deleted. At open of the first file, a master
// journal with a move whose file is still there undoes it (the first file
// rolled back, the moved file deleted); one whose file is gone finishes it.
//
// A journal names its file: its spare word holds the identity of the file
// as committed when the journal began (a checksum of the committed header
// and length), a record holds the header the commit writes, and the master
// journal holds each file's identity; in a two-file commit each journal
// also names the other file with checksums of its header before and after
// the commit. Recovery applies a journal only to a
// file at least as long as the committed one whose header is the committed
// one, the one the commit writes, or a torn mix of the two, and whose other
// file (when its own recovery is over) has its header before or after the
// commit; a journal or
// master journal that names another file is left in place and the open is
// refused (BTRecoveryException) before anything changes. A journal whose identity is
// 0 (written before journals named their files) is recovered as it is.
// A file with a journal, or with a move to finish, opened read-only is
// refused the same way: it must be opened once with write access.
//
// Journal layout (little-endian):
//   header  u32 magic "LVJ1", u32 committed length of the file, u32 identity
//           of the file (0: not recorded), u32 checksum of the 12 bytes before
//   records u32 kind, u32 offset, u32 size n, n bytes, u32 checksum of the
//           12 + n bytes before; kind 1: the original n bytes of the file at
//           offset; kind 2: the master journal's path (offset 0); kind 3:
//           the 1024-byte header the commit writes (offset 0); kind 4:
//           u32 checksum of the other file's header before the commit, u32
//           the same after it, the other file's path (offset 0)
// Master journal: u32 magic "LVM2", u32 count of files, per file u32
// identity, u32 length and the path, then u32 length and the path of the
// file moved over the second file (length 0: none), then u32 checksum of
// everything before. The older form, magic "LVM1", holds per file u32 length
// and the path, then the checksum.
#pragma once

#include "classlib/CString.h"
#include "classlib/File.h"

#include <unordered_set>

class BTPagedFile;

class BTJournal
{
public:
    // What recovery found and did at an open.
    enum Outcome
    {
        nothingFound,
        rolledBack,    // a flush that did not end was undone, or found committed
        moveUndone,    // a commit with a move that did not end was undone
        moveFinished,  // a commit with a move that had moved its file was finished
    };
    // A file a master journal names.
    struct Named
    {
        CString path;
        DWORD identity;
    };

    BTJournal();
    // Closes the journal's handle; a journal left on disk is rolled back at
    // the next open.
    ~BTJournal();
    BTJournal(const BTJournal&) = delete;
    BTJournal& operator=(const BTJournal&) = delete;

    static CString PathFor(const CString& filePath);
    static CString MasterPathFor(const CString& filePath);

    // Starts over after an open or a commit: the file as committed is that long.
    void Reset(DWORD committedLength);
    DWORD GetCommittedLength() const { return m_committedLength; }
    BOOL IsActive() const { return m_bActive; }

    // Appends the original bytes of the committed part of the region unless
    // they are in the journal already; creates the journal when needed. Not
    // forced to disk until Sync.
    void Save(BTPagedFile& file, DWORD offset, DWORD size);
    // Whether a write of the region needs Save first.
    BOOL Protects(DWORD offset) const
    {
        return offset < m_committedLength && m_saved.find(offset) == m_saved.end();
    }
    // Forces what was appended to disk.
    void Sync();
    // Records the master journal of a two-file commit (then Sync).
    void NameMaster(const CString& masterPath);
    // The identity of the file this journal protects (0 while inactive).
    DWORD GetIdentity() const { return m_bActive ? m_identity : 0; }
    // The identity of a file as committed: its header area and length.
    static DWORD IdentityOf(const BYTE* header, DWORD committedLength);
    // Records the header the commit is about to write (after the original
    // header was saved), so that recovery knows this file by it too.
    void NoteNewHeader(const BYTE* header);
    // The header area as on disk (zeros past the end).
    static void ReadHeader(BTPagedFile& file, BYTE* header);
    // Records the other file of a two-file commit with its header before
    // and after the commit (with NameMaster).
    void NamePartner(const CString& partnerPath, const BYTE* committedHeader, const BYTE* newHeader);
    // Deletes the journal: the commit.
    void Commit();
    // Closes the handle and forgets the journal, leaving it on disk.
    void Drop();

    // Writes and forces the master journal naming both files; with a moved
    // file, that file is to be moved over the second.
    static void WriteMaster(const CString& masterPath, const Named& first, const Named& second,
                            const CString& moved = CString());
    // Moves a file over another in one step (the other replaced), and
    // deletes a file that is there; both through the write gate, as every
    // change of the files a commit involves.
    static void MoveOver(const CString& from, const CString& to);
    static void Delete(const CString& path);
    // Deletes it: the commit of both files.
    static void RemoveMaster(const CString& masterPath);

    // Deletes a journal left beside a file that is being created anew.
    static void Discard(const CString& filePath);
    // At open, before the header is read: rolls back a journal left by a
    // flush that did not end, finishes or undoes a move (see above). Raises
    // BTRecoveryException, changing nothing, for a foreign journal or a
    // file opened read-only with something to recover.
    static Outcome Recover(BTPagedFile& file, BOOL bWritable);

private:
    void Begin(BTPagedFile& file);
    // The header of the other file of a two-file commit; FALSE when it
    // cannot be read.
    static BOOL ReadPartnerHeader(const CString& path, BYTE* header);
    void Append(const void* bytes, UINT n);
    void AppendRecord(DWORD kind, DWORD offset, const BYTE* bytes, DWORD size);

    CFile m_file;
    BOOL m_bActive; // a journal exists for this file
    BOOL m_bHandle; // m_file is open (not when a stopped disk dropped its creation)
    BOOL m_bUnsynced;
    DWORD m_committedLength;
    DWORD m_identity;
    CString m_path;
    std::unordered_set<DWORD> m_saved; // offsets of the regions in the journal
};
