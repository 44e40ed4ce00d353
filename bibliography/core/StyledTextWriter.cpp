#include "bibliography/core/StyledTextWriter.h"

#include <string.h>

StyledTextWriter::StyledTextWriter() {}

StyledTextWriter::~StyledTextWriter() {}

void StyledTextWriter::Write(const char* text, int length)
{
    SplitAtControls(text, length, &StyledTextWriter::WriteText);
}

void StyledTextWriter::WriteString(const char* text)
{
    if (text != nullptr)
        SplitAtControls(text, static_cast<int>(strlen(text)), &StyledTextWriter::WriteText);
}

void StyledTextWriter::WriteChar(char ch)
{
    SplitAtControls(&ch, 1, &StyledTextWriter::WriteText);
}

void StyledTextWriter::SplitAtControls(const char* text, int length, PieceSink sink)
{
    if (text == nullptr || length <= 0)
        return;
    int start = 0;
    for (int i = 0; i < length; ++i) {
        const char ch = text[i];
        if (ch == '\t' || ch == '\n' || ch == '\f' || ch == '\r') {
            (this->*sink)(text + start, i + 1 - start);
            start = i + 1;
        }
    }
    if (start < length)
        (this->*sink)(text + start, length - start);
}
