// Pages deflated on the deflater's threads: the same bytes as one stream on
// one thread, and a compressed file written in batches byte for byte the
// file written page by page.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "classlib/Exceptions.h"
#include "database/file/BTPageCache.h"
#include "database/file/BTPageDeflater.h"
#include "database/file/BTPagedFile.h"
#include "toolkit/core/LTComp.h"

#include <string.h>
#include <vector>

using namespace filetest;

namespace
{
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;

// Page contents of every kind the slots meet: all zeros (a few bytes),
// random (an overflow slot), text-like node data, and random bytes over a
// growing share of the page, which crosses the split between one slot and two.
void FillKind(BYTE* data, int kind, unsigned seed)
{
    memset(data, 0, BTPage::size);
    const char* words[] = {"smith", "journal", "of", "cell", "biology", "review", "annals", "brown"};
    switch (kind % 4)
    {
    case 0:
        break;
    case 1:
    case 3:
    {
        const int random = kind % 4 == 1 ? BTPage::size : 1000 + (int)(seed % 700);
        for (int i = 0; i < random; ++i)
        {
            seed = seed * 1103515245u + 12345u;
            data[i] = (BYTE)(seed >> 16);
        }
        break;
    }
    default:
        for (int at = 0; at < BTPage::size - 16;)
        {
            seed = seed * 1103515245u + 12345u;
            const char* word = words[(seed >> 16) % 8];
            const size_t n = strlen(word);
            memcpy(data + at, word, n);
            at += (int)n + 1 + (int)((seed >> 8) % 3);
        }
    }
}

class CompressedFile : public BTPagedFile
{
public:
    explicit CompressedFile(const CString& path)
    {
        SetPathName(path);
        SetDocumentType(0x8003);
        SetVersion(1047);
        SetCompressed(TRUE);
    }
    void Open()
    {
        CFileException error;
        ASSERT_TRUE(OpenFile(kReadWrite, &error));
    }
};

class PageDeflaterTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        BTPageDeflater::LimitThreads(0);
        EXPECT_EQ(0u, BTPageCache::GetTotalCount());
        for (const CString& path : m_paths)
            RemoveFile(path);
    }
    CString Path(const char* stem)
    {
        m_paths.push_back(TempPath(stem));
        return m_paths.back();
    }
    std::vector<CString> m_paths;
};
} // namespace

TEST_F(PageDeflaterTest, EveryThreadGivesTheBytesOfOneStream)
{
    const int kPages = 96;
    std::vector<BYTE> pages((size_t)kPages * BTPage::size);
    for (int i = 0; i < kPages; ++i)
        FillKind(&pages[(size_t)i * BTPage::size], i, 1000u + (unsigned)i);

    // One stream, page after page, as the file's own page writes do.
    std::vector<std::vector<BYTE>> expected;
    for (int i = 0; i < kPages; ++i)
    {
        std::vector<BYTE> out(4096);
        unsigned long length = (unsigned long)out.size();
        LTComp comp;
        ASSERT_EQ(LTComp::ok, comp.Compress(out.data(), &length, &pages[(size_t)i * BTPage::size], BTPage::size));
        out.resize(length);
        expected.push_back(out);
    }

    for (int threads : {1, 2, 0})
    {
        BTPageDeflater::LimitThreads(threads);
        std::vector<BYTE> out((size_t)kPages * 4096, 0xEE);
        std::vector<BTPageDeflater::Job> jobs;
        for (int i = 0; i < kPages; ++i)
            jobs.push_back(BTPageDeflater::Job{&pages[(size_t)i * BTPage::size], BTPage::size,
                                               &out[(size_t)i * 4096], 4096, 0, 99});
        BTPageDeflater::Deflate(jobs.data(), jobs.size());
        for (int i = 0; i < kPages; ++i)
        {
            ASSERT_EQ(LTComp::ok, jobs[(size_t)i].result) << "threads " << threads << ", page " << i;
            ASSERT_EQ(expected[(size_t)i].size(), jobs[(size_t)i].destLength) << "threads " << threads << ", page " << i;
            EXPECT_EQ(0, memcmp(expected[(size_t)i].data(), &out[(size_t)i * 4096], expected[(size_t)i].size()))
                << "threads " << threads << ", page " << i;
        }
    }
    EXPECT_GE(BTPageDeflater::GetThreadCount(), 1);

    // A destination too small is the job's failure, not the batch's.
    BYTE tiny[8];
    BTPageDeflater::Job small{&pages[BTPage::size], BTPage::size, tiny, sizeof tiny, 0, 0};
    BTPageDeflater::Deflate(&small, 1);
    EXPECT_EQ(LTComp::bufError, small.result);
}

