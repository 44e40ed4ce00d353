// CStdioFile: a CFile read and written through a buffered C stream, with
// line-oriented text access.
//
// The file is opened (and its share mode enforced) as a CFile; the stream
// works on a duplicate of that handle.  Text mode (typeText) is done here, the
// same in both builds: WriteString writes every "\n" as "\r\n"; ReadString
// drops a trailing "\r\n" or "\n".  Without typeText the texts go through
// unchanged (ReadString still stops at "\n" and drops it).  Read and Write are
// raw in both modes.
#pragma once

#include "classlib/File.h"

#include <cstdio>

class CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)

public:
    CStdioFile() = default;
    CStdioFile(const char* lpszFileName, UINT nOpenFlags); // throws CFileException
    ~CStdioFile() override;

    BOOL Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr) override;

    // FALSE at the end of the file with nothing read.
    virtual BOOL ReadString(CString& rString);
    // Reads at most nMax-1 characters of one line, keeping its "\n" (as fgets
    // does, after text-mode "\r\n" -> "\n"); NULL at the end of the file.
    virtual char* ReadString(char* lpsz, UINT nMax);
    virtual void WriteString(const char* lpsz);

    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    DWORD Seek(LONG lOff, UINT nFrom) override;
    DWORD GetPosition() const override;
    void SetLength(DWORD dwNewLen) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    CFile* Duplicate() const override; // CNotSupportedException

    FILE* m_pStream = nullptr;

private:
    bool TextMode() const { return (m_nOpenFlags & typeText) != 0; }
    void ThrowStreamError() const;
};
