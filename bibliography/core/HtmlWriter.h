// HtmlWriter: the "HTML" writer. A minimal page: character styles as tags,
// paragraph ends as paragraph marks, centred paragraphs in <center>,
// numbered references (a paragraph that starts with a lone tab piece, then a
// piece ending with a tab) as an ordered list whose items drop the number,
// the four markup characters as entities, characters above 0x7F (code page
// 1252) as numeric references to their Unicode characters, and recognised
// URLs as links. Fonts, sizes, indents and tab stops are not rendered.
//
// The leading-tab flag is one process-wide flag shared by all HTML writers,
// so two of them must not be interleaved.
#pragma once

#include "bibliography/core/StyledFileWriter.h"

class HtmlWriter : public StyledFileWriter
{
public:
    HtmlWriter();

    void BeginBody() override;
    void EndBody() override;
    // Closes the file when the writer owns it.
    void WriteTrailer() override;
    void WriteText(const char* piece, int length) override;

    // The first URL of text, found only around its first ':' (which must be
    // followed by "//" and one more character, and preceded by a known
    // scheme); it runs to the first blank or the end. FALSE when none.
    static BOOL FindUrl(const char* text, int length, int& start, int& end);

private:
    void Put(const char* text);
    void Put(const char* text, int length);
    void WriteLinked(const char* text, int length);
    void WriteStyleTags();
    void WritePieceBody(const char* piece, int length);
    void WriteParagraphEnd();

    CharFormat lastCharFormat;
    int listOpen;
    int atParagraphStart;

    static int s_leadingTab;
};
