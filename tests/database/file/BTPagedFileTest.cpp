// The paged file and the page cache: header, allocation and the free list,
// eviction across files, held pages, read-only files, damaged files.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "database/file/BTPagedFile.h"
#include "database/file/BTPageCache.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"

#include <string.h>

using namespace filetest;

namespace
{
const WORD kType = 0x8006;
const WORD kVersion = 0x0301;
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;
const UINT kReadOnly = CFile::modeRead | CFile::shareDenyWrite;

class TestPagedFile : public BTPagedFile
{
public:
    explicit TestPagedFile(const CString& path, BOOL compressed = FALSE)
    {
        SetPathName(path);
        SetDocumentType(kType);
        SetVersion(kVersion);
        SetCompressed(compressed);
    }
    void Open(UINT mode)
    {
        CFileException error;
        if (!OpenFile(mode, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
    }
};

// Runs f and returns the cause of the class-library exception it raised
// (-1 when none); the exception's file name goes to *name.
template <class E, class F>
int CauseOf(F f, CString* name = nullptr)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        int cause = e->m_cause;
        if (name)
            *name = e->m_strFileName;
        e->Delete();
        return cause;
    }
    return -1;
}

template <class F>
bool ThrowsMemory(F f)
{
    try
    {
        f();
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

void Fill(BTPage* page, BYTE seed)
{
    for (int i = 0; i < BTPage::size; ++i)
        page->m_data[i] = (BYTE)(seed + i * 7);
}

bool Filled(const BTPage* page, BYTE seed)
{
    for (int i = 0; i < BTPage::size; ++i)
        if (page->m_data[i] != (BYTE)(seed + i * 7))
            return false;
    return true;
}

class PagedFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = TempPath("paged");
        m_other = TempPath("paged2");
        m_cachedBefore = BTPageCache::GetTotalCount();
    }
    void TearDown() override
    {
        BTPageCache::SetTotalLimit(BTPageCache::defaultTotalLimit);
        EXPECT_EQ(m_cachedBefore, BTPageCache::GetTotalCount()) << "pages left in the cache";
        EXPECT_EQ(0u, BTPageCache::GetBuffersInUse()) << "page buffers not given back";
        RemoveFile(m_path);
        RemoveFile(m_other);
    }
    // A closed file at path with n pages; page i filled from seed i + 1.
    void MakeFile(const CString& path, int n, BOOL compressed = FALSE)
    {
        TestPagedFile f(path, compressed);
        f.CreateNew();
        f.Open(kReadWrite);
        for (int i = 0; i < n; ++i)
        {
            BTPageRef ref;
            f.AllocPage(ref, nullptr);
            Fill(ref, (BYTE)(i + 1));
        }
        f.Close();
    }
    DWORD PageAt(int i) const { return 1024 + 2048 * (DWORD)i; }

    CString m_path;
    CString m_other;
    DWORD m_cachedBefore = 0;
};
} // namespace

TEST_F(PagedFileTest, NewFileIsTheHeaderAreaAndGrowsOnePageAtATime)
{
    TestPagedFile f(m_path);
    f.GetTitleText() = "Title";
    f.CreateNew();
    std::vector<unsigned char> bytes = ReadAll(m_path);
    ASSERT_EQ(1024u, bytes.size());
    const unsigned char head[] = {0xB4, 0xF4, 0x5C, 0x00, 0x0C, 0xC1, 0x9A, 0x00, 0, 0, 0, 0, 0x06, 0x80, 0x01, 0x03,
                                  5,    'T',  'i',  't',  'l',  'e',  0,    0,    0, 0, 0, 0, 0,    0,    0,    0};
    EXPECT_EQ(0, memcmp(head, bytes.data(), sizeof(head)));
    for (size_t i = sizeof(head); i < bytes.size(); ++i)
        ASSERT_EQ(0, bytes[i]) << "at " << i;

    f.Open(kReadWrite);
    BTPageRef a, b;
    f.AllocPage(a, nullptr);
    f.AllocPage(b, nullptr);
    EXPECT_EQ(PageAt(0), a->m_offset);
    EXPECT_EQ(PageAt(1), b->m_offset);
    EXPECT_TRUE(a->IsDirty());
    EXPECT_EQ(1024u + 2 * 2048u, f.GetFileEnd());
    EXPECT_EQ(a->m_data + 2046, a->m_pSlotArrayEnd);
    a.Release();
    b.Release();
    f.Close();
    EXPECT_EQ(1024u + 2 * 2048u, ReadAll(m_path).size());
}

