#include "bibliography/output/RtfWriter.h"

#include "classlib/CString.h"
#include "classlib/File.h"

#include <stdio.h>
#include <string.h>

namespace {
const int kLineColumns = 80;

const char* const kFamilyWords[8] = {"\\fnil",    "\\froman", "\\fswiss", "\\fmodern",
                                     "\\fscript", "\\fdecor", "\\ftech",  "\\fbidi"};
const char* const kAlignmentWords[4] = {"", "\\qc", "\\qr", "\\qj"};
const char* const kTabKindWords[4] = {"", "\\tqc", "\\tqr", "\\tqdec"};

int Mod4(int value)
{
    return ((value % 4) + 4) % 4;
}

// Superscript and subscript are written at the document's default size.
int WrittenSize(const CharFormat& format, const CharFormat& defaults)
{
    return (format.style & (kCharSuperscript | kCharSubscript)) ? defaults.size : format.size;
}

bool NeedsHexEscape(unsigned char ch)
{
    return ch >= 0x80 || ch < 0x20 || ch == 0x7F;
}
} // namespace

RtfWriter::RtfWriter(int wordPerfect6_)
    : fontSource(ListPrinterFontFamilies), wordPerfect6(wordPerfect6_), columnBudget(kLineColumns),
      atParagraphStart(1), paragraphPending(1), charGroupOpen(0)
{
}

RtfWriter::~RtfWriter()
{
    pendingParagraph.Empty();
    fontTable.RemoveAll();
}

void RtfWriter::PutRaw(const char* bytes, int length)
{
    if (file != nullptr && length > 0)
        file->Write(bytes, static_cast<UINT>(length));
}

void RtfWriter::NewLine()
{
    PutRaw("\r\n", 2);
    columnBudget = kLineColumns;
}

void RtfWriter::WriteToken(const char* token)
{
    const int length = static_cast<int>(strlen(token));
    if (length > columnBudget) {
        NewLine();
        PutRaw(token, length);
        columnBudget -= length;
        return;
    }
    PutRaw(token, length);
    columnBudget -= length;
    if (columnBudget <= 0)
        NewLine();
}

void RtfWriter::WriteControlNumber(const char* word, int number)
{
    char token[64];
    snprintf(token, sizeof token, "%s%d", word, number);
    WriteToken(token);
}

void RtfWriter::WriteWrapped(const char* text, int length)
{
    while (length > 0) {
        if (columnBudget <= 0) // after a token longer than a whole line
            NewLine();
        const int n = length < columnBudget ? length : columnBudget;
        PutRaw(text, n);
        text += n;
        length -= n;
        columnBudget -= n;
        if (columnBudget <= 0)
            NewLine();
    }
}

void RtfWriter::WriteEscaped(const char* text, int length)
{
    int plainStart = 0;
    for (int i = 0; i < length; ++i) {
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        const char* escape = nullptr;
        char hex[8];
        switch (ch) {
        case '\t':
            escape = "\\tab ";
            break;
        case '\n':
            escape = "\\line ";
            break;
        case '\f':
            escape = "\\page ";
            break;
        case '\r':
            escape = "\\par ";
            break;
        case '\\':
            escape = "\\\\";
            break;
        case '{':
            escape = "\\{";
            break;
        case '}':
            escape = "\\}";
            break;
        default:
            if (NeedsHexEscape(ch)) {
                snprintf(hex, sizeof hex, "\\'%02x", ch);
                escape = hex;
            }
            break;
        }
        if (escape == nullptr)
            continue;
        WriteWrapped(text + plainStart, i - plainStart);
        WriteToken(escape);
        if (ch == '\f')
            NewLine();
        plainStart = i + 1;
    }
    WriteWrapped(text + plainStart, length - plainStart);
}

