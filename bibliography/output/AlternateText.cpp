#include "bibliography/output/AlternateText.h"

#include "app/core/Paths.h"
#include "classlib/Exceptions.h"
#include "classlib/StdioFile.h"

namespace {
const char kOpenMark = static_cast<char>(0xAB);
const char kCloseMark = static_cast<char>(0xBB);
const char kFileName[] = "ALTERNAT.TXT";

void ParseLine(const CString& line, CMapStringToString& map)
{
    CString key;
    CString value;
    const int open = line.Find('{');
    if (open < 0) {
        key = line;
    } else {
        key = line.Left(open);
        const int close = line.Find('}', open + 1);
        value = close < 0 ? line.Mid(open + 1) : line.Mid(open + 1, close - open - 1);
    }
    key.TrimLeft();
    key.TrimRight();
    value.TrimLeft();
    value.TrimRight();
    map.SetAt(key, value);
}

CString FolderOf(const char* path)
{
    CString folder(path);
    int cut = -1;
    for (int i = 0; i < folder.GetLength(); ++i) {
        if (folder[i] == '\\' || folder[i] == '/')
            cut = i;
    }
    return cut < 0 ? CString() : folder.Left(cut + 1);
}

CString WithSeparator(const CString& folder)
{
    if (folder.IsEmpty())
        return folder;
    const char last = folder[folder.GetLength() - 1];
    return (last == '\\' || last == '/') ? folder : folder + "\\";
}

int FindFrom(const CString& text, char ch, int from)
{
    return from >= text.GetLength() ? -1 : text.Find(ch, from);
}
} // namespace

BOOL ReadAlternateFile(const char* filePath, CMapStringToString& map)
{
    CStdioFile file;
    if (!file.Open(filePath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return FALSE;
    char buffer[2048];
    CString line;
    bool continued = false;
    while (file.ReadString(buffer, sizeof buffer) != nullptr) {
        CString piece(buffer);
        const bool complete = !piece.IsEmpty() && piece[piece.GetLength() - 1] == '\n';
        while (!piece.IsEmpty() &&
               (piece[piece.GetLength() - 1] == '\n' || piece[piece.GetLength() - 1] == '\r'))
            piece = piece.Left(piece.GetLength() - 1);
        line = continued ? line + piece : piece;
        continued = !complete;
        if (complete)
            ParseLine(line, map);
    }
    if (continued)
        ParseLine(line, map);
    return TRUE;
}

void LoadAlternateText(const char* path, CMapStringToString& map)
{
    map.RemoveAll();
    if (path != nullptr && path[0] != '\0' && ReadAlternateFile(FolderOf(path) + kFileName, map))
        return;
    ReadAlternateFile(WithSeparator(GetProgramDirectory()) + kFileName, map);
}

StyledString SubstituteAlternateText(const StyledString& text, BOOL enabled, const CMapStringToString& map)
{
    StyledString result(text);
    for (int i = 0; i < result.text.GetLength(); ++i) {
        if (result.text[i] == '\r')
            result.text.SetAt(i, '\n');
    }
    if (!enabled)
        return result;
    int from = 0;
    for (;;) {
        const int c = FindFrom(result.text, kOpenMark, from);
        const int d = FindFrom(result.text, kCloseMark, from);
        if (c < 0 || d < 0 || c > d)
            break;
        const CString key = result.text.Mid(c + 1, d - c - 1);
        CString value;
        if (key.IsEmpty() || !map.Lookup(key, value))
            value = key;
        result.ReplaceRange(c, d + 1, value, value.GetLength());
        // Go on after the inserted value: a value may hold guillemets itself.
        from = c + value.GetLength();
    }
    for (int i = result.GetLength() - 1; i >= 0; --i) {
        if (result.text[i] == kOpenMark || result.text[i] == kCloseMark)
            result.ReplaceRange(i, i + 1, "", 0);
    }
    return result;
}
