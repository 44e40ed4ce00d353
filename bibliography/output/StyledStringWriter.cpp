#include "bibliography/output/StyledStringWriter.h"

void StyledStringWriter::WriteText(const char* piece, int length)
{
    WORD style = static_cast<WORD>(charFormat.style & (kCharBold | kCharItalic | kCharUnderline));
    if (charFormat.style & kCharSuperscript)
        style |= kStyleSuperscript;
    if (charFormat.style & kCharSubscript)
        style |= kStyleSubscript;
    const StyleRun run(style, static_cast<short>(charFormat.size), charFormat.fontName, length,
                       static_cast<BYTE>(charFormat.charSet), kEncodingWindows);
    output.AppendStyled(piece, length, run);
}

StyledTextWriter& WriteStyledText(StyledTextWriter& writer, const StyledString& text)
{
    const CharFormat& defaults = writer.pageLayout.defaultCharFormat;
    int position = 0;
    for (int i = 0; i < text.runs.GetSize(); ++i) {
        const StyleRun& run = text.runs[i];
        CharFormat& format = writer.charFormat;
        format.style = run.style & (kStyleBold | kStyleItalic | kStyleUnderline);
        if ((run.style & 0x300) == kStyleSuperscript)
            format.style |= kCharSuperscript;
        else if ((run.style & 0x300) == kStyleSubscript)
            format.style |= kCharSubscript;
        if (run.fontName[0] != '\0') {
            format.SetFontName(run.fontName);
            format.charSet = run.charSet;
        } else {
            format.SetFontName(defaults.fontName);
            format.charSet = defaults.charSet;
        }
        format.size = run.pointSize != 0 ? run.pointSize : defaults.size;
        const int count = run.length < 0 ? 0 : run.length;
        if (count > 0 && position + count <= text.GetLength())
            writer.Write(static_cast<const char*>(text.text) + position, count);
        position += count;
    }
    return writer;
}
