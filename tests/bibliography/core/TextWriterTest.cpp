#include "bibliography/core/TextWriter.h"
#include "classlib/MemFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class PieceRecorder : public StyledTextWriter
{
public:
    void WriteText(const char* piece, int length) override { pieces.emplace_back(piece, length); }
    std::vector<std::string> pieces;
};

std::string Contents(CMemFile& file)
{
    std::string bytes(static_cast<size_t>(file.GetLength()), '\0');
    file.Seek(0, CFile::begin);
    if (!bytes.empty())
        file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
    return bytes;
}
} // namespace

TEST(StyledTextWriter, SplitsAfterEachControlCharacterOnly)
{
    struct Case
    {
        std::string text;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a\tb\r", {"a\t", "b\r"}},
        {"", {}},
        {"a\vb", {"a\vb"}},
        {"x\n\fy", {"x\n", "\f", "y"}},
    };
    for (const Case& c : cases) {
        PieceRecorder writer;
        writer.Write(c.text.data(), static_cast<int>(c.text.size()));
        EXPECT_EQ(c.pieces, writer.pieces) << c.text;
    }
    PieceRecorder one;
    one.WriteChar('\r');
    one.WriteString("ab\tc");
    EXPECT_EQ((std::vector<std::string>{"\r", "ab\t", "c"}), one.pieces);
}

TEST(TextWriter, WritesLineEndsAndParagraphSpacingByteExact)
{
    CMemFile file;
    {
        TextWriter writer;
        writer.SetOutputFile(&file);
        writer.WriteHeader();
        writer.paragraphFormat = writer.pageLayout.defaultParagraphFormat;
        writer.BeginBody();
        writer.paragraphFormat.spaceAfter = 2;
        writer.WriteString("Smith J.\tTitle\r");
        writer.paragraphFormat.spaceAfter = 4; // a page break in paged output only
        writer.WriteString("Line\nNext\f\r");
        writer.paragraphFormat.spaceAfter = 0;
        writer.WriteString("End");
        writer.EndBody();
        writer.WriteTrailer();
    }
    EXPECT_EQ(std::string("Smith J.\tTitle\r\n\r\n\r\nLine\r\nNext\f\r\nEnd"), Contents(file));
}

TEST(CharFormat, DiffersIgnoresFontNameCaseOnly)
{
    const CharFormat a("Times New Roman", 0, 12, 0);
    EXPECT_FALSE(a.Differs(CharFormat("times new roman", 0, 12, 0)));
    EXPECT_TRUE(a.Differs(CharFormat("Times New Roman", 0, 12, 2)));
    EXPECT_TRUE(a.Differs(CharFormat("Arial", 0, 12, 0)));
    const CharFormat defaults;
    EXPECT_STREQ("Times New Roman", defaults.fontName);
    EXPECT_EQ(12, defaults.size);
}

TEST(ParagraphFormat, ComparesOnlyTheReceiversTabsAndHoldsTwenty)
{
    ParagraphFormat small;
    small.AddTabStop(TabStop(720, TabStop::kLeft));
    ParagraphFormat large = small;
    large.AddTabStop(TabStop(1440, TabStop::kRight));
    EXPECT_FALSE(small.Differs(large));
    EXPECT_TRUE(large.Differs(small));

    ParagraphFormat full;
    for (int i = 0; i < ParagraphFormat::kMaxTabs; ++i)
        full.AddTabStop(TabStop(i * 100, TabStop::kLeft));
    const ParagraphFormat before = full;
    full.AddTabStop(TabStop(9999, TabStop::kDecimal));
    EXPECT_EQ(ParagraphFormat::kMaxTabs, full.tabCount);
    EXPECT_FALSE(full.Differs(before));
}