TEST_F(PagedFileTest, PagesSurviveCloseAndReopen)
{
    MakeFile(m_path, 5);
    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    for (int i = 4; i >= 0; --i)
    {
        BTPageRef ref(f.ReadPage(PageAt(i), nullptr));
        EXPECT_TRUE(Filled(ref, (BYTE)(i + 1))) << "page " << i;
        EXPECT_FALSE(ref->IsDirty());
    }
    BTPageRef again(f.ReadPage(PageAt(2), nullptr));
    EXPECT_EQ(again.Get(), f.ReadPage(PageAt(2), nullptr)) << "a cached page is returned, not read again";
}

TEST_F(PagedFileTest, FreedPageIsReusedZeroedAndTheFreeListIsLastInFirstOut)
{
    MakeFile(m_path, 4);
    {
        TestPagedFile f(m_path);
        f.Open(kReadWrite);
        f.FreePage(PageAt(1));
        f.FreePage(PageAt(3));
        EXPECT_EQ(2u, f.GetFreePageCount());
        EXPECT_EQ(PageAt(3), f.GetFreeListHead());
        f.Close();
    }
    std::vector<unsigned char> bytes = ReadAll(m_path);
    EXPECT_EQ(2u, U32At(bytes, 18));          // free count after empty title and comments
    EXPECT_EQ(PageAt(3), U32At(bytes, 22));   // head
    EXPECT_EQ(0x80, bytes[PageAt(3)]);
    EXPECT_EQ(PageAt(1), U32At(bytes, PageAt(3) + 2));
    EXPECT_EQ(0u, U32At(bytes, PageAt(1) + 2));

    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    BTPageRef a, b, c;
    f.AllocPage(a, nullptr);
    f.AllocPage(b, nullptr);
    EXPECT_EQ(PageAt(3), a->m_offset);
    EXPECT_EQ(PageAt(1), b->m_offset);
    for (int i = 0; i < BTPage::size; ++i)
        ASSERT_EQ(0, a->m_data[i] | b->m_data[i]);
    EXPECT_EQ(0u, f.GetFreePageCount());
    EXPECT_EQ(0u, f.GetFreeListHead());
    f.AllocPage(c, nullptr);
    EXPECT_EQ(PageAt(4), c->m_offset) << "an empty free list appends";
}

TEST_F(PagedFileTest, EvictionTakesTheReadingFilesLeastRecentUnheldPageAndWritesItBack)
{
    MakeFile(m_path, 6);
    MakeFile(m_other, 3);
    TestPagedFile a(m_path), b(m_other);
    a.SetCachedPageLimit(3);
    a.Open(kReadWrite);
    b.Open(kReadWrite);
    for (int i = 0; i < 3; ++i)
        b.ReadPage(PageAt(i), nullptr);
    BTPageRef held(a.ReadPage(PageAt(0), nullptr)); // least recent, but held
    {
        BTPageRef p(a.ReadPage(PageAt(1), nullptr));
        Fill(p, 0x55);
        p->MarkDirty();
    }
    a.ReadPage(PageAt(2), nullptr);
    a.ReadPage(PageAt(3), nullptr); // a is full: evicts page 1, the oldest unheld one
    EXPECT_TRUE(a.IsPageCached(PageAt(0)));
    EXPECT_FALSE(a.IsPageCached(PageAt(1)));
    EXPECT_EQ(3u, a.GetCachedPageCount());
    EXPECT_EQ(3u, b.GetCachedPageCount()) << "another file's pages stay";
    EXPECT_TRUE(Filled(a.ReadPage(PageAt(1), nullptr), 0x55)) << "the dirty page was written before reuse";
    EXPECT_FALSE(a.IsPageCached(PageAt(2)));

    // Limited in total: the reading file's pages go first, then the next file's.
    BTPageCache::SetTotalLimit(BTPageCache::GetTotalCount());
    a.SetCachedPageLimit(100);
    a.ReadPage(PageAt(4), nullptr);
    EXPECT_EQ(3u, b.GetCachedPageCount());
    EXPECT_FALSE(a.IsPageCached(PageAt(3)));
    BTPageRef h1(a.ReadPage(PageAt(1), nullptr)), h4(a.ReadPage(PageAt(4), nullptr));
    a.ReadPage(PageAt(5), nullptr); // all of a's pages held: b's least recent page goes
    EXPECT_EQ(2u, b.GetCachedPageCount());
    EXPECT_FALSE(b.IsPageCached(PageAt(0)));
}

