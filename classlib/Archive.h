// CArchive: a buffered, little-endian binary stream over a CFile.
//
// An archive either loads (reads) or stores (writes); the direction is fixed
// at construction.  Every primitive has the same width in every build:
//
//   BYTE, char            1 byte
//   WORD, short           2 bytes, little-endian
//   DWORD, LONG, int,
//   unsigned int          4 bytes, little-endian
//   float                 4 bytes, IEEE single, little-endian
//   double                8 bytes, IEEE double, little-endian
//
// Operators are declared on the fundamental types (not on typedefs).  DWORD
// and LONG are unsigned long and long on Windows (32 bits there) but unsigned
// int and int natively, so the `long` operators exist on Windows only: plain
// `long` never enters a stored form, and streaming one fails to compile in the
// native build.  There is deliberately no overload for 64-bit integers, size_t
// or pointers.
//
// String form (operator<< / >> on CString):
//   length < 255           : u8 length
//   255 <= length <= 65533 : u8 0xFF, u16 length
//   length >= 65534        : u8 0xFF, u16 0xFFFF, u32 length
//   followed by the bytes of the text, no terminator.
// Count form (WriteCount / ReadCount):
//   count < 65535          : u16 count
//   otherwise              : u16 0xFFFF, u32 count
//
// Reading past the end of the data throws CArchiveException(endOfFile);
// using an archive in the wrong direction throws readOnly / writeOnly.
// A storing archive must be closed (Close) for its buffer to reach the file;
// the destructor flushes unless the mode holds bNoFlushOnDelete, and it never
// throws (a failure there is dropped, as nothing can report it).
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"

#include <cstdint>

class CFile;
class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2,
    };

    // nBufSize is the size of the read/write buffer (at least 128 bytes are
    // used); lpBuf is accepted for source compatibility and ignored.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsBufferEmpty() const { return m_nPos == m_nFill; }
    CFile* GetFile() const { return m_pFile; }

    // Writes buffered data to the file (storing); a no-op when loading.
    void Flush();
    // Flushes (storing) and detaches the archive from the file.  The file
    // itself stays open.
    void Close();
    // Detaches without flushing; never throws.
    void Abort();

    // Raw bytes.  Read returns the number of bytes read, which is less than
    // nMax only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);

    // Text lines: WriteString writes the text as it is (no terminator, no
    // length); ReadString reads one line up to "\n", drops "\r\n"/"\n" and
    // returns FALSE when nothing was left to read.
    void WriteString(const char* lpsz);
    BOOL ReadString(CString& rString);

    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    // Storing.
    CArchive& operator<<(unsigned char v);
    CArchive& operator<<(char v);
    CArchive& operator<<(unsigned short v);
    CArchive& operator<<(short v);
    CArchive& operator<<(unsigned int v);
    CArchive& operator<<(int v);
#if !LV_DWORD_IS_UINT
    CArchive& operator<<(unsigned long v); // DWORD
    CArchive& operator<<(long v);          // LONG
#endif
    CArchive& operator<<(float v);
    CArchive& operator<<(double v);
    CArchive& operator<<(const CString& s);
    CArchive& operator<<(const char* psz); // same form as CString

    // Loading.
    CArchive& operator>>(unsigned char& v);
    CArchive& operator>>(char& v);
    CArchive& operator>>(unsigned short& v);
    CArchive& operator>>(short& v);
    CArchive& operator>>(unsigned int& v);
    CArchive& operator>>(int& v);
#if !LV_DWORD_IS_UINT
    CArchive& operator>>(unsigned long& v); // DWORD
    CArchive& operator>>(long& v);          // LONG
#endif
    CArchive& operator>>(float& v);
    CArchive& operator>>(double& v);
    CArchive& operator>>(CString& s);

    // The document being loaded or stored, for format blocks that depend on
    // the document's version; set by the caller, never owned.
    CDocument* m_pDocument = nullptr;

private:
    void StoreBytes(const void* p, UINT n);
    void LoadBytes(void* p, UINT n); // throws endOfFile on a short read
    void FillBuffer();
    void CheckStoring() const;
    void CheckLoading() const;
    void StoreU16(uint16_t v);
    void StoreU32(uint32_t v);
    void StoreStringLength(uint32_t len);
    uint16_t LoadU16();
    uint32_t LoadU32();

    CFile* m_pFile;
    UINT m_nMode;
    BYTE* m_pBuf;
    UINT m_nBufSize;
    bool m_bUserBuf = false; // the caller's buffer (lpBuf), not freed here
    UINT m_nPos = 0;  // next byte to read / write in the buffer
    UINT m_nFill = 0; // bytes valid in the buffer (loading)
};

#if !LV_DWORD_IS_UINT
static_assert(sizeof(long) == 4, "archive streams long as 4 bytes");
#endif
