#include "exchange/tagged/TaggedImportConfig.h"

#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r'))
        --end;
    return text.substr(start, end - start);
}

// A value between double quotes keeps its blanks.
std::string Unquote(const std::string& value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

bool ParseNumber(const std::string& text, int low, int high, int& out)
{
    if (text.empty() || text.size() > 3)
        return false;
    int value = 0;
    for (char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
        value = value * 10 + (ch - '0');
    }
    if (value < low || value > high)
        return false;
    out = value;
    return true;
}

// "first rest": the first word and the trimmed remainder.
bool SplitFirst(const std::string& value, std::string& first, std::string& rest)
{
    const size_t blank = value.find_first_of(" \t");
    if (blank == std::string::npos)
        return false;
    first = value.substr(0, blank);
    rest = Unquote(Trim(value.substr(blank)));
    return !first.empty() && !rest.empty();
}

bool ValidTag(const std::string& tag, int width)
{
    return !tag.empty() && (int)tag.size() <= (width > 0 ? width : TaggedImportConfig::kMaxTagWidth) &&
           tag.find_first_of(" \t") == std::string::npos;
}

} // namespace

TaggedImportConfig::TaggedImportConfig()
    : charset(kAnsi), tagWidth(0), continuation(true), authorField(), authorInitials(false)
{
    for (std::string& join : joiner)
        join = "\r";
}

BOOL TaggedImportConfig::Load(const char* path)
{
    std::string text;
    try {
        CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
        const DWORD length = file.GetLength();
        if (length > (1u << 20))
            AfxThrowFileException(CFileException::generic, -1, path);
        text.resize(length);
        if (length != 0)
            text.resize(file.Read(&text[0], length));
    } catch (CException* e) {
        e->Delete();
        m_error.Format("%s: the file cannot be read", path);
        return FALSE;
    }
    return Parse(text, path);
}

BOOL TaggedImportConfig::Parse(const std::string& text, const char* name)
{
    TaggedImportConfig next;
    int lineNumber = 0;
    size_t start = 0;
    const char* reason = nullptr;
    while (start < text.size() && reason == nullptr) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            reason = "no \"=\"";
            break;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Unquote(Trim(line.substr(equals + 1)));
        if (value.find('\0') != std::string::npos) {
            reason = "a NUL character";
            break;
        }
        std::string first, rest;
        int number = 0;
        if (key == "charset") {
            if (value == "1252")
                next.charset = kAnsi;
            else if (value == "UTF-8")
                next.charset = kUtf8;
            else if (value == "437")
                next.charset = kDos437;
            else if (value == "Mac")
                next.charset = kMacRoman;
            else
                reason = "an unknown character set";
        } else if (key == "tag-width") {
            if (!ParseNumber(value, 1, kMaxTagWidth, next.tagWidth))
                reason = "a tag width outside 1 to 8";
        } else if (key == "tag-separator") {
            next.tagSeparator = value;
            if (value.size() > 8)
                reason = "a tag separator longer than 8";
        } else if (key == "record-start") {
            next.recordStart = value;
            if (!ValidTag(value, next.tagWidth))
                reason = "a bad tag";
        } else if (key == "record-end") {
            next.recordEnd = value == "blank" ? std::string() : value;
            if (value != "blank" && !ValidTag(value, next.tagWidth))
                reason = "a bad tag";
        } else if (key == "continuation") {
            if (value == "yes" || value == "no")
                next.continuation = value == "yes";
            else
                reason = "not yes or no";
        } else if (key == "field") {
            if (!SplitFirst(value, first, rest) || !ValidTag(first, next.tagWidth) ||
                !ParseNumber(rest, 1, kFields, number))
                reason = "not a tag and a field number";
            else
                next.fieldOfTag[first] = number;
        } else if (key == "join") {
            if (!SplitFirst(value, first, rest) || !ParseNumber(first, 1, kFields, number))
                reason = "not a field number and a joiner";
            else
                next.joiner[number] = rest == "CR" ? std::string("\r") : rest;
        } else if (key == "author-field") {
            if (!ParseNumber(value, 1, kFields, number))
                reason = "not a field number";
            else
                next.authorField[number] = true;
        } else if (key == "author-form") {
            if (value == "as-written" || value == "initials")
                next.authorInitials = value == "initials";
            else
                reason = "not as-written or initials";
        } else if (key == "record-id") {
            next.recordIdTag = value;
            if (!ValidTag(value, next.tagWidth))
                reason = "a bad tag";
        } else if (key == "type-tag") {
            next.typeTag = value;
            if (!ValidTag(value, next.tagWidth))
                reason = "a bad tag";
        } else if (key == "type") {
            const size_t bar = value.find('|');
            first = bar == std::string::npos ? std::string() : Trim(value.substr(0, bar));
            rest = bar == std::string::npos ? std::string() : Trim(value.substr(bar + 1));
            if (first.empty() || rest.empty())
                reason = "not a type, \"|\" and a workform name";
            else
                next.workformOfType[first] = rest;
        } else if (key == "default-workform") {
            next.defaultWorkform = value;
        } else {
            reason = "an unknown setting";
        }
    }
    if (reason == nullptr && (next.tagWidth == 0 || next.recordStart.empty())) {
        reason = "no tag-width or record-start";
        lineNumber = 0;
    }
    if (reason != nullptr) {
        if (lineNumber > 0)
            m_error.Format("%s, line %d: %s", name, lineNumber, reason);
        else
            m_error.Format("%s: %s", name, reason);
        return FALSE;
    }
    next.m_error.Empty();
    *this = next;
    return TRUE;
}
