#include "database/parser/LexerConsumer.h"

#include "classlib/File.h"
#include "database/parser/TPException.h"

#include <new>
#include <string.h>

LexerConsumer::LexerConsumer(int mode) : m_mode(mode) {}

LexerConsumer::~LexerConsumer()
{
    TPFree(m_buffer);
}

BOOL LexerConsumer::Read(DWORD& ch)
{
    if (!m_markerRead)
    {
        m_markerRead = TRUE;
        ch = m_lastChar = 0xFFFFFFFF;
        return TRUE;
    }
    if (m_readPos - m_base >= (LONGLONG)m_fill)
    {
        if (m_atEnd || !ReadMore() || m_readPos - m_base >= (LONGLONG)m_fill)
        {
            m_atEnd = TRUE;
            return FALSE;
        }
    }
    ch = m_lastChar = (BYTE)m_buffer[m_readPos - m_base];
    ++m_readPos;
    if (ch == '\n')
    {
        ++m_line;
        m_column = 1;
    }
    else
    {
        ++m_column;
    }
    return TRUE;
}

InputMark LexerConsumer::Mark() const
{
    return InputMark{m_readPos, m_line, m_column, m_markerRead};
}

void LexerConsumer::Rewind(const InputMark& mark)
{
    m_readPos = mark.position;
    m_line = mark.line;
    m_column = mark.column;
    m_markerRead = mark.markerRead;
}

void LexerConsumer::StartLexeme()
{
    m_lexemeStart = m_readPos;
    m_lexemeLine = m_line;
    m_lexemeColumn = m_column;
}

const char* LexerConsumer::LexemeStart() const
{
    return m_buffer ? m_buffer + (m_lexemeStart - m_base) : "";
}

UINT LexerConsumer::LexemeLength(LONGLONG end) const
{
    return end > m_lexemeStart ? (UINT)(end - m_lexemeStart) : 0;
}

LexerStringConsumer::LexerStringConsumer(const char* text, int mode)
    : LexerStringConsumer(text, text ? (UINT)strlen(text) : 0, mode)
{
}

LexerStringConsumer::LexerStringConsumer(const char* text, UINT length, int mode) : LexerConsumer(mode)
{
    m_buffer = static_cast<char*>(TPAlloc(length + 1));
    if (length)
        memcpy(m_buffer, text, length);
    m_buffer[length] = '\0';
    m_capacity = length + 1;
    m_fill = length;
}

LexerStringConsumer::~LexerStringConsumer() = default;

namespace {

CFile* FileOf(void* file)
{
    return static_cast<CFile*>(file);
}

} // namespace

LexerFileConsumer::LexerFileConsumer(LPCTSTR lpszPath, int mode, LONG initialSize, LONG growthStep)
    : LexerConsumer(mode), m_path(lpszPath), m_file(nullptr),
      m_growthStep(growthStep > 0 ? (UINT)growthStep : 0)
{
    CFile* file = new (std::nothrow) CFile;
    if (file == nullptr)
        TPRaiseOutOfStorage();
    CFileException error;
    if (!file->Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite, &error))
    {
        delete file;
        TPRaise(tpLexOpenFile, lpszPath, error.m_lOsError);
    }
    m_file = file;
    try
    {
        m_raw = static_cast<char*>(TPAlloc(kRawChunk));
        const DWORD length = file->GetLength();
        if (length == 0)
            TPRaise(tpLexFileRead, lpszPath, (LONG)0);
        m_capacity = initialSize < 0 ? length : (UINT)(initialSize > 0 ? initialSize : 1);
        m_buffer = static_cast<char*>(TPAlloc(m_capacity));
        Fill();
    }
    catch (...)
    {
        delete FileOf(m_file);
        m_file = nullptr;
        TPFree(m_raw);
        throw;
    }
}

LexerFileConsumer::~LexerFileConsumer()
{
    delete FileOf(m_file);
    TPFree(m_raw);
}

BOOL LexerFileConsumer::ReadMore()
{
    if (m_rawPos == m_rawFill)
    {
        m_rawPos = 0;
        m_rawFill = ReadRaw(0);
        if (m_rawFill == 0)
            return FALSE; // the file has no more
    }
    const UINT keep = (UINT)(m_fill - (m_lexemeStart - m_base));
    if (m_lexemeStart > m_base)
    {
        // Move the lexeme to the front and fill the space it frees.
        memmove(m_buffer, m_buffer + (m_lexemeStart - m_base), keep);
        m_base = m_lexemeStart;
        m_fill = keep;
    }
    else if (m_fill == m_capacity)
    {
        if (m_growthStep == 0 || m_capacity > 0x7FFFFFFFu - m_growthStep)
            TPRaise(tpLexLexemeTooLong, (LONG)m_capacity);
        char* bigger = static_cast<char*>(TPAlloc(m_capacity + m_growthStep));
        memcpy(bigger, m_buffer, m_fill);
        TPFree(m_buffer);
        m_buffer = bigger;
        m_capacity += m_growthStep;
    }
    return Fill() > 0;
}

UINT LexerFileConsumer::ReadRaw(UINT from)
{
    if (m_file == nullptr)
        return 0;
    UINT got = 0;
    try
    {
        got = FileOf(m_file)->Read(m_raw + from, kRawChunk - from);
    }
    catch (CException* e)
    {
        const LONG osError =
            e->IsKindOf(RUNTIME_CLASS(CFileException)) ? static_cast<CFileException*>(e)->m_lOsError : -1;
        e->Delete();
        TPRaise(tpLexFileRead, (LPCTSTR)m_path, osError);
    }
    if (got == 0)
    {
        delete FileOf(m_file); // read to its end
        m_file = nullptr;
    }
    return got;
}

UINT LexerFileConsumer::Fill()
{
    UINT total = 0;
    while (m_fill < m_capacity)
    {
        if (m_rawPos == m_rawFill)
        {
            m_rawPos = 0;
            m_rawFill = ReadRaw(0);
            if (m_rawFill == 0)
                break;
        }
        char c = m_raw[m_rawPos++];
        if (c == '\r' && m_mode == kLexerModeNarrowText)
        {
            if (m_rawPos == m_rawFill)
            {
                // The CR ends the chunk: see what follows it.
                m_raw[0] = c;
                m_rawPos = 1;
                m_rawFill = 1 + ReadRaw(1);
            }
            if (m_rawPos < m_rawFill && m_raw[m_rawPos] == '\n')
                c = m_raw[m_rawPos++];
        }
        m_buffer[m_fill++] = c;
        ++total;
    }
    return total;
}