TEST_F(PagedFileTest, APageReadAgainOutlivesOlderPagesNotReadSince)
{
    MakeFile(m_path, 5);
    TestPagedFile f(m_path);
    f.SetCachedPageLimit(3);
    f.Open(kReadWrite);
    for (int i = 0; i < 3; ++i)
        f.ReadPage(PageAt(i), nullptr);
    f.ReadPage(PageAt(0), nullptr); // the oldest page, read again
    f.ReadPage(PageAt(3), nullptr);
    EXPECT_TRUE(f.IsPageCached(PageAt(0)));
    EXPECT_FALSE(f.IsPageCached(PageAt(1))) << "the least recently used page goes";
    f.ReadPage(PageAt(4), nullptr);
    EXPECT_TRUE(f.IsPageCached(PageAt(0)));
    EXPECT_FALSE(f.IsPageCached(PageAt(2)));
    EXPECT_EQ(3u, f.GetCachedPageCount());
}

TEST_F(PagedFileTest, EverythingHeldIsOutOfMemoryForReadAllocAndFree)
{
    MakeFile(m_path, 4);
    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    BTPageCache::SetTotalLimit(BTPageCache::GetTotalCount() + 2);
    BTPageRef p0(f.ReadPage(PageAt(0), nullptr)), p1(f.ReadPage(PageAt(1), nullptr));
    EXPECT_TRUE(ThrowsMemory([&] { f.ReadPage(PageAt(2), nullptr); }));
    EXPECT_TRUE(ThrowsMemory([&] { BTPageRef r; f.AllocPage(r, nullptr); }));
    EXPECT_TRUE(ThrowsMemory([&] { f.FreePage(PageAt(3)); }));
    EXPECT_EQ(0u, f.GetFreePageCount());
    p1.Release();
    BTPageRef p2(f.ReadPage(PageAt(2), nullptr));
    EXPECT_TRUE(Filled(p2, 3));
    EXPECT_TRUE(Filled(p0, 1)) << "the held page kept its data";
}

TEST_F(PagedFileTest, ReadOnlyFileStaysByteIdenticalAfterInMemoryChanges)
{
    MakeFile(m_path, 4);
    const std::vector<unsigned char> before = ReadAll(m_path);
    {
        TestPagedFile f(m_path);
        f.SetCachedPageLimit(2);
        f.Open(kReadOnly);
        EXPECT_FALSE(f.IsWritable());
        for (int i = 0; i < 4; ++i)
        {
            BTPageRef p(f.ReadPage(PageAt(i), nullptr));
            Fill(p, 0xAA);
            p->MarkDirty();
        }
        f.FreePage(PageAt(0));
        EXPECT_EQ(CFileException::accessDenied, CauseOf<CFileException>([&] {
            BTPageRef r;
            f.AllocPage(r, nullptr); // takes the freed page, in memory
            f.AllocPage(r, nullptr); // would append
        }));
        f.GetCommentsText() = "changed";
        f.FlushIfWritable();
        f.Close();
    }
    EXPECT_EQ(before, ReadAll(m_path));
}

