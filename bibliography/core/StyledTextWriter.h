// StyledTextWriter: the base of every formatted-output writer.
//
// Clients set the current character and paragraph formats before each piece
// of text and then call Write, WriteString or WriteChar. The base cuts the
// text after each control character (9 tab, 10 line break, 12 page break,
// 13 paragraph end) and hands every piece to WriteText, so a piece holds at
// most one of them and only as its last character; 11 does not cut.
//
// Calling order: construct; attach an output (file writers); set the page
// layout; WriteHeader; copy the layout's default paragraph format into the
// current one; BeginBody; any number of writes; EndBody; WriteTrailer.
#pragma once

#include "bibliography/core/PageLayout.h"
#include "classlib/Object.h"

class StyledTextWriter : public CObject
{
public:
    typedef void (StyledTextWriter::*PieceSink)(const char* piece, int length);

    StyledTextWriter();
    ~StyledTextWriter() override;

    virtual void WriteHeader() {}
    virtual void WriteTrailer() {}
    virtual void BeginBody() {}
    virtual void Write(const char* text, int length);
    virtual void WriteString(const char* text);
    virtual void WriteChar(char ch);
    virtual void EndBody() {}
    virtual void SplitAtControls(const char* text, int length, PieceSink sink);
    // One piece of text in the current formats; the base drops it.
    virtual void WriteText(const char* piece, int length) {}

    CharFormat charFormat;
    ParagraphFormat paragraphFormat;
    PageLayout pageLayout;
};
