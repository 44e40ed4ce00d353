// The memory stream file: blocks, borders, seeking and the operations it
// refuses.
#include "classlib/Exceptions.h"
#include "database/btree/StreamFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Bytes(size_t n)
{
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = (char)(i * 7 + i / 251);
    return s;
}

std::string ReadAll(CStreamFile& f, UINT max)
{
    std::string s(max, '\0');
    UINT n = f.Read(&s[0], max);
    s.resize(n);
    return s;
}

template <class F> int FileCause(F f)
{
    try {
        f();
    } catch (CFileException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

TEST(StreamFileTest, WritesAcrossBlocksAndReadsBack)
{
    CStreamFile f;
    const std::string data = Bytes(3000);
    f.Write(data.data(), 1000);
    f.Write(data.data() + 1000, 2000);
    EXPECT_EQ(3, f.GetBlockCount());
    EXPECT_EQ(3000u, f.GetLength());
    EXPECT_EQ(3000u, f.GetPosition());

    f.Seek(1020, CFile::begin);
    EXPECT_EQ(data.substr(1020, 10), ReadAll(f, 10)); // across the first border
    f.SeekToBegin();
    EXPECT_EQ(data, ReadAll(f, 5000)); // the read stops at the length
    EXPECT_EQ(3000u, f.GetPosition());

    EXPECT_EQ(5000u, f.Seek(5000, CFile::begin));
    EXPECT_EQ("", ReadAll(f, 10));
    EXPECT_EQ(3, f.GetBlockCount()); // seeking grows nothing
    EXPECT_EQ(3000u, f.GetLength());
}

TEST(StreamFileTest, WritingPastTheLengthFillsTheGapWithZeros)
{
    CStreamFile f(16);
    f.Write("abcdefgh", 8);
    f.SetLength(2); // blocks stay, the position moves back
    EXPECT_EQ(2u, f.GetPosition());
    f.Seek(40, CFile::begin);
    f.Write("Z", 1);
    EXPECT_EQ(41u, f.GetLength());
    EXPECT_EQ(3, f.GetBlockCount());
    f.SeekToBegin();
    EXPECT_EQ(std::string("ab") + std::string(38, '\0') + "Z", ReadAll(f, 100));

    f.SetLength(70); // growing exposes zeros as well
    f.Seek(41, CFile::begin);
    EXPECT_EQ(std::string(29, '\0'), ReadAll(f, 100));
    EXPECT_EQ(5, f.GetBlockCount());
}

TEST(StreamFileTest, SeekOriginsAndRefusals)
{
    CStreamFile f;
    f.SetFilePath("stream");
    f.Write("0123456789", 10);
    EXPECT_EQ(7u, f.Seek(-3, CFile::end));
    EXPECT_EQ(5u, f.Seek(-2, CFile::current));
    EXPECT_EQ(10u, f.GetLength()); // through CFile::GetLength, keeping the position
    EXPECT_EQ(5u, f.GetPosition());

    EXPECT_EQ(CFileException::badSeek, FileCause([&] { f.Seek(-11, CFile::end); }));
    EXPECT_EQ(CFileException::badSeek, FileCause([&] { f.Seek(0, 3); }));
    EXPECT_EQ(5u, f.GetPosition());
    try {
        f.Seek(-1, CFile::begin);
        FAIL();
    } catch (CFileException* e) {
        EXPECT_STREQ("stream", e->m_strFileName);
        e->Delete();
    }

    for (auto op : {+[](CStreamFile& s) { s.Duplicate(); }, +[](CStreamFile& s) { s.LockRange(0, 1); },
                    +[](CStreamFile& s) { s.UnlockRange(0, 1); }}) {
        EXPECT_THROW(
            try { op(f); } catch (CNotSupportedException* e) {
                e->Delete();
                throw 1;
            },
            int);
    }
    f.Flush();
    EXPECT_EQ(CFile::hFileNull, f.m_hFile);

    f.Close();
    EXPECT_EQ(0, f.GetBlockCount());
    EXPECT_EQ(0u, f.GetLength());
    EXPECT_EQ(0u, f.GetPosition());
}
} // namespace