TEST_F(PagedFileTest, WritingAPageRunsItsOwnersStepFirst)
{
    struct Owner : BTPageOwner
    {
        int calls = 0;
        void BeforePageWrite(BTPage* page) override
        {
            ++calls;
            page->m_data[100] = 0x42;
        }
    } owner;
    TestPagedFile f(m_path);
    f.CreateNew();
    f.Open(kReadWrite);
    DWORD offset;
    {
        BTPageRef p;
        f.AllocPage(p, &owner);
        offset = p->m_offset;
    }
    f.FlushBuffers();
    EXPECT_EQ(1, owner.calls);
    {
        BTPageRef p(f.ReadPage(offset, &owner));
        p->MarkDirty();
    }
    f.ForgetOwner(&owner); // the tree goes away; its pages stay dirty in the cache
    f.Close();
    EXPECT_EQ(1, owner.calls);
    EXPECT_EQ(0x42, ReadAll(m_path)[offset + 100]);
}

TEST_F(PagedFileTest, HeaderVersionRules)
{
    MakeFile(m_path, 0);
    struct Case
    {
        const char* what;
        WORD type;
        WORD version;
        int cause; // -1: opens
        bool namesFile;
    } cases[] = {
        {"same version", kType, kVersion, -1, false},
        {"file older than program", kType, kVersion + 1, -1, false},
        {"file newer than program", kType, kVersion - 1, CArchiveException::badSchema, false},
        {"other type", 0x8007, kVersion, CArchiveException::badSchema, false},
    };
    for (const Case& c : cases)
    {
        TestPagedFile f(m_path);
        f.SetDocumentType(c.type);
        f.SetVersion(c.version);
        CString name = "unset";
        int cause = CauseOf<CArchiveException>([&] { f.Open(kReadWrite); }, &name);
        EXPECT_EQ(c.cause, cause) << c.what;
        if (cause == -1)
            EXPECT_EQ(kVersion, f.GetVersion()) << c.what << ": the file learns the stored version";
        else
            EXPECT_TRUE(name.IsEmpty()) << c.what;
        EXPECT_EQ(cause == -1, f.IsOpen() != FALSE) << c.what;
        f.Close();
    }
}

TEST_F(PagedFileTest, DamagedHeaderIsBadSchemaNamingTheFile)
{
    MakeFile(m_path, 1);
    const std::vector<unsigned char> good = ReadAll(m_path);
    struct Case
    {
        const char* what;
        size_t at;
        int cause;
    } cases[] = {
        {"magic 1", 0, CArchiveException::badSchema},
        {"magic 2", 7, CArchiveException::badSchema},
        {"code A", 8, CArchiveException::badSchema},
        {"code B", 11, CArchiveException::badSchema},
    };
    for (const Case& c : cases)
    {
        std::vector<unsigned char> bad = good;
        bad[c.at] ^= 0x01;
        WriteAll(m_path, bad);
        TestPagedFile f(m_path);
        CString name;
        EXPECT_EQ(c.cause, CauseOf<CArchiveException>([&] { f.Open(kReadWrite); }, &name)) << c.what;
        EXPECT_EQ(m_path, name) << c.what;
        EXPECT_EQ(bad, ReadAll(m_path)) << c.what;
    }
    std::vector<unsigned char> cut(good.begin(), good.begin() + 10);
    WriteAll(m_path, cut);
    TestPagedFile f(m_path);
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] { f.Open(kReadWrite); }));
    EXPECT_EQ(cut, ReadAll(m_path));
}

