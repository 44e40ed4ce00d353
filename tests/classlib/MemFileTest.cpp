#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

TEST(MemFileTest, GrowsAndZeroFillsGapsLeftBySeeks)
{
    CMemFile f(4);
    f.Write("abc", 3);
    f.Seek(6, CFile::begin); // past the end: nothing grows yet
    EXPECT_EQ(f.GetLength(), 3u);
    f.Write("Z", 1);
    EXPECT_EQ(f.GetLength(), 7u);
    char buf[8] = {};
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 8), 7u);
    EXPECT_EQ(std::string(buf, 7), std::string("abc\0\0\0Z", 7));

    // Shrinking then growing again must not bring back old bytes.
    f.SetLength(1);
    f.SetLength(3);
    f.SeekToBegin();
    EXPECT_EQ(f.Read(buf, 8), 3u);
    EXPECT_EQ(std::string(buf, 3), std::string("a\0\0", 3));
}

TEST(MemFileTest, DetachHandsOverTheBytes)
{
    CMemFile f;
    f.Write("hello", 5);
    DWORD len = f.GetLength();
    BYTE* p = f.Detach();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(p), len), "hello");
    std::free(p);
    EXPECT_EQ(f.GetLength(), 0u);
    f.Write("x", 1); // usable again
    EXPECT_EQ(f.GetLength(), 1u);
}

TEST(MemFileTest, AttachedBytesAreReadableButDoNotGrow)
{
    BYTE data[4] = {1, 2, 3, 4};
    CMemFile f(data, sizeof data);
    EXPECT_EQ(f.GetLength(), 4u);
    BYTE b[4];
    EXPECT_EQ(f.Read(b, 4), 4u);
    EXPECT_EQ(b[3], 4);
    f.Seek(1, CFile::begin);
    f.Write("\x09", 1);
    EXPECT_EQ(data[1], 9); // writes go to the caller's block
    f.SeekToEnd();
    bool threw = false;
    try
    {
        f.Write("x", 1);
    }
    catch (CMemoryException* e)
    {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    EXPECT_EQ(f.GetLength(), 4u);
}

TEST(MemFileTest, SeekErrorsAndUnsupportedOperations)
{
    CMemFile f;
    f.Write("abc", 3);
    EXPECT_EQ(f.Seek(-1, CFile::end), 2u);
    int cause = -1;
    try
    {
        f.Seek(-4, CFile::current);
    }
    catch (CFileException* e)
    {
        cause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(cause, CFileException::badSeek);
    EXPECT_EQ(f.GetPosition(), 2u);
    bool threw = false;
    try
    {
        f.LockRange(0, 1);
    }
    catch (CNotSupportedException* e)
    {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
}
