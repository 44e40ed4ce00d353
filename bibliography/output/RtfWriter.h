// RtfWriter: the Rich Text Format writer for word processors.
//
// The prolog names the default printer's font families (font n is entry
// n-1 of the table) and the page margins. Each paragraph is buffered until
// its end (13) so that equal neighbouring runs share one character group;
// then it is written as a paragraph-format group when needed and character
// groups. Every write keeps RTF source lines near 80 columns: control words
// are never split, plain text may be.
//
// Text bytes are escaped: 0x80 and above and every other control character
// as \'hh (lower-case hex), 9 \tab, 10 \line, 12 \page, 13 \par, and the
// backslash and braces with a backslash.
//
// The WordPerfect 6.x flavour repeats the paragraph group for every paragraph
// and writes tab positions relative to the left indent.
#pragma once

#include "bibliography/core/StyledFileWriter.h"
#include "bibliography/output/PrinterFontFamilies.h"
#include "database/text/StyledString.h"

class RtfWriter : public StyledFileWriter
{
public:
    typedef void (*FontFamilySource)(RtfFontFamilyArray& families);

    explicit RtfWriter(int wordPerfect6 = 0);
    ~RtfWriter() override;

    void WriteHeader() override;
    void WriteTrailer() override;
    void EndBody() override;
    void WriteText(const char* piece, int length) override;
    // Page-number groups; nothing calls them yet.
    virtual void WritePageHeader();
    virtual void WritePageFooter();

    // Where WriteHeader takes the font table from; the default printer
    // unless changed before WriteHeader.
    FontFamilySource fontSource;

private:
    void NewLine();
    void WriteToken(const char* token);
    void WriteControlNumber(const char* word, int number);
    void WriteWrapped(const char* text, int length);
    void WriteEscaped(const char* text, int length);
    void WriteFontTable();
    void FlushParagraph();
    void WriteRun(const char* text, int length);
    void WriteParagraphFormat();
    void WriteCharFormat();
    void WriteFontNumber();
    void WritePageNumberGroup(const char* destination);
    int FindFont(const char* faceName) const;
    void PutRaw(const char* bytes, int length);

    int wordPerfect6;
    int columnBudget;
    int atParagraphStart;
    CharFormat lastCharFormat;
    ParagraphFormat lastParagraphFormat;
    int paragraphPending;
    int charGroupOpen;
    RtfFontFamilyArray fontTable;
    StyledString pendingParagraph; // runs carry CharFormat style bits
};
