// The document file object: hooks and when they run, create anew, copy in
// chunks, rename, sharing.
#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "database/file/CPFile.h"
#include "classlib/Exceptions.h"

#include <string>

using namespace filetest;

namespace
{
const UINT kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;
const UINT kReadOnly = CFile::modeRead | CFile::shareDenyWrite;

// Records the hooks it runs and the sizes CopyTo reads in; InitNew writes "NEW".
class ProbeFile : public CPFile
{
public:
    explicit ProbeFile(const CString& path) { SetPathName(path); }
    void InitNew() override
    {
        log += "I";
        Write("NEW", 3);
    }
    void OnOpen() override { log += "O"; }
    void OnClose() override { log += "C"; }
    void FlushBuffers() override { log += "F"; }
    UINT Read(void* buf, UINT n) override
    {
        reads.push_back(n);
        return CPFile::Read(buf, n);
    }
    void* AllocCopyBlock(DWORD size) override
    {
        asked.push_back(size);
        return size <= largestBlock ? CPFile::AllocCopyBlock(size) : nullptr;
    }

    std::string log;
    std::vector<UINT> reads;
    std::vector<DWORD> asked;
    DWORD largestBlock = 0xFFFFFFFF;
};

class CPFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = TempPath("cpfile");
        m_copy = TempPath("cpcopy");
    }
    void TearDown() override
    {
        RemoveFile(m_path);
        RemoveFile(m_copy);
    }
    CString m_path;
    CString m_copy;
};

std::vector<unsigned char> Pattern(size_t n)
{
    std::vector<unsigned char> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = (unsigned char)(i * 31 + i / 251);
    return v;
}
} // namespace

TEST_F(CPFileTest, CreateNewReplacesAnExistingFileWithWhatInitNewWritesAndLeavesItClosed)
{
    WriteAll(m_path, Pattern(5000));
    ProbeFile f(m_path);
    f.CreateNew();
    EXPECT_EQ("IFC", f.log);
    EXPECT_FALSE(f.IsOpen());
    std::vector<unsigned char> bytes = ReadAll(m_path);
    EXPECT_EQ(std::string("NEW"), std::string(bytes.begin(), bytes.end()));
}

TEST_F(CPFileTest, HooksRunOnlyWhereTheModeAllows)
{
    WriteAll(m_path, Pattern(10));
    struct Case
    {
        UINT mode;
        const char* openLog;
        const char* closeLog;
        BOOL writable;
    } cases[] = {
        {kReadWrite, "O", "FC", TRUE},
        {kReadOnly, "O", "C", FALSE},
        {kReadWrite | CFile::modeCreate, "IFO", "FC", TRUE},
    };
    for (const Case& c : cases)
    {
        ProbeFile f(m_path);
        EXPECT_TRUE(f.IsWritable()) << "a closed file counts as writable";
        f.Close();
        EXPECT_EQ("", f.log) << "closing a closed file does nothing";
        CFileException error;
        ASSERT_TRUE(f.OpenFile(c.mode, &error));
        EXPECT_EQ(c.openLog, f.log);
        EXPECT_EQ(c.mode, f.GetOpenFlags());
        EXPECT_EQ(c.writable, f.IsWritable());
        f.log.clear();
        f.FlushIfWritable();
        EXPECT_EQ(c.writable ? "F" : "", f.log);
        f.log.clear();
        f.Close();
        EXPECT_EQ(c.closeLog, f.log);
        EXPECT_FALSE(f.IsOpen());
    }
    ProbeFile f(m_path);
    CFileException error;
    ASSERT_TRUE(f.OpenFile(kReadWrite, &error));
    f.log.clear();
    f.Abort();
    EXPECT_EQ("C", f.log) << "OnAbort runs OnClose, without FlushBuffers";
    EXPECT_FALSE(f.IsOpen());
}

TEST_F(CPFileTest, SecondOpenerOfAnExclusiveFileIsRefusedWithSharingViolation)
{
    WriteAll(m_path, Pattern(10));
    ProbeFile first(m_path), second(m_path);
    CFileException error;
    ASSERT_TRUE(first.OpenFile(kReadWrite, &error));
    CFileException refused;
    EXPECT_FALSE(second.OpenFile(kReadWrite, &refused));
    EXPECT_EQ(CFileException::sharingViolation, refused.m_cause);
    EXPECT_FALSE(second.OpenFile(kReadOnly, &refused));
    EXPECT_EQ("", second.log);
    first.Close();
    EXPECT_TRUE(second.OpenFile(kReadOnly, &refused));
}

TEST_F(CPFileTest, CopyToMovesTheFileInChunksOfAtMost102400Bytes)
{
    struct Case
    {
        size_t length;
        std::vector<UINT> reads;
    } cases[] = {
        {250000, {102400, 102400, 45200}},
        {102400, {102400}},
        {1000, {1000}},
        {0, {}},
    };
    for (const Case& c : cases)
    {
        std::vector<unsigned char> data = Pattern(c.length);
        WriteAll(m_path, data);
        WriteAll(m_copy, Pattern(300000)); // an old target is replaced
        ProbeFile f(m_path);
        CFileException error;
        ASSERT_TRUE(f.OpenFile(kReadWrite, &error));
        f.CopyTo(m_copy);
        EXPECT_EQ(c.reads, f.reads) << c.length;
        EXPECT_TRUE(f.IsOpen());
        EXPECT_EQ(m_path, f.GetPathName());
        f.Close();
        EXPECT_EQ(data, ReadAll(m_copy)) << c.length;
    }
}

TEST_F(CPFileTest, CopyToHalvesTheBlockUntilMemoryIsHadAndFailsAtZero)
{
    std::vector<unsigned char> data = Pattern(150000);
    WriteAll(m_path, data);
    ProbeFile f(m_path);
    CFileException error;
    ASSERT_TRUE(f.OpenFile(kReadWrite, &error));
    f.largestBlock = 30000;
    f.CopyTo(m_copy);
    EXPECT_EQ((std::vector<DWORD>{102400, 51200, 25600}), f.asked);
    EXPECT_EQ(25600u, f.reads.front());
    EXPECT_EQ(data, ReadAll(m_copy));

    f.largestBlock = 0;
    bool memory = false;
    try
    {
        f.CopyTo(m_copy);
    }
    catch (CMemoryException* e)
    {
        memory = true;
        e->Delete();
    }
    EXPECT_TRUE(memory);
}

TEST_F(CPFileTest, RenameMovesThePathAndRenameToDoesNot)
{
    WriteAll(m_path, Pattern(10));
    ProbeFile f(m_path);
    EXPECT_TRUE(f.Exists());
    f.RenameTo(m_copy);
    EXPECT_EQ(m_path, f.GetPathName());
    EXPECT_FALSE(f.Exists());
    f.SetPathName(m_copy);
    f.Rename(m_path);
    EXPECT_EQ(m_path, f.GetPathName());
    EXPECT_EQ(Pattern(10), ReadAll(m_path));

    f.SetPathName("");
    EXPECT_FALSE(f.Exists());
    f.SetPathName(m_copy);
    bool failed = false;
    try
    {
        f.Rename(m_path + ".x"); // nothing at m_copy
    }
    catch (CFileException* e)
    {
        failed = true;
        e->Delete();
    }
    EXPECT_TRUE(failed);
    EXPECT_EQ(m_copy, f.GetPathName());
}
