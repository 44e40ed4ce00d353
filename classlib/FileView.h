// CFileView: a read-only view of the first bytes of an open file, mapped into
// memory, for readers that copy many small pieces from a large file: a copy
// from the view costs no system call, where a read costs one or two.
//
// The view shows what the file holds now, writes through the file's handle
// included (the system keeps a mapping and the file's cached data one). It
// covers only the length it was made with; the owner maps again to see a file
// that has grown. A file must not be cut shorter while a view of it exists
// (Windows refuses to, and elsewhere the lost pages would fault): unmap first.
// Mapping may fail (address space, a file system without mappings): the
// owner then reads the file as before.
#pragma once

#include "classlib/Types.h"

class CFile;

class CFileView
{
public:
    CFileView();
    ~CFileView();
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;

    // Maps the first `length` bytes of the open file, which holds at least
    // that many, in place of any earlier view; FALSE (no view) when the system
    // refuses or length is 0.
    BOOL Map(const CFile& file, DWORD length);
    void Unmap();

    // The bytes at offset, or NULL when the view does not cover all n of them.
    const BYTE* Find(DWORD offset, DWORD n) const
    {
        return offset <= m_length && n <= m_length - offset ? m_pData + offset : nullptr;
    }
    DWORD GetLength() const { return m_length; }

private:
    const BYTE* m_pData;
    DWORD m_length;
};
