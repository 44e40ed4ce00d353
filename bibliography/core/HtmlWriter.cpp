#include "bibliography/core/HtmlWriter.h"

#include "classlib/File.h"

#include <stdio.h>
#include <string.h>

namespace {
const char* const kSchemes[] = {"http",     "ftp",    "gopher", "wais",   "file", "https",
                                "mailto",   "msn",    "news",   "nntp",   "mid",  "cid",
                                "prospero", "telnet", "rlogin", "tn3270", "pnm",  "mms"};

// Unicode values of code page 1252's bytes 0x80 to 0x9F; the five bytes the
// code page leaves undefined keep their own value, as the platform maps them.
const unsigned short kHighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

unsigned UnicodeOf(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? kHighControls[byte - 0x80] : byte;
}

bool EndsWithTab(const char* piece, int length)
{
    return length > 0 && piece[length - 1] == '\t';
}

// Characters a plain stretch (written through WriteLinked) may hold.
bool IsPlain(unsigned char ch)
{
    return ch >= 0x20 && ch < 0x80 && ch != '"' && ch != '&' && ch != '<' && ch != '>';
}

const char* EntityOf(char ch)
{
    switch (ch) {
    case '"':
        return "&quot;";
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    default:
        return nullptr;
    }
}
} // namespace

int HtmlWriter::s_leadingTab = 0;

HtmlWriter::HtmlWriter() : lastCharFormat("Times New Roman", 0, 12, 0), listOpen(0), atParagraphStart(1) {}

void HtmlWriter::Put(const char* text)
{
    Put(text, static_cast<int>(strlen(text)));
}

void HtmlWriter::Put(const char* text, int length)
{
    if (file != nullptr && length > 0)
        file->Write(text, static_cast<UINT>(length));
}

void HtmlWriter::BeginBody()
{
    listOpen = 0;
    Put("<html>\r\n");
    Put("\r\n<title>");
    Put("Title");
    Put("</title>\r\n");
    Put("\r\n<body>\r\n");
}

void HtmlWriter::EndBody()
{
    if (listOpen)
        Put("\r\n</ol>\r\n");
    Put("</body>\r\n");
    Put("</html>\r\n");
}

void HtmlWriter::WriteTrailer()
{
    CloseOwnedFile();
}

void HtmlWriter::WriteText(const char* piece, int length)
{
    if (length <= 0)
        return;
    const bool endsWithTab = EndsWithTab(piece, length);
    if (atParagraphStart && length == 1 && piece[0] == '\t') {
        s_leadingTab = 1;
        return;
    }
    const bool beginsParagraph = atParagraphStart != 0;
    if (beginsParagraph) {
        if (paragraphFormat.alignment == 1)
            Put("<center>");
        atParagraphStart = 0;
        if (listOpen && s_leadingTab && !endsWithTab) {
            Put("\r\n</ol>\r\n");
            listOpen = 0;
        }
        if (!listOpen && s_leadingTab && endsWithTab) {
            Put("\r\n<ol>");
            listOpen = 1;
        }
    }
    s_leadingTab = 0;
    WriteStyleTags();
    if (listOpen && beginsParagraph && endsWithTab) {
        Put("\r\n<li>"); // the number and its tab are the list's own
        return;
    }
    WritePieceBody(piece, length);
}

void HtmlWriter::WriteStyleTags()
{
    const int last = lastCharFormat.style;
    const int now = charFormat.style;
    if (last == now)
        return;
    const int cleared = last & ~now;
    const int added = now & ~last;
    if (cleared & kCharBold)
        Put("</b>");
    if (cleared & kCharItalic)
        Put("</i>");
    if (cleared & kCharUnderline)
        Put("</u>");
    if (cleared & kCharSuperscript)
        Put("</sup>");
    else if (cleared & kCharSubscript)
        Put("</sub>");
    if (added & kCharBold)
        Put("<b>");
    if (added & kCharItalic)
        Put("<i>");
    if (added & kCharUnderline)
        Put("<u>");
    if (added & kCharSuperscript)
        Put("<sup>");
    else if (added & kCharSubscript)
        Put("<sub>");
    lastCharFormat = charFormat;
}

void HtmlWriter::WritePieceBody(const char* piece, int length)
{
    int i = 0;
    while (i < length) {
        const unsigned char ch = static_cast<unsigned char>(piece[i]);
        if (IsPlain(ch)) {
            int end = i + 1;
            while (end < length && IsPlain(static_cast<unsigned char>(piece[end])))
                ++end;
            WriteLinked(piece + i, end - i);
            i = end;
            continue;
        }
        if (const char* entity = EntityOf(static_cast<char>(ch))) {
            WriteLinked(entity, static_cast<int>(strlen(entity)));
        } else if (ch == '\n') {
            Put("<br>\r\n");
        } else if (ch == '\f') {
            Put("<hr>\r\n");
            atParagraphStart = 1;
        } else if (ch == '\r') {
            WriteParagraphEnd();
        } else if (ch > 0x7F) {
            char reference[16];
            snprintf(reference, sizeof reference, "&#%u;", UnicodeOf(ch));
            Put(reference);
        } else {
            Put(piece + i, 1);
        }
        ++i;
    }
}

void HtmlWriter::WriteParagraphEnd()
{
    Put(paragraphFormat.alignment == 1 ? "</center><p>\r\n" : "<p>\r\n");
    if (paragraphFormat.spaceAfter == 2 || paragraphFormat.spaceAfter == 3)
        Put("<p>\r\n");
    atParagraphStart = 1;
}

void HtmlWriter::WriteLinked(const char* text, int length)
{
    int start = 0, end = 0;
    while (length > 0 && FindUrl(text, length, start, end)) {
        Put(text, start);
        Put("<A HREF=\"");
        Put(text + start, end - start);
        Put("\">");
        Put(text + start, end - start);
        Put("</A>");
        text += end;
        length -= end;
    }
    Put(text, length);
}

BOOL HtmlWriter::FindUrl(const char* text, int length, int& start, int& end)
{
    const char* colon = static_cast<const char*>(memchr(text, ':', static_cast<size_t>(length)));
    if (colon == nullptr)
        return FALSE;
    const int at = static_cast<int>(colon - text);
    if (length - at < 4 || colon[1] != '/' || colon[2] != '/')
        return FALSE;
    for (const char* scheme : kSchemes) {
        const int n = static_cast<int>(strlen(scheme));
        if (n <= at && memcmp(colon - n, scheme, static_cast<size_t>(n)) == 0) {
            start = at - n;
            end = at;
            while (end < length && text[end] != ' ')
                ++end;
            return TRUE;
        }
    }
    return FALSE;
}
