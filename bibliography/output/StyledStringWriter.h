// StyledStringWriter: a writer that collects everything written into a
// styled string, each piece in one run made from the current character
// format (writer superscript 0x20 and subscript 0x40 become run bits 0x100
// and 0x200), merged with an equal last run.
//
// WriteStyledText writes a styled string run by run into any writer, setting
// the current character format from each run (the reverse translation; runs
// without a font or size take the page layout's defaults).
#pragma once

#include "bibliography/core/StyledTextWriter.h"
#include "database/text/StyledString.h"

class StyledStringWriter : public StyledTextWriter
{
public:
    void WriteText(const char* piece, int length) override;

    StyledString output;
};

StyledTextWriter& WriteStyledText(StyledTextWriter& writer, const StyledString& text);
