// Input sources of the lexer: characters one at a time, with line and column
// counting and the rewinding that longest-match scanning needs.
//
// The first read delivers the start-of-input marker 0xFFFFFFFF and consumes
// nothing; then every byte of the text, as a value 0-255.  Each character
// read advances the column; a line feed advances the line and puts the column
// back to 1.  Positions (InputMark) count characters from the start of the
// input, so they stay valid while a source refills or moves its buffer; the
// characters from the current lexeme's start on stay in the buffer until the
// lexeme start moves.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

// Every caller reads 8-bit text: files in text mode ("\r\n" read as "\n").
const int kLexerModeNarrowText = 2;

struct InputMark
{
    LONGLONG position;
    LONG line;
    LONG column;
    BOOL markerRead;
};

class LexerConsumer
{
public:
    virtual ~LexerConsumer();
    LexerConsumer(const LexerConsumer&) = delete;
    LexerConsumer& operator=(const LexerConsumer&) = delete;

    // The next character into ch; FALSE at the end of the input.
    BOOL Read(DWORD& ch);

    InputMark Mark() const;
    void Rewind(const InputMark& mark);

    // The current lexeme runs from its start to the read position.
    void StartLexeme();
    const char* LexemeStart() const;
    // Characters from the lexeme start up to end (a position).
    UINT LexemeLength(LONGLONG end) const;
    LONG LexemeLine() const { return m_lexemeLine; }
    LONG LexemeColumn() const { return m_lexemeColumn; }

protected:
    explicit LexerConsumer(int mode);

    // Makes more characters available after m_fill (moving or growing the
    // buffer as it likes, keeping the lexeme); FALSE when there are none.
    virtual BOOL ReadMore() = 0;

    // The buffer holds the characters from m_base on.
    char* m_buffer = nullptr;
    UINT m_capacity = 0;
    UINT m_fill = 0;
    LONGLONG m_base = 0;
    LONGLONG m_readPos = 0;
    LONGLONG m_lexemeStart = 0;
    int m_mode;

private:
    LONG m_line = 1;
    LONG m_column = 1;
    LONG m_lexemeLine = 1;
    LONG m_lexemeColumn = 1;
    DWORD m_lastChar = 0;
    BOOL m_atEnd = FALSE;
    BOOL m_markerRead = FALSE;
};

// A whole text held in memory.
class LexerStringConsumer : public LexerConsumer
{
public:
    LexerStringConsumer(const char* text, int mode = kLexerModeNarrowText);
    LexerStringConsumer(const char* text, UINT length, int mode = kLexerModeNarrowText);
    ~LexerStringConsumer() override;

protected:
    BOOL ReadMore() override { return FALSE; }
};

// A file read into a buffer of initialSize bytes (the whole file when -1)
// that is refilled on demand and grows by growthStep when one lexeme fills
// it.  "TPLex0101e: Error opening file, <path>, <system error>" when the file
// cannot be opened, "TPLex0102e: Invalid file length or read error, <path>,
// <system error>" when it is empty or unreadable, "TPLex0103e: Lexeme too
// long, <buffer size>" when a lexeme needs more than the buffer may hold.
class LexerFileConsumer : public LexerConsumer
{
public:
    LexerFileConsumer(LPCTSTR lpszPath, int mode, LONG initialSize, LONG growthStep);
    ~LexerFileConsumer() override;

protected:
    BOOL ReadMore() override;

private:
    static const UINT kRawChunk = 4096;

    // Fills m_buffer after m_fill from the file (text mode reads "\r\n" as
    // "\n"); the count added.
    UINT Fill();
    // Reads the file into m_raw from index from on; 0 at its end (then closed).
    UINT ReadRaw(UINT from);

    CString m_path;
    void* m_file; // the CFile, closed once read to its end
    UINT m_growthStep;
    char* m_raw = nullptr; // bytes read from the file, not yet in the buffer
    UINT m_rawPos = 0;
    UINT m_rawFill = 0;
};
