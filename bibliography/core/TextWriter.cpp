#include "bibliography/core/TextWriter.h"

#include "classlib/File.h"

void TextWriter::WriteText(const char* piece, int length)
{
    if (file == nullptr || length <= 0)
        return;
    const char last = piece[length - 1];
    if (last != '\r' && last != '\n') {
        file->Write(piece, static_cast<UINT>(length));
        return;
    }
    if (length > 1)
        file->Write(piece, static_cast<UINT>(length - 1));
    int lineEnds = 1;
    if (last == '\r' && paragraphFormat.spaceAfter >= 1 && paragraphFormat.spaceAfter <= 3)
        lineEnds += paragraphFormat.spaceAfter;
    for (int i = 0; i < lineEnds; ++i)
        file->Write("\r\n", 2);
}

void TextWriter::WriteTrailer()
{
    CloseOwnedFile();
}
