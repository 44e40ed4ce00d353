#include "app/core/TempFile.h"
#include "bibliography/output/AlternateText.h"
#include "bibliography/output/StyledStringWriter.h"
#include "classlib/File.h"

#include <gtest/gtest.h>

#include <string>

namespace {
const std::string kOpen = "\xAB";
const std::string kClose = "\xBB";

std::string Substituted(const std::string& text, BOOL enabled, const CMapStringToString& map)
{
    return std::string(SubstituteAlternateText(StyledString(text.c_str()), enabled, map).text);
}

// The file's lines read into a map.
void ReadLines(const std::string& contents, CMapStringToString& map)
{
    const CString path = MakeTempFileName();
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write(contents.data(), static_cast<UINT>(contents.size()));
    }
    EXPECT_TRUE(ReadAlternateFile(path, map));
    CFile::Remove(path);
}
} // namespace

TEST(AlternateText, FileEntriesReplaceSpansWhenEnabled)
{
    CMapStringToString map;
    ReadLines("JAMA { Journal of the American Medical Association }\r\nDrop\nKey {first}\nKey {second} tail\n"
              "Open { no close\n",
              map);
    EXPECT_EQ(4, map.GetCount());

    const std::string field = "In " + kOpen + "JAMA" + kClose + "\r" + kOpen + "Drop" + kClose + ".";
    EXPECT_EQ("In Journal of the American Medical Association\n.", Substituted(field, TRUE, map));
    EXPECT_EQ("In " + kOpen + "JAMA" + kClose + "\n" + kOpen + "Drop" + kClose + ".",
              Substituted(field, FALSE, map));
    EXPECT_EQ("second no close",
              Substituted(kOpen + "Key" + kClose + " " + kOpen + "Open" + kClose, TRUE, map));
    // Unknown keys keep their text; stray marks go.
    EXPECT_EQ("a unknown b", Substituted("a " + kOpen + "unknown" + kClose + " b" + kClose, TRUE, map));
    EXPECT_EQ("x y z", Substituted("x " + kClose + "y " + kOpen + "z", TRUE, map));
}

TEST(AlternateText, ValueHoldingMarksIsNotExpandedAgain)
{
    CMapStringToString map;
    map.SetAt("loop", (kOpen + "loop" + kClose + "!").c_str());
    map.SetAt("a", (kOpen + "b").c_str());
    map.SetAt("b", "B");
    EXPECT_EQ("loop! and loop!",
              Substituted(kOpen + "loop" + kClose + " and " + kOpen + "loop" + kClose, TRUE, map));
    EXPECT_EQ("b x", Substituted(kOpen + "a" + kClose + " x", TRUE, map));
}

TEST(StyledStringWriter, CollectsRunsAndWriteStyledTextTranslatesStyles)
{
    StyledString source;
    source.AppendStyled("H", 1, StyleRun(kStyleSuperscript | kStyleBold, 0, nullptr, 1));
    source.AppendStyled("2O", 2, StyleRun(0, 14, "Arial", 2));
    StyledStringWriter writer;
    writer.pageLayout.defaultCharFormat = CharFormat("Courier New", 0, 9, 0);
    WriteStyledText(writer, source);
    ASSERT_EQ(2, writer.output.runs.GetSize());
    EXPECT_EQ("H2O", std::string(writer.output.text));
    EXPECT_EQ(kStyleSuperscript | kStyleBold, writer.output.runs[0].style);
    EXPECT_STREQ("Courier New", writer.output.runs[0].fontName);
    EXPECT_EQ(9, writer.output.runs[0].pointSize);
    EXPECT_STREQ("Arial", writer.output.runs[1].fontName);
    EXPECT_EQ(14, writer.output.runs[1].pointSize);

    writer.WriteString("!");
    EXPECT_EQ(2, writer.output.runs.GetSize()); // same format as the last run: merged
}
