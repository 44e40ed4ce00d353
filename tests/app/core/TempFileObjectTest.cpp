// A temporary file owned by its object: written, truncated, read back through its file, and gone from disk
// once the object is.
#include "ProfileFixture.h"

#include "app/core/TempFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Contents(CFile& file)
{
    std::string text(file.GetLength(), '\0');
    file.SeekToBegin();
    if (!text.empty())
        file.Read(&text[0], static_cast<UINT>(text.size()));
    return text;
}

TEST(TempFileObject, HoldsWhatIsAppendedAndLeavesNoFile)
{
    CString path;
    {
        CTempFile temp;
        temp.AppendText("ignored while closed");
        EXPECT_FALSE(temp.IsOpen());
        ASSERT_TRUE(temp.Open());
        path = temp.GetPath();
        CFileStatus status;
        ASSERT_TRUE(CFile::GetStatus(path, status)) << "made on disk";
        const struct
        {
            const char* append; // nullptr: truncate
            const char* contents;
        } steps[] = {{"status ", "status "}, {"log", "status log"}, {nullptr, ""}, {"again", "again"}};
        for (const auto& s : steps) {
            if (s.append != nullptr)
                temp.AppendText(s.append);
            else
                temp.Truncate();
            EXPECT_EQ(s.contents, Contents(temp.Flush()));
        }
        temp.Append("\0x", 2);
        EXPECT_EQ(std::string("again\0x", 7), Contents(temp.Flush()));
    }
    CFileStatus status;
    EXPECT_FALSE(CFile::GetStatus(path, status)) << "deleted with its object";
}

} // namespace
