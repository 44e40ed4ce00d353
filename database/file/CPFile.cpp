#include "database/file/CPFile.h"

#include "classlib/Exceptions.h"

#include <new>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CPFile, CFile)

CPFile::CPFile() : m_openFlags(0)
{
}

CPFile::~CPFile()
{
}

void CPFile::SetPathName(const CString& path)
{
    m_path = path;
}

void CPFile::SetFilePath(const char* lpszNewName)
{
    CFile::SetFilePath(lpszNewName);
}

BOOL CPFile::IsOpen() const
{
    return m_hFile != hFileNull;
}

BOOL CPFile::IsWritable() const
{
    return !IsOpen() || (m_openFlags & (modeReadWrite | modeWrite)) != 0;
}

BOOL CPFile::Exists() const
{
    if (m_path.IsEmpty())
        return FALSE;
    CFileStatus status;
    return CFile::GetStatus(m_path, status);
}

BOOL CPFile::OpenFile(UINT nOpenFlags, CFileException* pError)
{
    if (!Open(m_path, nOpenFlags, pError))
        return FALSE;
    m_openFlags = nOpenFlags;
    try
    {
        if (nOpenFlags & modeCreate)
        {
            InitNew();
            FlushBuffers();
        }
        OnOpen();
    }
    catch (CException*)
    {
        // A file whose hooks failed (e.g. a refused header) is not left half open.
        Abort();
        throw;
    }
    return TRUE;
}

void CPFile::CreateNew()
{
    if (Exists())
        Remove();
    CFileException error;
    if (!Open(m_path, modeCreateExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, m_path);
    m_openFlags = modeCreateExclusive;
    try
    {
        InitNew();
        FlushBuffers();
    }
    catch (CException*)
    {
        Abort();
        throw;
    }
    OnClose();
    CFile::Close();
}

void CPFile::Close()
{
    if (!IsOpen())
        return;
    try
    {
        if (IsWritable())
            FlushBuffers();
    }
    catch (CException*)
    {
        // The handle and the caches go whatever happened; the caller reports.
        CFile::Abort();
        OnClose();
        throw;
    }
    try
    {
        CFile::Close();
    }
    catch (CException*)
    {
        OnClose();
        throw;
    }
    OnClose();
}

void CPFile::Abort()
{
    if (IsOpen())
        CFile::Abort();
    OnAbort();
}

void CPFile::FlushIfWritable()
{
    if (IsOpen() && IsWritable())
    {
        FlushBuffers();
        CFile::Flush();
    }
}

void CPFile::Remove()
{
    Close();
    CFile::Remove(m_path);
}

void CPFile::Rename(const CString& newPath)
{
    CFile::Rename(m_path, newPath);
    m_path = newPath;
}

void CPFile::RenameTo(const CString& newPath)
{
    CFile::Rename(m_path, newPath);
}

void* CPFile::AllocCopyBlock(DWORD size)
{
    return malloc(size);
}

void CPFile::FreeCopyBlock(void* block)
{
    free(block);
}

void CPFile::CopyTo(const CString& newPath)
{
    CFile target;
    CFileException error;
    if (!target.Open(newPath, modeCreateExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, newPath);
    // Pages and header still in the caches belong in the copy too.
    FlushIfWritable();
    SeekToBegin();
    target.SetLength(0);

    DWORD remaining = GetLength();
    if (remaining == 0)
    {
        target.Close();
        return;
    }
    DWORD chunk = remaining < copyChunkSize ? remaining : copyChunkSize;
    void* block = nullptr;
    while (chunk != 0 && (block = AllocCopyBlock(chunk)) == nullptr)
        chunk /= 2;
    if (block == nullptr)
        AfxThrowMemoryException();

    try
    {
        while (remaining != 0)
        {
            UINT n = (UINT)(remaining < chunk ? remaining : chunk);
            UINT got = Read(block, n);
            if (got != n)
                AfxThrowFileException(CFileException::endOfFile, -1, m_path);
            target.Write(block, n);
            remaining -= n;
        }
    }
    catch (CException*)
    {
        FreeCopyBlock(block);
        throw;
    }
    FreeCopyBlock(block);
    target.Close();
}

void CPFile::InitNew()
{
}

void CPFile::OnOpen()
{
}

void CPFile::OnClose()
{
}

void CPFile::OnAbort()
{
    OnClose();
}

void CPFile::FlushBuffers()
{
}