TEST_F(PagedFileTest, DamagedPagesRaiseClearErrorsAndWriteNothing)
{
    MakeFile(m_path, 3);
    std::vector<unsigned char> bytes = ReadAll(m_path);
    bytes.resize(PageAt(2) + 1000); // the last page cut short
    WriteAll(m_path, bytes);

    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    CString name;
    EXPECT_EQ(CArchiveException::badSchema,
              CauseOf<CArchiveException>([&] { f.ReadPage(PageAt(2), nullptr); }, &name))
        << "truncated page";
    EXPECT_EQ(m_path, name);
    EXPECT_EQ(CArchiveException::badSchema, CauseOf<CArchiveException>([&] { f.ReadPage(PageAt(40), nullptr); }))
        << "offset past the end";
    EXPECT_EQ(CArchiveException::badSchema,
              CauseOf<CArchiveException>([&] { f.ReadPage(0x7FFFFC00, nullptr); }))
        << "offset far past the end";
    const DWORD badOffsets[] = {0, 1, 512, 1023, 1025, PageAt(1) + 8};
    for (DWORD offset : badOffsets)
        EXPECT_EQ(CFileException::badSeek, CauseOf<CFileException>([&] { f.ReadPage(offset, nullptr); }))
            << "offset " << offset;
    EXPECT_EQ(CFileException::badSeek, CauseOf<CFileException>([&] { f.FreePage(0); }));
    EXPECT_EQ(0u, f.GetCachedPageCount());
    EXPECT_TRUE(Filled(f.ReadPage(PageAt(1), nullptr), 2)) << "good pages still read";
    f.Abort();
    EXPECT_EQ(bytes, ReadAll(m_path));
}

TEST_F(PagedFileTest, FreeListLeadingIntoALivePageIsRefused)
{
    MakeFile(m_path, 2);
    std::vector<unsigned char> bytes = ReadAll(m_path);
    bytes[18] = 1;                     // free count 1
    bytes[22] = (BYTE)(PageAt(1));     // head: a live page
    bytes[23] = (BYTE)(PageAt(1) >> 8);
    WriteAll(m_path, bytes);
    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    EXPECT_EQ(CArchiveException::badSchema, CauseOf<CArchiveException>([&] {
        BTPageRef r;
        f.AllocPage(r, nullptr);
    }));
    f.Abort();
    EXPECT_EQ(bytes, ReadAll(m_path));
}

TEST_F(PagedFileTest, HeaderTooLongForItsAreaIsRefusedBeforeAnythingIsWritten)
{
    MakeFile(m_path, 1);
    const std::vector<unsigned char> before = ReadAll(m_path);
    TestPagedFile f(m_path);
    f.Open(kReadWrite);
    f.GetTitleText() = CString('t', 600);
    f.GetCommentsText() = CString('c', 600);
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] { f.FlushBuffers(); }));
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] { f.Close(); }));
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(before, ReadAll(m_path));
    // Just fitting is fine: 16 + 3 + 500 + 1 + 250 + 8 bytes.
    f.Open(kReadWrite);
    f.GetTitleText() = CString('t', 500);
    f.GetCommentsText() = CString('c', 250);
    f.Close();
    f.Open(kReadOnly);
    EXPECT_EQ(500, f.GetTitleText().GetLength());
    EXPECT_TRUE(Filled(f.ReadPage(PageAt(0), nullptr), 1));
    f.Close();
    // A header that shrinks leaves zeros, not its old tail, in the area.
    f.Open(kReadWrite);
    f.GetTitleText() = "t";
    f.GetCommentsText().Empty();
    f.Close();
    std::vector<unsigned char> after = ReadAll(m_path);
    for (size_t i = 16 + 2 + 1 + 8; i < 1024; ++i)
        ASSERT_EQ(0, after[i]) << "at " << i;
}

TEST_F(PagedFileTest, ClosingWhileAPageIsHeldLeavesTheReferenceValid)
{
    MakeFile(m_path, 1);
    BTPageRef kept;
    {
        TestPagedFile f(m_path);
        f.Open(kReadWrite);
        kept = f.ReadPage(PageAt(0), nullptr);
        f.Close();
        EXPECT_EQ(m_cachedBefore, BTPageCache::GetTotalCount());
    }
    EXPECT_TRUE(Filled(kept, 1));
    kept.Release(); // frees the dropped buffer (ASan checks)
}

