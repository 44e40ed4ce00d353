#include "exchange/delimited/FileByteReader.h"

#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include <algorithm>
#include <cstring>

CFileByteReader::CFileByteReader(CFile& file) : m_file(file), m_start(0), m_count(0) {}

BYTE CFileByteReader::Load(DWORD position)
{
    m_count = 0;
    m_start = position;
    m_file.Seek((LONG)position, CFile::begin);
    m_count = m_file.Read(m_window, kWindowSize);
    if (m_count == 0)
        AfxThrowFileException(CFileException::endOfFile, -1, m_file.GetFilePath());
    return m_window[0];
}

UINT CFileByteReader::Read(DWORD position, BYTE* out, UINT count)
{
    UINT done = 0;
    while (done < count) {
        const DWORD offset = position + done - m_start;
        if (offset >= m_count) {
            try {
                Load(position + done);
            } catch (CFileException* e) {
                e->Delete();
                break;
            }
            continue;
        }
        const UINT run = (UINT)std::min<DWORD>(m_count - offset, count - done);
        memcpy(out + done, m_window + offset, run);
        done += run;
    }
    return done;
}
