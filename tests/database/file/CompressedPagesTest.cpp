// Compressed mode: slots, overflow slots and damaged slots.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "database/file/BTPagedFile.h"
#include "database/file/BTPageCache.h"
#include "classlib/Exceptions.h"

#include <string.h>

using namespace filetest;

namespace
{
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;

class KeyFile : public BTPagedFile
{
public:
    explicit KeyFile(const CString& path)
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
    BOOL Overflows(DWORD offset)
    {
        return ReadPage(offset, nullptr)->m_bOverflow;
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

class CompressedPagesTest : public ::testing::Test
{
protected:
    void SetUp() override { m_path = TempPath("key"); }
    void TearDown() override
    {
        EXPECT_EQ(0u, BTPageCache::GetTotalCount());
        RemoveFile(m_path);
    }
    CString m_path;
};

int BadSchemaCause(KeyFile& f, DWORD offset, CString* name)
{
    try
    {
        f.ReadPage(offset, nullptr);
    }
    catch (CArchiveException* e)
    {
        int cause = e->m_cause;
        *name = e->m_strFileName;
        e->Delete();
        return cause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2;
    }
    return -1;
}
} // namespace

TEST_F(CompressedPagesTest, ZeroPageTakesOneSlotAndRandomPageSpillsIntoAnOverflowSlot)
{
    BTPage expect;
    {
        KeyFile f(m_path);
        f.CreateNew();
        f.Open();
        BTPageRef zero, random;
        f.AllocPage(zero, nullptr);
        f.AllocPage(random, nullptr);
        EXPECT_EQ(1024u, zero->m_offset);
        EXPECT_EQ(1024u + 1280u, random->m_offset);
        FillRandom(random, 7);
        memcpy(expect.m_data, random->m_data, BTPage::size);
        f.FlushBuffers();
        EXPECT_TRUE(random->m_bOverflow);
        EXPECT_EQ(1024u + 3 * 1280u, f.GetLength());

        // Written again while cached: the same overflow slot, the file does not grow.
        FillRandom(random, 8);
        random->MarkDirty();
        f.FlushBuffers();
        EXPECT_EQ(1024u + 3 * 1280u, f.GetLength());
        FillRandom(random, 7);
        random->MarkDirty();
        zero.Release();
        random.Release();
        f.Close();
    }
    std::vector<unsigned char> bytes = ReadAll(m_path);
    ASSERT_EQ(1024u + 3 * 1280u, bytes.size());
    unsigned int zeroLen = U16At(bytes, 1024);
    EXPECT_GT(zeroLen, 0u);
    EXPECT_LT(zeroLen, 40u);
    for (size_t i = 1024 + 2 + zeroLen; i < 1024 + 1280; ++i)
        ASSERT_EQ(0, bytes[i]) << "slot tail at " << i;
    EXPECT_GT(U16At(bytes, 2304), 1278u);
    EXPECT_EQ(1024u + 2 * 1280u, U32At(bytes, 2304 + 1276));

    KeyFile f(m_path);
    f.Open();
    BTPageRef back(f.ReadPage(2304, nullptr));
    EXPECT_TRUE(back->m_bOverflow);
    EXPECT_EQ(0, memcmp(expect.m_data, back->m_data, BTPage::size));
    BTPageRef zero(f.ReadPage(1024, nullptr));
    for (int i = 0; i < BTPage::size; ++i)
        ASSERT_EQ(0, zero->m_data[i]);
}

TEST_F(CompressedPagesTest, PageThatShrinksDropsItsOverflowSlotButTheFileKeepsItsLength)
{
    KeyFile f(m_path);
    f.CreateNew();
    f.Open();
    {
        BTPageRef p;
        f.AllocPage(p, nullptr);
        FillRandom(p, 3);
        f.FlushBuffers();
        memset(p->m_data, 'x', BTPage::size);
        p->MarkDirty();
        f.FlushBuffers();
        EXPECT_FALSE(p->m_bOverflow);
    }
    f.Close();
    std::vector<unsigned char> bytes = ReadAll(m_path);
    EXPECT_EQ(1024u + 2 * 1280u, bytes.size());
    EXPECT_LT(U16At(bytes, 1024), 100u);
    f.Open();
    EXPECT_FALSE(f.Overflows(1024));
    EXPECT_EQ('x', f.ReadPage(1024, nullptr)->m_data[2047]);

    // Growing again takes a new slot: the dropped one is not reused.
    {
        BTPageRef p(f.ReadPage(1024, nullptr));
        FillRandom(p, 4);
        p->MarkDirty();
    }
    f.Close();
    EXPECT_EQ(1024u + 3 * 1280u, ReadAll(m_path).size());
}

TEST_F(CompressedPagesTest, DamagedSlotsAreBadSchemaNamingTheFileAndNothingIsWritten)
{
    {
        KeyFile f(m_path);
        f.CreateNew();
        f.Open();
        BTPageRef a, b;
        f.AllocPage(a, nullptr);
        memset(a->m_data, 'k', 600);
        f.AllocPage(b, nullptr);
        FillRandom(b, 9);
        a.Release();
        b.Release();
        f.Close();
    }
    const std::vector<unsigned char> good = ReadAll(m_path);
    const DWORD overflowField = 2304 + 1276;
    struct Case
    {
        const char* what;
        DWORD page;
        size_t at;        // byte to change
        unsigned char value;
        bool cut;         // cut the file at `at` instead
    } cases[] = {
        {"length zero", 1024, 1024, 0, false},
        {"length beyond two slots", 1024, 1025, 0x0B, false},
        {"flipped compressed byte", 1024, 1024 + 4, 0x5A, false},
        {"flipped checksum", 1024, 1024 + 2 + U16At(good, 1024) - 1, 0x00, false},
        {"overflow offset zero", 2304, overflowField + 1, 0, false},
        {"overflow offset misaligned", 2304, overflowField, 0x33, false},
        {"overflow offset past the end", 2304, overflowField + 2, 0x7F, false},
        {"overflow slot cut short", 2304, 1024 + 2 * 1280 + 600, 0, true},
        {"first slot cut short", 2304, 2304 + 100, 0, true},
    };
    for (const Case& c : cases)
    {
        std::vector<unsigned char> bad = good;
        if (c.cut)
            bad.resize(c.at);
        else
        {
            if (c.at == overflowField + 1)
                bad[overflowField] = bad[overflowField + 1] = bad[overflowField + 2] = bad[overflowField + 3] = 0;
            else
                bad[c.at] = bad[c.at] == c.value ? (unsigned char)~c.value : c.value;
        }
        WriteAll(m_path, bad);
        {
            KeyFile f(m_path);
            f.Open();
            CString name;
            EXPECT_EQ(CArchiveException::badSchema, BadSchemaCause(f, c.page, &name)) << c.what;
            EXPECT_EQ(m_path, name) << c.what;
            EXPECT_EQ(0u, f.GetCachedPageCount()) << c.what;
            f.Close();
        }
        std::vector<unsigned char> after = ReadAll(m_path);
        // Closing stores the header again; it is the same bytes.
        EXPECT_EQ(bad, after) << c.what;
    }
}
