// TextWriter: the "Text Only" writer. Paragraph ends and line breaks become
// CR LF; a paragraph end is followed by one more CR LF per blank line of the
// current paragraph format's space after (1 to 3; other values add none).
// Tabs and form feeds pass through; nothing wraps.
#pragma once

#include "bibliography/core/StyledFileWriter.h"

class TextWriter : public StyledFileWriter
{
public:
    void WriteText(const char* piece, int length) override;
    // Closes the file when the writer owns it.
    void WriteTrailer() override;
};
