// CMemFile: a CFile whose bytes live in one block of memory.
//
// Owned mode (the default constructor, or Attach with nGrowBytes > 0): the
// block is malloc'd, grows by multiples of nGrowBytes as writes need, and is
// freed on destruction or Close unless Detach took it.
// Attached mode (Attach / constructor with a buffer and nGrowBytes 0): the
// caller's block is used as is; its whole size is readable data, writes may
// not go past its end (CMemoryException), and it is never freed here.
// Seeking past the end is allowed; a later write fills the gap with zeros.
#pragma once

#include "classlib/File.h"

class CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)

public:
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

    // Replaces the current block (an owned one is freed).  With nGrowBytes 0
    // the file is the nBufferSize bytes given; otherwise it starts empty and
    // the block must come from malloc, as it will be realloc'd and freed.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Hands the block to the caller (free() it) and empties the file; the
    // data length is GetLength() taken before the call.
    BYTE* Detach();

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    DWORD Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override { return m_nPosition; }
    DWORD GetLength() const override { return m_nFileSize; }
    void SetLength(DWORD dwNewLen) override;
    void Flush() override {}
    void Close() override;
    void Abort() override;
    // Not possible on memory: CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;

private:
    void GrowTo(DWORD dwNewSize); // capacity of at least dwNewSize, zero-filled
    void FreeBlock();

    UINT m_nGrowBytes;
    DWORD m_nPosition = 0;
    DWORD m_nFileSize = 0;
    DWORD m_nBufferSize = 0;
    BYTE* m_lpBuffer = nullptr;
    bool m_bOwned = true;
};