int RtfWriter::FindFont(const char* faceName) const
{
    for (INT_PTR i = 0; i < fontTable.GetSize(); ++i) {
        if (CString(fontTable[i].faceName).CompareNoCase(faceName) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void RtfWriter::WriteHeader()
{
    columnBudget = kLineColumns;
    fontTable.RemoveAll();
    if (fontSource != nullptr)
        fontSource(fontTable);
    WriteToken("{");
    WriteToken("\\rtf1");
    WriteToken("\\ansi");
    WriteFontTable();
    NewLine();
    NewLine();
    WriteControlNumber("\\margl", pageLayout.leftMargin);
    WriteControlNumber("\\margr", pageLayout.rightMargin);
    WriteControlNumber("\\margt", pageLayout.topMargin);
    WriteControlNumber("\\margb", pageLayout.bottomMargin);
    WriteToken("\\sectd");
    if (pageLayout.titlePage)
        WriteToken("\\titlepg");
    NewLine();
    paragraphPending = 1;
    atParagraphStart = 1;
    columnBudget = kLineColumns;
    lastParagraphFormat = pageLayout.defaultParagraphFormat;
    lastCharFormat = charFormat;
    charGroupOpen = 0;
}

void RtfWriter::WriteFontTable()
{
    const int defaultFont = FindFont(pageLayout.defaultCharFormat.fontName);
    if (defaultFont >= 0)
        WriteControlNumber("\\deff", defaultFont + 1);
    WriteToken("\\deflang1033");
    WriteToken("{\\fonttbl");
    for (INT_PTR i = 0; i < fontTable.GetSize(); ++i) {
        const RtfFontFamily& family = fontTable[i];
        WriteControlNumber("{\\f", static_cast<int>(i + 1));
        WriteToken(kFamilyWords[(family.pitchAndFamily >> 4) & 7]);
        WriteToken(" ");
        WriteEscaped(family.faceName, static_cast<int>(strnlen(family.faceName, sizeof family.faceName)));
        WriteToken(";}");
    }
    WriteToken("}");
}

void RtfWriter::WriteText(const char* piece, int length)
{
    if (length <= 0)
        return;
    const StyleRun run(static_cast<WORD>(charFormat.style), static_cast<short>(charFormat.size),
                       charFormat.fontName, length, static_cast<BYTE>(charFormat.charSet), kEncodingWindows);
    pendingParagraph.AppendStyled(piece, length, run);
    if (piece[length - 1] == '\r')
        FlushParagraph();
}

void RtfWriter::FlushParagraph()
{
    const char* text = pendingParagraph.text;
    int position = 0;
    for (int i = 0; i < pendingParagraph.runs.GetSize(); ++i) {
        const StyleRun& run = pendingParagraph.runs[i];
        charFormat = CharFormat(run.fontName, run.style, run.pointSize, run.charSet);
        WriteRun(text + position, run.length);
        position += run.length;
    }
    pendingParagraph.Empty();
}

void RtfWriter::EndBody()
{
    if (!pendingParagraph.IsEmpty())
        FlushParagraph();
    if (charGroupOpen) {
        WriteToken("}");
        charGroupOpen = 0;
    }
}

void RtfWriter::WriteRun(const char* text, int length)
{
    bool charChanged = charFormat.Differs(lastCharFormat) != FALSE;
    const bool paraNeeded =
        paragraphPending ||
        (atParagraphStart && (paragraphFormat.Differs(lastParagraphFormat) || wordPerfect6));
    if (atParagraphStart) {
        if (charGroupOpen) {
            WriteToken("}");
            charGroupOpen = 0;
        }
        NewLine();
        lastCharFormat = pageLayout.defaultCharFormat;
        charChanged = true;
    }
    if (paraNeeded) {
        WriteParagraphFormat();
        lastParagraphFormat = paragraphFormat;
        paragraphPending = 0;
    }
    if (charChanged) {
        WriteCharFormat();
        lastCharFormat = charFormat;
        WriteToken(" ");
    } else if (paraNeeded) {
        WriteToken(" ");
    }
    WriteEscaped(text, length);
    atParagraphStart = length > 0 && text[length - 1] == '\r';
}

void RtfWriter::WriteFontNumber()
{
    const int font = FindFont(charFormat.fontName);
    if (font >= 0)
        WriteControlNumber("\\f", font + 1);
}

void RtfWriter::WriteParagraphFormat()
{
    const ParagraphFormat& format = paragraphFormat;
    WriteToken("\\pard");
    if (const char* word = kAlignmentWords[Mod4(format.alignment)]; *word != '\0')
        WriteToken(word);
    WriteControlNumber("\\li", format.leftIndent);
    WriteControlNumber("\\ri", format.rightIndent);
    WriteControlNumber("\\fi", format.firstLineIndent);
    if (format.lineSpacing == 1 || format.lineSpacing == 2) {
        WriteControlNumber("\\sl", format.lineSpacing == 1 ? 360 : 480);
        WriteToken("\\slmult1");
    }
    if (format.spaceAfter >= 1 && format.spaceAfter <= 3)
        WriteControlNumber("\\sa", 120 * format.spaceAfter + 120);
    const int tabs =
        format.tabCount < 0
            ? 0
            : (format.tabCount > ParagraphFormat::kMaxTabs ? ParagraphFormat::kMaxTabs : format.tabCount);
    for (int i = 0; i < tabs; ++i) {
        if (const char* word = kTabKindWords[Mod4(format.tabs[i].kind)]; *word != '\0')
            WriteToken(word);
        WriteControlNumber("\\tx", format.tabs[i].position - (wordPerfect6 ? format.leftIndent : 0));
    }
    WriteFontNumber();
    WriteControlNumber("\\cchs", charFormat.charSet);
    WriteControlNumber("\\fs", 2 * WrittenSize(charFormat, pageLayout.defaultCharFormat));
    NewLine();
}

void RtfWriter::WriteCharFormat()
{
    if (charGroupOpen)
        WriteToken("}");
    WriteToken("{");
    charGroupOpen = 1;
    WriteFontNumber();
    WriteControlNumber("\\cchs", charFormat.charSet);
    WriteControlNumber("\\fs", 2 * WrittenSize(charFormat, pageLayout.defaultCharFormat));
    if (charFormat.style & kCharBold)
        WriteToken("\\b");
    if (charFormat.style & kCharItalic)
        WriteToken("\\i");
    if (charFormat.style & kCharUnderline)
        WriteToken("\\ul");
    if (charFormat.style & kCharSuperscript)
        WriteToken("\\super");
    else if (charFormat.style & kCharSubscript)
        WriteToken("\\sub");
}

void RtfWriter::WriteTrailer()
{
    WriteToken("}");
    CloseOwnedFile();
}

void RtfWriter::WritePageHeader()
{
    if (pageLayout.pageNumbersOn && pageLayout.numberPosition == 0)
        WritePageNumberGroup("\\header");
}

void RtfWriter::WritePageFooter()
{
    if (pageLayout.pageNumbersOn && pageLayout.numberPosition == 1)
        WritePageNumberGroup("\\footer");
}

void RtfWriter::WritePageNumberGroup(const char* destination)
{
    const CharFormat& defaults = pageLayout.defaultCharFormat;
    const int found = FindFont(defaults.fontName);
    const int font = found >= 0 ? found + 1 : static_cast<int>(fontTable.GetSize()) + 1;
    char group[256];
    snprintf(group, sizeof group, "{%s \\pard%s\\li0\\ri0\\fi0\\f%d\\fs%d{\\field{\\*\\fldinst PAGE}}\\par }",
             destination, kAlignmentWords[Mod4(pageLayout.numberAlignment)], font, 2 * defaults.size);
    WriteToken(group);
    NewLine();
}
