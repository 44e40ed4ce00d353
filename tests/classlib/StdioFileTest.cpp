#include "classlib/StdioFile.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <string>

TEST(StdioFileTest, TextModeWritesCrLfAndReadsLines)
{
    ScratchDir dir;
    CString path = dir.Path("text.txt");
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        f.WriteString("one\ntwo\n");
        f.WriteString("three");
        f.Close();
    }
    EXPECT_EQ(ScratchDir::ReadAll(path), "one\r\ntwo\r\nthree");

    CStdioFile f(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
    CString line;
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "one");
    char buf[16];
    ASSERT_NE(f.ReadString(buf, sizeof buf), nullptr);
    EXPECT_STREQ(buf, "two\n");
    EXPECT_TRUE(f.ReadString(line));
    EXPECT_STREQ(line, "three");
    EXPECT_FALSE(f.ReadString(line));
    EXPECT_TRUE(line.IsEmpty());
    // Its share mode holds like any file's.
    CFile writer;
    EXPECT_FALSE(writer.Open(path, CFile::modeWrite | CFile::shareDenyNone));
}

TEST(StdioFileTest, LongLinesAndBinaryMode)
{
    ScratchDir dir;
    CString path = dir.Path("long.txt");
    std::string longLine(1000, 'x');
    {
        CStdioFile f(path, CFile::modeCreate | CFile::modeReadWrite | CFile::typeBinary);
        f.WriteString((longLine + "\nend\n").c_str());
        EXPECT_EQ(f.GetPosition(), 1005u);
        f.SeekToBegin();
        CString line;
        EXPECT_TRUE(f.ReadString(line));
        EXPECT_EQ(line.GetLength(), 1000);
        EXPECT_TRUE(f.ReadString(line));
        EXPECT_STREQ(line, "end");
    }
    EXPECT_EQ(ScratchDir::ReadAll(path), longLine + "\nend\n");
}
