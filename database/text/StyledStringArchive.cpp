#include "database/text/StyledStringArchive.h"

#include "classlib/Exceptions.h"
#include "database/text/MacintoshRuns.h"

#include <algorithm>
#include <string.h>

namespace
{
enum : BYTE
{
    kShortForm = 0,
    kRunList = 1
};

const int kMaxPointSize = 255;
const int64_t kMaxTextLength = 0x7FFFFFFF;

void WriteLength(CArchive& ar, int length)
{
    ASSERT(length >= 0);
    const DWORD value = length < 0 ? 0 : static_cast<DWORD>(length);
    if (value < 0x7FFF)
    {
        ar << static_cast<WORD>(value);
    }
    else
    {
        ar << static_cast<WORD>((value >> 16) | 0x8000);
        ar << static_cast<WORD>(value & 0xFFFF);
    }
}

int ReadLength(CArchive& ar)
{
    WORD first = 0;
    ar >> first;
    if ((first & 0x8000) == 0)
        return first;
    WORD low = 0;
    ar >> low;
    return static_cast<int>((static_cast<DWORD>(first & 0x7FFF) << 16) | low);
}

WORD PackAttributes(const StyleRun& run)
{
    return static_cast<WORD>((run.style & kStyleMask) | ((run.encoding & 3) << 10) |
                             ((run.charSet & 0x0F) << 4) | ((run.charSet & 0xF0) << 8));
}

void UnpackAttributes(WORD word, StyleRun& run)
{
    run.style = static_cast<WORD>(word & kStyleMask);
    run.encoding = static_cast<BYTE>((word >> 10) & 3);
    run.charSet = static_cast<BYTE>(((word >> 4) & 0x0F) | ((word >> 8) & 0xF0));
}

void WriteFontName(CArchive& ar, const StyleRun& run)
{
    // Zeros after the name, whatever the buffer held, so that equal strings
    // give equal files.
    char name[StyleRun::kFontNameSize] = {};
    const void* nul = memchr(run.fontName, 0, sizeof run.fontName);
    const size_t length = nul ? static_cast<const char*>(nul) - run.fontName : sizeof name - 1;
    memcpy(name, run.fontName, length);
    ar.Write(name, sizeof name);
}

void ReadFontName(CArchive& ar, StyleRun& run)
{
    char name[StyleRun::kFontNameSize];
    if (ar.Read(name, sizeof name) < sizeof name)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    name[sizeof name - 1] = '\0'; // a name filling all 32 bytes is cut to 31
    run.SetFontName(name);
}

void ReadRun(CArchive& ar, StyleRun& run)
{
    run.length = ReadLength(ar);
    WORD packed = 0;
    ar >> packed;
    UnpackAttributes(packed, run);
    short pointSize = 0;
    ar >> pointSize;
    run.pointSize = pointSize;
    ReadFontName(ar, run);
}

void CutAtNul(CString& text)
{
    const int length = static_cast<int>(strlen(text.GetString()));
    if (length < text.GetLength())
        text = text.Left(length);
}

// Leaves the string valid: its text in one plain run.
void ResetToPlainRun(StyledString& s)
{
    s.runs.RemoveAll();
    if (!s.text.IsEmpty())
        s.runs.Add(StyleRun(0, 0, nullptr, s.text.GetLength()));
}

bool RunsAreValid(const StyledString& s)
{
    for (int i = 0; i < s.runs.GetSize(); ++i)
    {
        if (static_cast<WORD>(s.runs[i].pointSize) > kMaxPointSize)
            return false;
    }
    return s.runs.TotalLength() == s.text.GetLength();
}
} // namespace

void WriteStyleRun(CArchive& ar, const StyleRun& run)
{
    WriteLength(ar, run.length);
    ar << PackAttributes(run);
    ar << static_cast<short>(run.pointSize);
    WriteFontName(ar, run);
}

void ReadStyleRun(CArchive& ar, StyleRun& run)
{
    ReadRun(ar, run);
    // A run alone names no set by the platform's default one: it reads as "none".
    if (run.charSet == 1)
        run.charSet = 0;
}

void WriteStyleRuns(CArchive& ar, const StyleRunArray& runs)
{
    if (runs.GetSize() == 1 && runs[0].IsPlain())
    {
        ar << static_cast<BYTE>(kShortForm);
        WriteLength(ar, runs[0].length);
        return;
    }
    if (runs.GetSize() > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::generic);
    ar << static_cast<BYTE>(kRunList);
    ar << static_cast<WORD>(runs.GetSize());
    for (int i = 0; i < runs.GetSize(); ++i)
        WriteStyleRun(ar, runs[i]);
}

// The runs' buffer is kept from one read to the next: records read one after
// another into one object reuse it.
void ReadStyleRuns(CArchive& ar, StyleRunArray& runs)
{
    BYTE form = 0;
    ar >> form;
    if (form == kShortForm)
    {
        const int length = ReadLength(ar);
        runs.SetSize(1);
        runs[0] = StyleRun(0, 0, nullptr, length);
        return;
    }
    WORD count = 0;
    ar >> count;
    if (count == 0)
    {
        runs.RemoveAll();
        return;
    }
    // The count may be damaged: room is made for the runs as they are read,
    // doubling, so a short archive costs no more than the runs it holds.
    int done = 0;
    try
    {
        while (done < count)
        {
            const int end = done + std::min<int>(count - done, std::max(done, 16));
            runs.SetSize(end);
            for (; done < end; ++done)
                ReadRun(ar, runs[done]);
        }
    }
    catch (CException*)
    {
        runs.SetSize(done);
        throw;
    }
}

void WriteStyledString(CArchive& ar, const StyledString& s)
{
    if (s.runs.GetSize() > 0xFFFF)
        AfxThrowArchiveException(CArchiveException::generic);
    ar << s.text;
    WriteStyleRuns(ar, s.runs);
}

namespace
{
// The class library's string form (u8 length; 0xFF then u16; 0xFFFF then
// u32), read into the string's own buffer.
DWORD ReadTextLength(CArchive& ar)
{
    BYTE b = 0;
    ar >> b;
    if (b != 0xFF)
        return b;
    WORD w = 0;
    ar >> w;
    if (w != 0xFFFF)
        return w;
    DWORD d = 0;
    ar >> d;
    if (d > 0x7FFFFFFE)
        AfxThrowArchiveException(CArchiveException::badIndex);
    return d;
}

const DWORD kTextSlice = 0x10000;

void ReadExactly(CArchive& ar, void* p, UINT n)
{
    if (ar.Read(p, n) != n)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

// Slice by slice: the length may be damaged, so the buffer grows only with
// what was really read.
void ReadText(CArchive& ar, CString& text)
{
    const DWORD length = ReadTextLength(ar);
    if (length == 0)
    {
        if (!text.IsEmpty())
            text.GetBufferSetLength(0);
        return;
    }
    DWORD done = 0;
    try
    {
        while (done < length)
        {
            const DWORD n = std::min(length - done, kTextSlice);
            char* p = text.GetBufferSetLength(static_cast<int>(done + n));
            ReadExactly(ar, p + done, n);
            done += n;
        }
    }
    catch (CException*)
    {
        text.Empty();
        throw;
    }
    if (memchr(text.GetString(), 0, length) != nullptr)
        CutAtNul(text);
}

// Reads n bytes into nowhere.
void SkipBytes(CArchive& ar, DWORD n)
{
    char scratch[512];
    while (n > 0)
    {
        const UINT step = static_cast<UINT>(std::min<DWORD>(n, sizeof scratch));
        ReadExactly(ar, scratch, step);
        n -= step;
    }
}
} // namespace

void SkipStyledString(CArchive& ar)
{
    SkipBytes(ar, ReadTextLength(ar));
    BYTE form = 0;
    ar >> form;
    if (form == kShortForm)
    {
        ReadLength(ar);
        return;
    }
    WORD count = 0;
    ar >> count;
    int64_t total = 0;
    for (WORD i = 0; i < count; ++i)
    {
        total += ReadLength(ar);
        SkipBytes(ar, 4 + StyleRun::kFontNameSize);
    }
    if (total > kMaxTextLength)
        AfxThrowArchiveException(CArchiveException::badIndex);
}

void ReadStyledString(CArchive& ar, StyledString& s)
{
    ReadText(ar, s.text);
    ReadStyleRuns(ar, s.runs);
    const bool impossible = s.runs.TotalLength() > kMaxTextLength;
    if (impossible || !RunsAreValid(s))
        ResetToPlainRun(s);
    if (impossible)
        AfxThrowArchiveException(CArchiveException::badIndex);
    NormalizeRunFonts(s);
}
