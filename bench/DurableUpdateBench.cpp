// Durable single-record updates: a record tree of 5,000 records of about
// 500 bytes; each update replaces one record and flushes (the journal and
// the file forced to disk), as a file database's fsync'd single-row update
// does. Then the cost of a flush of n rewritten pages (which the journal
// protects) against a flush of n appended pages (which need no journal).
#include "bench/support/BenchReport.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/Object.h"
#include "database/btree/BTRecordTree.h"
#include "database/file/BTPagedFile.h"

#include <windows.h>
#include <cstdio>
#include <string>

namespace {
const DWORD kRecords = 5000;
const int kUpdates = 300;
const DWORD kPages = 2000;

class Record : public CObject
{
public:
    std::string bytes;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar.Write(bytes.data(), (UINT)bytes.size());
    }
};

class RecordFile : public BTPagedFile
{
public:
    explicit RecordFile(const CString& path)
    {
        SetPathName(path);
        SetDocumentType(0x8008);
        SetVersion(1);
        tree.Attach(this);
    }
    void SerializeHeader(CArchive& ar) override
    {
        BTPagedFile::SerializeHeader(ar);
        tree.SerializeRoot(ar);
    }
    void Open()
    {
        CFileException error;
        if (!OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
    BTRecordTree tree;
};

CString TempName(const char* stem)
{
    char folder[MAX_PATH], name[MAX_PATH + 40];
    GetTempPathA(MAX_PATH, folder);
    snprintf(name, sizeof name, "%slvbench_%s_%lu.tmp", folder, stem, GetCurrentProcessId());
    return CString(name);
}

std::string Content(DWORD n, int version)
{
    std::string s(480 + n % 40, ' ');
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = (char)("Smith, J.; Journal of Things 1999 "[(i + n + version) % 34]);
    return s;
}

void Updates()
{
    CString path = TempName("durable");
    RecordFile f(path);
    f.CreateNew();
    f.Open();
    Record record;
    for (DWORD n = 0; n < kRecords; ++n) {
        record.bytes = Content(n, 0);
        f.tree.WriteBlob(record, n);
    }
    f.FlushBuffers();
    BenchClock clock;
    for (int u = 0; u < kUpdates; ++u) {
        DWORD n = (DWORD)(u * 7919) % kRecords;
        record.bytes = Content(n, u + 1);
        f.tree.ReplaceBlob(record, n);
        f.FlushBuffers();
    }
    BenchPrintRate("durable single-record updates (replace and flush)", kUpdates, clock.Seconds());
    f.Close();
    CFile::Remove(path);
}

// Seconds of a flush of kPages dirty pages: appended ones, or the same
// pages rewritten.
void Flushes()
{
    CString path = TempName("flush");
    RecordFile f(path);
    f.CreateNew();
    f.Open();
    for (DWORD n = 0; n < kPages; ++n) {
        BTPageRef page;
        f.AllocPage(page, nullptr);
        page->m_data[8] = (BYTE)n;
    }
    BenchClock clock;
    f.FlushBuffers();
    double appended = clock.Seconds();
    for (DWORD n = 0; n < kPages; ++n) {
        BTPageRef page(f.ReadPage(BTPagedFile::headerAreaSize + BTPagedFile::pageSize * n, nullptr));
        page->m_data[9] = (BYTE)(n + 1);
        page->MarkDirty();
    }
    clock.Restart();
    f.FlushBuffers();
    double rewritten = clock.Seconds();
    BenchPrintRate("flush of appended pages (no journal)", kPages, appended);
    BenchPrintRate("flush of rewritten pages (journalled)", kPages, rewritten);
    BenchPrintValue("rewritten against appended (goal about 2 or less)", rewritten / appended, "x");
    clock.Restart();
    for (int i = 0; i < 1000; ++i)
        f.FlushBuffers();
    BenchPrintValue("flush with nothing changed", clock.Seconds() * 1e6 / 1000, "us");
    f.Close();
    CFile::Remove(path);
}

void Run()
{
    Updates();
    Flushes();
    BenchPrintPeakMemory();
}
} // namespace

int main()
{
    return BenchMain(Run);
}
