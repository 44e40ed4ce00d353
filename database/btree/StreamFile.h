// CStreamFile: a file kept in memory in equal blocks, through which chunked
// objects are serialised (see BTChunkedObject).
//
// Blocks of the size given at construction are allocated as writes (or
// SetLength) reach them and kept until Close or destruction, so a stream
// that grows never copies what it holds. The file has no handle: m_hFile
// stays hFileNull.
//
// Invariants: position and length are 32-bit; every byte below the length
// lies in an allocated block; bytes between the length and a position
// sought past it read as zeros once a write or SetLength takes them in.
// Seeking past the length is allowed and grows nothing. Duplicate,
// LockRange and UnlockRange raise CNotSupportedException; a block that
// cannot be allocated raises CMemoryException.
#pragma once

#include "classlib/Array.h"
#include "classlib/File.h"

class CStreamFile : public CFile
{
    DECLARE_DYNAMIC(CStreamFile)
public:
    enum
    {
        defaultBlockSize = 1024,
    };

    explicit CStreamFile(UINT nBlockSize = defaultBlockSize);
    ~CStreamFile() override;

    UINT GetBlockSize() const { return m_nBlockSize; }
    int GetBlockCount() const { return (int)m_blocks.GetSize(); }

    DWORD GetPosition() const override { return m_nPosition; }
    // From the start, the current position or the end; another origin or
    // a negative result raises CFileException badSeek with the file's name.
    DWORD Seek(LONG lOff, UINT nFrom) override;
    // Grows as Write does; a position past the new length moves back to it.
    // Blocks stay allocated when the length shrinks.
    void SetLength(DWORD dwNewLen) override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Flush() override {}
    // Frees every block; position and length become 0.
    void Close() override;
    void Abort() override { Close(); }
    CFile* Duplicate() const override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;

private:
    // Allocates blocks until the first `end` bytes lie in blocks.
    void GrowTo(DWORD end);
    // Zeros the bytes from `from` to `to` (both within the blocks).
    void ZeroRange(DWORD from, DWORD to);
    // Copies between the blocks and a buffer, across block borders.
    void CopyOut(DWORD at, BYTE* to, UINT n) const;
    void CopyIn(DWORD at, const BYTE* from, UINT n);

    UINT m_nBlockSize;
    DWORD m_nPosition;
    DWORD m_nLength;
    CPtrArray m_blocks; // each a malloc'd block of m_nBlockSize bytes
};
