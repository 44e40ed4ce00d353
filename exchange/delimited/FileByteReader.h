// CFileByteReader: single bytes of an open file at any position, read through
// a window of 1024 bytes. A byte inside the window costs an index; one outside
// moves the window there (a seek and one read of up to 1024 bytes).
//
// Reading past the end of the file raises the class library's file exception
// endOfFile with the file's name. The file's position is wherever the last
// window read left it; callers keep their own position.
#pragma once

#include "classlib/Types.h"

class CFile;

class CFileByteReader
{
public:
    enum
    {
        kWindowSize = 1024
    };

    explicit CFileByteReader(CFile& file);

    BYTE At(DWORD position)
    {
        const DWORD offset = position - m_start;
        if (offset < m_count)
            return m_window[offset];
        return Load(position);
    }
    // Up to `count` bytes from `position` into `out`; the number read.
    UINT Read(DWORD position, BYTE* out, UINT count);

private:
    BYTE Load(DWORD position);

    CFile& m_file;
    DWORD m_start;
    DWORD m_count;
    BYTE m_window[kWindowSize];
};