// Two rounds of changes (pages growing into and shrinking out of overflow
// slots): the file flushed in batches on the threads holds exactly the bytes
// of the file whose pages were written one by one.
TEST_F(PageDeflaterTest, BatchedFlushWritesTheFileOfPageByPageWrites)
{
    const CString one = Path("one"), batched = Path("batched");
    const int kPages = 300;
    CompressedFile a(one), b(batched);
    a.CreateNew();
    a.Open();
    b.CreateNew();
    b.Open();
    for (int round = 0; round < 2; ++round)
    {
        std::vector<BTPageRef> pagesA(kPages), pagesB(kPages);
        for (int i = 0; i < kPages; ++i)
        {
            if (round == 0)
            {
                a.AllocPage(pagesA[(size_t)i], nullptr);
                b.AllocPage(pagesB[(size_t)i], nullptr);
            }
            else
            {
                const DWORD offset = 1024 + (DWORD)i * 1280;
                pagesA[(size_t)i] = a.ReadPage(offset, nullptr);
                pagesB[(size_t)i] = b.ReadPage(offset, nullptr);
            }
            FillKind(pagesA[(size_t)i]->m_data, i + round, 77u * (unsigned)i + (unsigned)round);
            memcpy(pagesB[(size_t)i]->m_data, pagesA[(size_t)i]->m_data, BTPage::size);
            pagesA[(size_t)i]->MarkDirty();
            pagesB[(size_t)i]->MarkDirty();
        }
        // Least recent first, as a flush takes them: the order they were
        // allocated in (reading a cached page does not move it).
        for (int i = 0; i < kPages; ++i)
            a.WritePage(pagesA[(size_t)i]);
        a.FlushBuffers();
        b.FlushBuffers();
        for (int i = 0; i < kPages; ++i)
            EXPECT_FALSE(pagesB[(size_t)i]->IsDirty());
    }
    a.Close();
    b.Close();
    const std::vector<unsigned char> bytesA = ReadAll(one), bytesB = ReadAll(batched);
    ASSERT_GT(bytesA.size(), (size_t)kPages * 1280);
    EXPECT_TRUE(bytesA == bytesB) << "the batched file differs";

    b.Open();
    for (int i = 0; i < kPages; ++i)
    {
        BTPage expect;
        FillKind(expect.m_data, i + 1, 77u * (unsigned)i + 1u);
        BTPageRef back(b.ReadPage(1024 + (DWORD)i * 1280, nullptr));
        ASSERT_EQ(0, memcmp(expect.m_data, back->m_data, BTPage::size)) << "page " << i;
    }
    b.Close();
}

// A file that holds more pages than it may cache: eviction writes the dirty
// pages after its victim with it; every page reads back as last changed.
TEST_F(PageDeflaterTest, EvictionWritesBatchesThatReadBackWhole)
{
    const CString path = Path("evict");
    const int kPages = 600;
    CompressedFile f(path);
    f.CreateNew();
    f.Open();
    f.SetCachedPageLimit(40);
    // Overflow slots taken while pages are appended lie between them.
    std::vector<DWORD> offsets;
    for (int round = 0; round < 2; ++round)
    {
        for (int i = 0; i < kPages; ++i)
        {
            BTPageRef page;
            if (round == 0)
            {
                f.AllocPage(page, nullptr);
                offsets.push_back(page->m_offset);
            }
            else
            {
                page = f.ReadPage(offsets[(size_t)i], nullptr);
            }
            FillKind(page->m_data, i + 3 * round, 31u * (unsigned)i + (unsigned)round);
            page->MarkDirty();
        }
    }
    EXPECT_LE(f.GetCachedPageCount(), 40u);
    EXPECT_GT(f.GetFileEnd(), 1024u + (DWORD)kPages * 1280) << "no page took an overflow slot";
    f.Close();
    f.Open();
    for (int i = 0; i < kPages; ++i)
    {
        BTPage expect;
        FillKind(expect.m_data, i + 3, 31u * (unsigned)i + 1u);
        BTPageRef back(f.ReadPage(offsets[(size_t)i], nullptr));
        ASSERT_EQ(0, memcmp(expect.m_data, back->m_data, BTPage::size)) << "page " << i;
    }
    f.Close();
}
