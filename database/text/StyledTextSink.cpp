#include "database/text/StyledTextSink.h"

#include "bibliography/core/StyledTextWriter.h"

#include <string.h>

namespace {
bool IsBlank(char ch)
{
    return ch == ' ';
}

bool IsSentenceMark(char ch)
{
    return ch == '.' || ch == '!' || ch == '?';
}

bool IsPauseMark(char ch)
{
    return ch == ',' || ch == ':' || ch == ';';
}

bool IsBlanksOnly(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        if (!IsBlank(text[i]))
            return false;
    }
    return true;
}

int WriterStyleOf(WORD runStyle)
{
    int style = runStyle & (kStyleBold | kStyleItalic | kStyleUnderline);
    if (runStyle & kStyleSuperscript)
        style |= kCharSuperscript;
    else if (runStyle & kStyleSubscript)
        style |= kCharSubscript;
    return style;
}
} // namespace

StyledTextSink::StyledTextSink(StyledTextWriter* writer_) : writer(writer_), pending(FALSE) {}

StyledTextSink::~StyledTextSink() {}

void StyledTextSink::Flush()
{
    if (pending)
        WriteRuns(held, 0, nullptr);
    held.Empty();
}

void StyledTextSink::Write(const StyledString& text, const StyleRun* extraStyle)
{
    if (text.IsEmpty())
        return;
    current = text;
    Emit(extraStyle);
}

void StyledTextSink::Append(const StyledString& t)
{
    if (t.IsEmpty())
        return;
    const int start = JoinStart(t);
    StyledString joined;
    if (pending && !held.IsEmpty()) {
        joined = held;
        pending = FALSE;
    }
    if (start >= 0)
        joined += t.Mid(start, t.GetLength() - start);
    if (joined.IsEmpty())
        return;
    current = joined;
    Emit(nullptr);
}

int StyledTextSink::JoinStart(const StyledString& t)
{
    const CString& h = held.text;
    if (IsBlanksOnly(h) || IsBlanksOnly(t.text))
        return 0;
    int last = h.GetLength() - 1;
    while (IsBlank(h[last]))
        --last;
    const char m = h[last];
    const int b = h.GetLength() - 1 - last;
    int j = 0;
    while (j < t.GetLength() && IsBlank(t.text[j]))
        ++j;
    const bool leadingBlanks = j > 0;
    if (!IsSentenceMark(m) && !IsPauseMark(m))
        return 0;
    for (int p = j; p < t.GetLength(); ++p) {
        const char ch = t.text[p];
        if (IsSentenceMark(m)) {
            if (IsSentenceMark(ch))
                continue;
            if (IsPauseMark(ch)) {
                if (b == 0 && !leadingBlanks)
                    return p;
                continue;
            }
        } else {
            if (IsSentenceMark(ch)) {
                held.Empty();
                return p;
            }
            if (IsPauseMark(ch))
                continue;
        }
        return (leadingBlanks && p == j) ? 0 : p;
    }
    return -1;
}

void StyledTextSink::Emit(const StyleRun* extraStyle)
{
    if (pending) {
        pending = FALSE;
        WriteRuns(held, 0, nullptr);
    }
    const CString& text = current.text;
    int k = 0;
    bool endsSentence = false;
    bool ordinary = false;
    for (int i = text.GetLength() - 1; i >= 0; --i) {
        ++k;
        const char ch = text[i];
        if (IsBlank(ch))
            continue;
        if (IsSentenceMark(ch))
            endsSentence = true;
        else if (IsPauseMark(ch))
            pending = TRUE;
        else {
            pending = FALSE;
            ordinary = true;
        }
        break;
    }
    if (pending || endsSentence)
        held = current.Right(k);
    else if (ordinary)
        held.Empty();
    else
        held += current;
    if (extraStyle != nullptr) {
        for (int i = 0; i < held.runs.GetSize(); ++i)
            held.runs[i].style = static_cast<WORD>(held.runs[i].style | extraStyle->style);
    }
    WriteRuns(current, k, extraStyle);
}

void StyledTextSink::WriteRuns(const StyledString& s, int heldBack, const StyleRun* extraStyle)
{
    if (writer == nullptr)
        return;
    const int textLength = s.GetLength();
    const int writable = pending ? textLength - heldBack : textLength;
    CharFormat& format = writer->charFormat;
    const CharFormat& defaults = writer->pageLayout.defaultCharFormat;
    int position = 0;
    for (int i = 0; i < s.runs.GetSize(); ++i) {
        const StyleRun& run = s.runs[i];
        const int start = position;
        position += run.length;
        WORD bits = run.style;
        if (extraStyle != nullptr)
            bits = static_cast<WORD>(bits | extraStyle->style);
        format.style = WriterStyleOf(bits);
        if (run.fontName[0] != '\0')
            format.SetFontName(run.fontName);
        else if (extraStyle != nullptr && extraStyle->fontName[0] != '\0')
            format.SetFontName(extraStyle->fontName);
        else
            format.SetFontName(defaults.fontName);
        format.charSet = run.charSet;
        if (run.pointSize != 0)
            format.size = run.pointSize;
        else if (extraStyle != nullptr && extraStyle->pointSize != 0)
            format.size = extraStyle->pointSize;
        else
            format.size = defaults.size;
        if (run.length <= 0 || start >= writable || (!pending && position > textLength))
            continue;
        const int count = (position > writable ? writable : position) - start;
        if (count > 0)
            writer->Write(static_cast<const char*>(s.text) + start, count);
    }
}
