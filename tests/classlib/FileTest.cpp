#include "classlib/Document.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
// The cause of the CFileException the action throws, or -1.
int FileCause(const std::function<void()>& action)
{
    try
    {
        action();
    }
    catch (CFileException* e)
    {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = dir.Path("data.bin");
        ScratchDir::WriteAll(path, "0123456789");
    }

    ScratchDir dir;
    CString path;
};

const UINT kReadWriteExclusive = CFile::modeReadWrite | CFile::shareExclusive;
const UINT kReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite;
} // namespace

TEST_F(FileTest, ExclusiveOpenLocksOutEveryOtherOpen)
{
    CFile first;
    ASSERT_TRUE(first.Open(path, kReadWriteExclusive));
    const UINT others[] = {kReadDenyWrite, CFile::modeRead | CFile::shareDenyNone, kReadWriteExclusive,
                           CFile::modeWrite | CFile::shareDenyNone};
    for (UINT mode : others)
    {
        SCOPED_TRACE(mode);
        CFile second;
        CFileException e;
        EXPECT_FALSE(second.Open(path, mode, &e));
        EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
        EXPECT_STREQ(e.m_strFileName, path);
        EXPECT_FALSE(second.IsOpenHandle());
    }
    first.Close();
    CFile again;
    EXPECT_TRUE(again.Open(path, kReadWriteExclusive));
}

TEST_F(FileTest, DenyWriteAdmitsReadersOnly)
{
    CFile reader;
    ASSERT_TRUE(reader.Open(path, kReadDenyWrite));

    CFile secondReader;
    EXPECT_TRUE(secondReader.Open(path, kReadDenyWrite));
    CFile sharingReader;
    EXPECT_TRUE(sharingReader.Open(path, CFile::modeRead | CFile::shareDenyNone));

    CFile writer;
    CFileException e;
    EXPECT_FALSE(writer.Open(path, kReadWriteExclusive, &e));
    EXPECT_EQ(e.m_cause, CFileException::sharingViolation);
    EXPECT_FALSE(writer.Open(path, CFile::modeReadWrite | CFile::shareDenyNone));
}

TEST_F(FileTest, ReadOnlyFallbackOfADocumentWhileAnotherHoldsIt)
{
    // A reader with deny-write keeps writers out but lets the next reader in,
    // whichever of them closes first.
    CFile a;
    ASSERT_TRUE(a.Open(path, kReadDenyWrite));
    CFile b;
    ASSERT_FALSE(b.Open(path, kReadWriteExclusive));
    ASSERT_TRUE(b.Open(path, kReadDenyWrite));
    a.Close();
    CFile c;
    EXPECT_FALSE(c.Open(path, kReadWriteExclusive));
    b.Close();
    EXPECT_TRUE(c.Open(path, kReadWriteExclusive));
}

TEST_F(FileTest, RefusedCreateLeavesTheHeldFileIntact)
{
    CFile holder;
    ASSERT_TRUE(holder.Open(path, kReadDenyWrite));
    CFile creator;
    EXPECT_FALSE(creator.Open(path, CFile::modeCreate | kReadWriteExclusive));
    holder.Close();
    EXPECT_EQ(ScratchDir::ReadAll(path), "0123456789");
}