TEST_F(PagedFileTest, FlushShowsTheWaitCursorAndEndsItHoweverItEnds)
{
    struct Owner : BTPageOwner
    {
        int seen = -1;
        bool fail = false;
        void BeforePageWrite(BTPage*) override
        {
            seen = AfxGetWaitCursorCount();
            if (fail)
                AfxThrowFileException(CFileException::diskFull);
        }
    } owner;
    const int before = AfxGetWaitCursorCount();
    TestPagedFile f(m_path);
    f.CreateNew();
    f.Open(kReadWrite);
    BTPageRef page;
    f.AllocPage(page, &owner);
    f.FlushBuffers();
    EXPECT_EQ(before + 1, owner.seen) << "pages are written under the wait cursor";
    EXPECT_EQ(before, AfxGetWaitCursorCount());

    page->MarkDirty();
    owner.fail = true;
    EXPECT_EQ(CFileException::diskFull, CauseOf<CFileException>([&] { f.FlushBuffers(); }));
    EXPECT_EQ(before, AfxGetWaitCursorCount()) << "a failed page write";
    f.GetCommentsText() = CString('c', 1020);
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] { f.FlushBuffers(); }));
    EXPECT_EQ(before, AfxGetWaitCursorCount()) << "a header too long";

    owner.fail = false;
    f.GetCommentsText().Empty();
    page.Release();
    f.Close();
    EXPECT_EQ(before, AfxGetWaitCursorCount());
}

namespace
{
// Counts the reads that reach the file itself.
class CountingPagedFile : public TestPagedFile
{
public:
    using TestPagedFile::TestPagedFile;
    UINT Read(void* buf, UINT n) override
    {
        ++reads;
        return TestPagedFile::Read(buf, n);
    }
    int reads = 0;
};
} // namespace

TEST_F(PagedFileTest, MissedPagesComeFromAViewThatFollowsTheFile)
{
    MakeFile(m_path, 40);
    CountingPagedFile f(m_path);
    f.Open(kReadWrite);
    f.SetCachedPageLimit(3); // every read below misses
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(Filled(f.ReadPage(PageAt(i), nullptr), (BYTE)(i + 1))) << "page " << i;
    EXPECT_EQ(1024u + 40 * 2048u, f.GetMappedLength());
    const int readsAfterOpen = f.reads;

    // Pages changed and written back through the file are read back new.
    {
        BTPageRef page(f.ReadPage(PageAt(7), nullptr));
        Fill(page, 200);
        page->MarkDirty();
    }
    f.FlushIfWritable();
    // Pages appended and written lie past the view until it is made again.
    for (int i = 40; i < 80; ++i)
    {
        BTPageRef ref;
        f.AllocPage(ref, nullptr);
        Fill(ref, (BYTE)(i + 1));
    }
    f.FlushIfWritable();
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 80; ++i)
            ASSERT_TRUE(Filled(f.ReadPage(PageAt(i), nullptr), (BYTE)(i == 7 ? 200 : i + 1))) << "page " << i;
    EXPECT_EQ(1024u + 80 * 2048u, f.GetMappedLength());
    EXPECT_LT(f.reads - readsAfterOpen, 40) << "most misses copy from the view";

    // Cutting the file drops the view first; pages past the new end are damage.
    f.SetLength(PageAt(10));
    EXPECT_EQ(0u, f.GetMappedLength());
    EXPECT_EQ(CArchiveException::badSchema, CauseOf<CArchiveException>([&] { f.ReadPage(PageAt(30), nullptr); }));
    EXPECT_TRUE(Filled(f.ReadPage(PageAt(9), nullptr), 10));
    f.Abort();
}

TEST_F(PagedFileTest, AFileThatTurnsTheViewOffReadsEveryMissedPage)
{
    MakeFile(m_path, 40);
    CountingPagedFile f(m_path);
    f.SetMappedReads(FALSE);
    f.Open(kReadOnly);
    f.SetCachedPageLimit(3);
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(Filled(f.ReadPage(PageAt(i), nullptr), (BYTE)(i + 1)));
    EXPECT_EQ(0u, f.GetMappedLength());
    EXPECT_GE(f.reads, 40);
    f.Close();
}
