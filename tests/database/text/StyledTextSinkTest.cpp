#include "bibliography/core/StyledTextWriter.h"
#include "database/text/StyledTextSink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Records the text written and the character style of each piece.
class RecordingWriter : public StyledTextWriter
{
public:
    void WriteText(const char* piece, int length) override
    {
        text.append(piece, length);
        styles.push_back(charFormat.style);
    }
    std::string text;
    std::vector<int> styles;
};

struct Step
{
    char op; // 'w' write, 'a' append, 'f' flush
    const char* text;
};
} // namespace

TEST(StyledTextSink, JoinsPunctuationOfPieces)
{
    struct Case
    {
        std::vector<Step> steps;
        const char* written;
    } cases[] = {
        {{{'w', "Smith J."}, {'a', ". 1990"}}, "Smith J. 1990"},
        {{{'w', "Title,"}, {'a', ". "}}, "Title. "},
        {{{'w', "Title,"}, {'w', "Journal"}}, "Title,Journal"},
        {{{'w', "Title,"}, {'a', ", "}}, "Title"},
        {{{'w', "Title,"}, {'a', ", "}, {'f', ""}}, "Title, "},
        {{{'w', "Smith J."}, {'a', ", 1990"}}, "Smith J., 1990"},
        {{{'w', "Smith J."}, {'a', " , 1990"}}, "Smith J. 1990"},
        {{{'w', "Smith J."}, {'a', " 1990"}}, "Smith J. 1990"},
        {{{'w', "Vol. 3,"}}, "Vol. 3"},
        {{{'w', "Vol. 3,"}, {'f', ""}}, "Vol. 3,"},
        {{{'w', "2nd ed."}, {'a', ". "}, {'w', "Acme"}}, "2nd ed. Acme"},
        {{{'w', "2nd ed,"}, {'a', ". "}, {'w', "Acme"}}, "2nd ed. Acme"},
        {{{'w', ""}, {'a', ""}, {'w', "x"}}, "x"},
    };
    for (const Case& c : cases) {
        RecordingWriter writer;
        StyledTextSink sink(&writer);
        for (const Step& s : c.steps) {
            if (s.op == 'w')
                sink.Write(StyledString(s.text), nullptr);
            else if (s.op == 'a')
                sink.Append(StyledString(s.text));
            else
                sink.Flush();
        }
        EXPECT_EQ(c.written, writer.text) << c.steps.front().text;
    }
}

TEST(StyledTextSink, ExtraStyleReachesHeldPunctuationAndStandsInForFont)
{
    RecordingWriter writer;
    writer.pageLayout.defaultCharFormat = CharFormat("Times New Roman", 0, 10, 0);
    StyledTextSink sink(&writer);
    StyleRun bold(kStyleBold, 12, "Arial", 0);
    StyledString text;
    text.AppendStyled("Vol", 3, StyleRun(kStyleSuperscript, 0, nullptr, 3));
    text.AppendText(",");
    sink.Write(text, &bold);
    EXPECT_STREQ("Arial", writer.charFormat.fontName);
    EXPECT_EQ(12, writer.charFormat.size);
    sink.Flush();
    EXPECT_EQ("Vol,", writer.text);
    ASSERT_EQ(2u, writer.styles.size());
    EXPECT_EQ(kCharBold | kCharSuperscript, writer.styles[0]);
    EXPECT_EQ(kCharBold | kCharSuperscript, writer.styles[1]); // the held comma, bold too
    EXPECT_STREQ("Times New Roman",
                 writer.charFormat.fontName); // held text is written without the extra style's font
}