TEST_F(FileTest, OpenErrorsCarryCauseAndName)
{
    CFile f;
    CFileException e;
    CString missing = dir.Path("missing.bin");
    EXPECT_FALSE(f.Open(missing, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    EXPECT_STREQ(e.m_strFileName, missing);
    EXPECT_EQ(FileCause([&] { CFile thrown(missing, CFile::modeRead); }), CFileException::fileNotFound);
}

TEST_F(FileTest, ReadWriteSeekAndLength)
{
    CFile f(path, CFile::modeReadWrite | CFile::shareExclusive);
    EXPECT_EQ(f.GetLength(), 10u);
    char buf[16] = {};
    EXPECT_EQ(f.Read(buf, 4), 4u);
    EXPECT_STREQ(buf, "0123");
    EXPECT_EQ(f.GetPosition(), 4u);
    EXPECT_EQ(f.Seek(-2, CFile::end), 8u);
    EXPECT_EQ(f.Read(buf, 16), 2u);
    EXPECT_EQ(f.Read(buf, 16), 0u);
    EXPECT_EQ(f.Seek(2, CFile::begin), 2u);
    EXPECT_EQ(f.Seek(3, CFile::current), 5u);
    f.Write("ab", 2);
    EXPECT_EQ(f.SeekToEnd(), 10u);
    f.Write("XY", 2);
    EXPECT_EQ(f.GetLength(), 12u);
    EXPECT_EQ(f.GetPosition(), 12u); // GetLength keeps the position
    f.SetLength(4);
    EXPECT_EQ(f.GetLength(), 4u);
    EXPECT_EQ(FileCause([&] { f.Seek(-1, CFile::begin); }), CFileException::badSeek);
    f.Flush();
    f.Close();
    f.Close(); // closing a closed file does nothing
    EXPECT_EQ(ScratchDir::ReadAll(path), "0123");
}

TEST_F(FileTest, CreateTruncatesUnlessNoTruncate)
{
    {
        CFile f(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(f.GetLength(), 10u);
    }
    {
        CFile f(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(f.GetLength(), 0u);
    }
}

TEST_F(FileTest, NamesOfThePath)
{
    CFile f;
    f.SetFilePath("C:\\Data\\Lib\\Refs.db.ldt");
    EXPECT_STREQ(f.GetFilePath(), "C:\\Data\\Lib\\Refs.db.ldt");
    EXPECT_STREQ(f.GetFileName(), "Refs.db.ldt");
    EXPECT_STREQ(f.GetFileTitle(), "Refs.db");
    f.SetFilePath("plain");
    EXPECT_STREQ(f.GetFileTitle(), "plain");
}

TEST_F(FileTest, RenameRemoveAndStatus)
{
    CString other = dir.Path("other.bin");
    CFile::Rename(path, other);
    CFileStatus st;
    EXPECT_FALSE(CFile::GetStatus(path, st));
    ASSERT_TRUE(CFile::GetStatus(other, st));
    EXPECT_EQ(st.m_size, 10u);
    EXPECT_EQ(st.m_attribute & CFile::directory, 0);
    EXPECT_GT(st.m_mtime.GetTime(), 0);

    // Renaming onto an existing file is refused and keeps both.
    ScratchDir::WriteAll(path, "new");
    EXPECT_NE(FileCause([&] { CFile::Rename(other, path); }), -1);
    EXPECT_EQ(ScratchDir::ReadAll(path), "new");

    CFile::Remove(other);
    EXPECT_FALSE(CFile::GetStatus(other, st));
    EXPECT_EQ(FileCause([&] { CFile::Remove(other); }), CFileException::fileNotFound);
}

TEST_F(FileTest, AnOpenFileCannotBeRemoved)
{
    CFile f(path, kReadWriteExclusive);
    EXPECT_EQ(FileCause([&] { CFile::Remove(path); }), CFileException::sharingViolation);
    f.Close();
    CFile::Remove(path);
}

TEST_F(FileTest, LockedRangesExcludeOtherFiles)
{
    CFile a(path, CFile::modeReadWrite | CFile::shareDenyNone);
    CFile b(path, CFile::modeReadWrite | CFile::shareDenyNone);
    a.LockRange(2, 4);
    EXPECT_EQ(FileCause([&] { b.LockRange(5, 2); }), CFileException::lockViolation);
    b.LockRange(6, 2); // adjacent, not overlapping
    EXPECT_NE(FileCause([&] { a.UnlockRange(2, 3); }), -1); // only the exact range unlocks
    a.UnlockRange(2, 4);
    b.LockRange(0, 4);
    b.UnlockRange(0, 4);
    b.UnlockRange(6, 2);
}

TEST_F(FileTest, DuplicateSharesTheOpenFile)
{
    CFile f(path, kReadWriteExclusive);
    CFile* dup = f.Duplicate();
    char buf[4] = {};
    EXPECT_EQ(dup->Read(buf, 3), 3u);
    EXPECT_STREQ(buf, "012");
    EXPECT_STREQ(dup->GetFilePath(), path);
    dup->Close();
    delete dup;
    // The original is still open and still exclusive.
    CFile other;
    EXPECT_FALSE(other.Open(path, kReadDenyWrite));
    f.Close();
    EXPECT_TRUE(other.Open(path, kReadDenyWrite));
}

TEST(FilePathTest, NativePathMapping)
{
#ifdef _WIN32
    EXPECT_STREQ(AfxNativePath("C:\\tmp\\a.txt"), "C:\\tmp\\a.txt");
#else
    EXPECT_STREQ(AfxNativePath("C:\\tmp\\a.txt"), "/tmp/a.txt");
    EXPECT_STREQ(AfxNativePath("d:rel"), "/rel");
    EXPECT_STREQ(AfxNativePath("sub\\x.db"), "sub/x.db");
    EXPECT_STREQ(AfxNativePath("/tmp/b"), "/tmp/b");
#endif
}

// Full paths as Windows resolves them; nothing on disk is consulted.
TEST(FilePathTest, FullPathResolvesLikeWindows)
{
    const struct
    {
        const char* path;
        const char* full;
    } cases[] = {
        {"C:\\Data\\refs.ldt", "C:\\Data\\refs.ldt"},
        {"C:\\Data\\.\\sub\\..\\refs.ldt", "C:\\Data\\refs.ldt"},
        {"C:/Data//refs.ldt", "C:\\Data\\refs.ldt"},
        {"C:\\Data\\..\\..\\refs.ldt", "C:\\refs.ldt"},
        {"C:\\Data\\", "C:\\Data\\"},
        {"\\\\server\\share\\a\\..\\refs.ldt", "\\\\server\\share\\refs.ldt"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(AfxFullPath(c.path), c.full) << c.path;

    // Relative paths start at the current directory, on its drive.
    const CString current = AfxFullPath(".");
    ASSERT_GE(current.GetLength(), 3);
    EXPECT_EQ(current[1], ':');
    EXPECT_STREQ(AfxFullPath("sub\\..\\refs.ldt"), current + "\\refs.ldt");
    EXPECT_STREQ(AfxFullPath("\\refs.ldt"), current.Left(2) + "\\refs.ldt");
}

TEST(FilePathTest, PathsCompareAsFullPathsWithoutCase)
{
    EXPECT_TRUE(AfxComparePath("C:\\Data\\Refs.ldt", "c:\\data\\sub\\..\\REFS.LDT"));
    EXPECT_TRUE(AfxComparePath("C:\\Data\\Refs.ldt", "C:/Data/./Refs.ldt"));
    EXPECT_FALSE(AfxComparePath("C:\\Data\\Refs.ldt", "C:\\Data\\Refs.ldx"));
    EXPECT_FALSE(AfxComparePath("", "")); // an empty path names no file
    EXPECT_FALSE(AfxComparePath("", "C:\\Data\\Refs.ldt"));
}

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

// The share rules hold between processes too (advisory locks natively).  The
// child is forked before the parent opens, so only the locks can stop it;
// another opener's close in the parent must not free the file for it either.
TEST_F(FileTest, ShareModesHoldAcrossProcesses)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
    {
        char c;
        if (::read(ready[0], &c, 1) != 1)
            ::_exit(8);
        CFile writer, other;
        int failures = 0;
        if (writer.Open(path, kReadWriteExclusive))
            failures |= 1;
        if (writer.Open(path, CFile::modeWrite | CFile::shareDenyNone))
            failures |= 2;
        if (!other.Open(path, kReadDenyWrite))
            failures |= 4;
        other.Abort();
        writer.Abort();
        ::_exit(failures);
    }
    CFile reader;
    ASSERT_TRUE(reader.Open(path, kReadDenyWrite));
    // Another opener's close and opens refused inside this process close
    // descriptors of the file: the reader's locks must outlive them.
    CFile second(path, kReadDenyWrite);
    second.Close();
    for (UINT refused : {kReadWriteExclusive, UINT(CFile::modeWrite | CFile::shareDenyNone)})
    {
        CFile writer;
        ASSERT_FALSE(writer.Open(path, refused));
    }
    ASSERT_EQ(::write(ready[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // Once the reader is gone, another process may write.
    reader.Close();
    pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0)
    {
        CFile writer;
        ::_exit(writer.Open(path, kReadWriteExclusive) ? 0 : 1);
    }
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif
