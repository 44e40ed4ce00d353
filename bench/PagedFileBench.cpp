// Writes and reads back 200,000 pages through the page cache, plain and
// compressed, and compares plain page writes with bare 2048-byte WriteFile
// calls. Prints pages per second, the cost of a cached read and peak memory.
#include "bench/support/BenchReport.h"

#include "database/file/BTPagedFile.h"
#include "classlib/Exceptions.h"

#include <windows.h>
#include <cstdio>
#include <cstring>

namespace
{
const DWORD kPages = 200000;
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;

class BenchFile : public BTPagedFile
{
public:
    BenchFile(const CString& path, BOOL compressed)
    {
        SetPathName(path);
        SetDocumentType(0x8006);
        SetVersion(0x0301);
        SetCompressed(compressed);
    }
    void Open()
    {
        CFileException error;
        if (!OpenFile(kReadWrite, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
};

// Page contents a B-tree might hold: keys with some repetition.
void FillPage(BYTE* data, DWORD n)
{
    data[0] = 2;
    for (int i = 4; i < BTPage::size; ++i)
        data[i] = (BYTE)("Smith, J.; Journal of Things 1999 "[(i + n) % 34] + (i % 97 == 0 ? n : 0));
    memcpy(data + 8, &n, sizeof n);
}

CString TempName(const char* stem)
{
    char folder[MAX_PATH], name[MAX_PATH + 40];
    GetTempPathA(MAX_PATH, folder);
    snprintf(name, sizeof name, "%slvbench_%s_%lu.tmp", folder, stem, GetCurrentProcessId());
    return CString(name);
}

double RawWriteFileSeconds(const CString& path)
{
    BYTE page[BTPage::size];
    BenchClock clock;
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    for (DWORD n = 0; n < kPages; ++n)
    {
        FillPage(page, n);
        DWORD written = 0;
        WriteFile(h, page, sizeof page, &written, nullptr);
    }
    CloseHandle(h);
    double s = clock.Seconds();
    DeleteFileA(path);
    return s;
}

// Returns the seconds taken to write kPages pages and close the file.
double WritePages(const CString& path, BOOL compressed)
{
    BenchClock clock;
    BenchFile f(path, compressed);
    f.CreateNew();
    f.Open();
    for (DWORD n = 0; n < kPages; ++n)
    {
        BTPageRef page;
        f.AllocPage(page, nullptr);
        FillPage(page->m_data, n);
    }
    double loop = clock.Seconds();
    f.Close();
    std::printf("  (closing, which writes the last cached pages: %.3f s)\n", clock.Seconds() - loop);
    return clock.Seconds();
}

double ReadPages(const CString& path, BOOL compressed, DWORD* checksum)
{
    BenchClock clock;
    BenchFile f(path, compressed);
    f.Open();
    DWORD stride = f.GetPageStride();
    for (DWORD n = 0; n < kPages; ++n)
    {
        BTPage* page = f.ReadPage(BTPagedFile::headerAreaSize + stride * n, nullptr);
        DWORD stored;
        memcpy(&stored, page->m_data + 8, sizeof stored);
        *checksum += stored ^ n;
    }
    f.Close();
    return clock.Seconds();
}

double CachedReadNanoseconds(const CString& path, BOOL compressed)
{
    const DWORD kHot = 1000, kRounds = 5000;
    BenchFile f(path, compressed);
    f.Open();
    DWORD stride = f.GetPageStride();
    for (DWORD n = 0; n < kHot; ++n)
        f.ReadPage(BTPagedFile::headerAreaSize + stride * n, nullptr);
    BenchClock clock;
    DWORD sum = 0;
    for (DWORD r = 0; r < kRounds; ++r)
        for (DWORD n = 0; n < kHot; ++n)
        {
            BTPageRef page(f.ReadPage(BTPagedFile::headerAreaSize + stride * ((n * 7 + r) % kHot), nullptr));
            sum += page->m_data[8];
        }
    double s = clock.Seconds();
    f.Close();
    if (sum == 0xFFFFFFFF)
        std::printf("(checksum %lu)\n", sum);
    return s * 1e9 / (double(kHot) * kRounds);
}

void Run(const char* label, BOOL compressed, double rawSeconds)
{
    CString path = TempName(label);
    char phase[100];
    double w = WritePages(path, compressed);
    snprintf(phase, sizeof phase, "%s write pages", label);
    BenchPrintRate(phase, kPages, w);
    if (rawSeconds > 0)
    {
        snprintf(phase, sizeof phase, "%s write speed relative to bare WriteFile (goal >= 0.5)", label);
        BenchPrintValue(phase, rawSeconds / w, "x");
    }
    DWORD checksum = 0;
    double r = ReadPages(path, compressed, &checksum);
    snprintf(phase, sizeof phase, "%s read pages from disk", label);
    BenchPrintRate(phase, kPages, r);
    if (checksum != 0)
        std::printf("%s: read back wrong data!\n", label);
    snprintf(phase, sizeof phase, "%s cached page read (goal well under 1000)", label);
    BenchPrintValue(phase, CachedReadNanoseconds(path, compressed), "ns");
    HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE)
    {
        snprintf(phase, sizeof phase, "%s file size", label);
        BenchPrintValue(phase, GetFileSize(h, nullptr) / (1024.0 * 1024.0), "MiB");
        CloseHandle(h);
    }
    DeleteFileA(path);
}
} // namespace

int main()
{
    try
    {
        double raw = RawWriteFileSeconds(TempName("raw"));
        BenchPrintRate("bare WriteFile of 2048-byte pages", kPages, raw);
        Run("plain", FALSE, raw);
        Run("compressed", TRUE, 0);
        BenchPrintPeakMemory();
    }
    catch (CException* e)
    {
        std::printf("failed: %s\n", (LPCTSTR)e->GetErrorText());
        e->Delete();
        return 1;
    }
    return 0;
}
