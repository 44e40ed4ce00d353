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
// ignored (a journal whose header does not check is ignored whole). A file
// opened read-only with a journal is refused (CFileException accessDenied
// naming the journal) and nothing changes: it must be opened once with write
// access.
//
// Two files commit together (a database's data and key file) through a
// master journal: the first file's path followed by "-mjournal", naming both
// files, is written and forced before either journal is told its name; then
// both files are written and forced; deleting the master journal is the
// commit of both; then their journals go. At open, a journal that names a
// master journal that no longer exists belongs to a committed flush and is
// deleted without rolling back.
//
// Journal layout (little-endian):
//   header  u32 magic "LVJ1", u32 committed length of the file, u32 0,
//           u32 checksum of the 12 bytes before
//   records u32 kind, u32 offset, u32 size n, n bytes, u32 checksum of the
//           12 + n bytes before; kind 1: the original n bytes of the file at
//           offset; kind 2: the master journal's path (offset 0)
// Master journal: u32 magic "LVM1", then per file u32 length and the path,
// then u32 checksum of everything before.
#pragma once

#include "classlib/CString.h"
#include "classlib/File.h"

#include <unordered_set>

class BTPagedFile;

class BTJournal
{
public:
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
    // Deletes the journal: the commit.
    void Commit();
    // Closes the handle and forgets the journal, leaving it on disk.
    void Drop();

    // Writes and forces the master journal naming both files.
    static void WriteMaster(const CString& masterPath, const CString& first, const CString& second);
    // Deletes it: the commit of both files.
    static void RemoveMaster(const CString& masterPath);

    // Deletes a journal left beside a file that is being created anew.
    static void Discard(const CString& filePath);
    // At open, before the header is read: rolls back a journal left by a
    // flush that did not end (see above).
    static void Recover(BTPagedFile& file, BOOL bWritable);

private:
    void Begin(BTPagedFile& file);
    void Append(const void* bytes, UINT n);
    void AppendRecord(DWORD kind, DWORD offset, const BYTE* bytes, DWORD size);

    CFile m_file;
    BOOL m_bActive; // a journal exists for this file
    BOOL m_bHandle; // m_file is open (not when a stopped disk dropped its creation)
    BOOL m_bUnsynced;
    DWORD m_committedLength;
    CString m_path;
    std::unordered_set<DWORD> m_saved; // offsets of the regions in the journal
};
