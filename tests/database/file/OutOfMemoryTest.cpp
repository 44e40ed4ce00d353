// The paged file when memory runs out: the class library's memory exception,
// never std::bad_alloc past handlers that catch CException*, and nothing
// half done behind it (no page buffer lost, no page counted, the file no
// longer than before).
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "support/FailingAllocations.h"
#include "database/file/BTPagedFile.h"
#include "database/file/BTPageCache.h"
#include "classlib/Exceptions.h"

#include <string.h>

using namespace filetest;

namespace
{
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;

class OomFile : public BTPagedFile
{
public:
    OomFile(const CString& path, BOOL compressed)
    {
        SetPathName(path);
        SetDocumentType(0x8006);
        SetVersion(0x0301);
        SetCompressed(compressed);
    }
    void Open()
    {
        CFileException error;
        ASSERT_TRUE(OpenFile(kReadWrite, &error));
    }
};

void FillRandom(BTPage* page, unsigned int seed)
{
    for (int i = 0; i < BTPage::size; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        page->m_data[i] = (BYTE)(seed >> 16);
    }
}

class PagedFileOutOfMemoryTest : public ::testing::Test
{
protected:
    void SetUp() override { m_path = TempPath("oom"); }
    void TearDown() override
    {
        EXPECT_EQ(0u, BTPageCache::GetTotalCount());
        EXPECT_EQ(0u, BTPageCache::GetBuffersInUse());
        RemoveFile(m_path);
    }
    // A closed file of n pages; page i filled from seed i.
    void MakeFile(int n, BOOL compressed)
    {
        OomFile f(m_path, compressed);
        f.CreateNew();
        f.Open();
        for (int i = 0; i < n; ++i)
        {
            BTPageRef page;
            f.AllocPage(page, nullptr);
            FillRandom(page, (unsigned)i);
        }
        f.Close();
    }
    CString m_path;
};
} // namespace

TEST_F(PagedFileOutOfMemoryTest, ReadingAnOverflowPageGivesItsBufferBack)
{
    MakeFile(2, TRUE); // random pages: each has an overflow slot
    OomFile f(m_path, TRUE);
    f.Open();
    BTPageRef first(f.ReadPage(1024, nullptr)); // the table and the buffer pool exist
    const DWORD inUse = BTPageCache::GetBuffersInUse();
    const DWORD second = 1024 + 1280; // its overflow slot comes after both pages
    EXPECT_EQ(memoryException, WhileMemoryFails([&] { f.ReadPage(second, nullptr); }));
    EXPECT_EQ(inUse, BTPageCache::GetBuffersInUse()) << "the page's buffer was lost";
    EXPECT_FALSE(f.IsPageCached(second));
    EXPECT_EQ(1u, f.GetCachedPageCount());

    BTPageRef again(f.ReadPage(second, nullptr));
    EXPECT_TRUE(again->m_bOverflow);
    BTPage expected;
    FillRandom(&expected, 1);
    EXPECT_EQ(0, memcmp(expected.m_data, again->m_data, BTPage::size));
    first.Release();
    again.Release();
    f.Close();
}

TEST_F(PagedFileOutOfMemoryTest, GrowingThePageTableFailsBeforeAnythingChanges)
{
    MakeFile(150, FALSE); // the page table grows in steps of 100 entries
    OomFile f(m_path, FALSE);
    f.Open();
    BTPageRef first(f.ReadPage(1024, nullptr));
    const DWORD inUse = BTPageCache::GetBuffersInUse();
    const DWORD end = f.GetFileEnd();
    const DWORD distant = 1024 + 2048 * 120;
    EXPECT_EQ(memoryException, WhileMemoryFails([&] { f.ReadPage(distant, nullptr); })) << "read";
    EXPECT_EQ(memoryException, WhileMemoryFails([&] {
        BTPageRef page;
        f.AllocPage(page, nullptr);
    })) << "append";
    EXPECT_EQ(inUse, BTPageCache::GetBuffersInUse()) << "a page buffer was lost";
    EXPECT_EQ(1u, f.GetCachedPageCount());
    EXPECT_EQ(end, f.GetFileEnd()) << "the file grew by a page nobody holds";

    BTPageRef page;
    f.AllocPage(page, nullptr);
    EXPECT_EQ(end, page->m_offset);
    page.Release();
    first.Release();
    f.Close();
}

TEST_F(PagedFileOutOfMemoryTest, WritingAPageThatNeedsAnOverflowSlotLeavesItDirty)
{
    OomFile f(m_path, TRUE);
    f.CreateNew();
    f.Open();
    {
        BTPageRef page;
        f.AllocPage(page, nullptr);
        f.FlushBuffers(); // a zero page: one slot
        FillRandom(page, 5);
        page->MarkDirty();
        EXPECT_EQ(memoryException, WhileMemoryFails([&] { f.WritePage(page); })) << "page";
        EXPECT_TRUE(page->IsDirty());
        EXPECT_EQ(memoryException, WhileMemoryFails([&] { f.FlushBuffers(); })) << "flush";
        EXPECT_TRUE(page->IsDirty());
    }
    f.Close(); // memory again: written now
    f.Open();
    BTPageRef back(f.ReadPage(1024, nullptr));
    BTPage expected;
    FillRandom(&expected, 5);
    EXPECT_EQ(0, memcmp(expected.m_data, back->m_data, BTPage::size));
    back.Release();
    f.Close();
}
