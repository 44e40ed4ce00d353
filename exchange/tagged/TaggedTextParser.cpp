#include "exchange/tagged/TaggedTextParser.h"

#include "database/sort/CodePageTranslation.h"

#include <cstring>

namespace {

// Windows-1252 0x80-0x9F as Unicode; 0 where the code page has no character.
const unsigned short kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The Windows-1252 byte of a code point; -1 when it has none.
int AnsiOf(unsigned long code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return (int)code;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == code)
            return 0x80 + i;
    }
    return -1;
}

bool IsBlankLine(const std::string& line)
{
    return line.find_first_not_of(" \t") == std::string::npos;
}

std::string TrimRight(const std::string& text)
{
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(0, end);
}

} // namespace

void TaggedRecord::Clear()
{
    for (std::string& field : fields)
        field.clear();
    recordId.clear();
    workformName.clear();
}

TaggedTextParser::TaggedTextParser(const TaggedImportConfig& config, TaggedByteSource& source)
    : m_config(config), m_source(source), m_buffer(kBufferSize), m_position(0), m_count(0), m_bytesRead(0),
      m_atStart(true), m_utf8(config.charset == TaggedImportConfig::kUtf8), m_ended(false), m_replaced(0),
      m_held(false), m_hasValue(false)
{
}

int TaggedTextParser::ReadByte()
{
    if (m_position == m_count) {
        if (m_ended)
            return -1;
        m_count = m_source.Read(m_buffer.data(), (UINT)m_buffer.size());
        m_position = 0;
        if (m_count == 0) {
            m_ended = true;
            return -1;
        }
        m_bytesRead += (DWORD)m_count;
    }
    return m_buffer[m_position++];
}

bool TaggedTextParser::ReadLine(std::string& line)
{
    if (m_held) {
        m_held = false;
        line.swap(m_heldLine);
        return true;
    }
    line.clear();
    int ch = ReadByte();
    if (ch < 0)
        return false;
    if (m_atStart) {
        m_atStart = false;
        // A byte-order mark says UTF-8 whatever the configuration says.
        if (ch == 0xEF && m_count - m_position >= 2 && m_buffer[m_position] == 0xBB &&
            m_buffer[m_position + 1] == 0xBF) {
            m_utf8 = true;
            m_position += 2;
            ch = ReadByte();
        }
    }
    while (ch >= 0 && ch != '\n' && ch != '\r') {
        if (line.size() < (size_t)kMaxFieldLength * 4)
            line += (char)ch;
        ch = ReadByte();
    }
    if (ch == '\r') {
        const int next = ReadByte();
        if (next >= 0 && next != '\n')
            --m_position; // the byte is still in the buffer
    }
    Decode(line);
    return true;
}

void TaggedTextParser::Decode(std::string& line)
{
    size_t out = 0;
    const size_t length = line.size();
    for (size_t i = 0; i < length;) {
        unsigned char ch = (unsigned char)line[i];
        int ansi = ch;
        if (m_utf8 && ch >= 0x80) {
            int extra = ch >= 0xF0 && ch < 0xF8 ? 3 : ch >= 0xE0 ? 2 : ch >= 0xC2 && ch < 0xE0 ? 1 : -1;
            unsigned long code = extra == 3 ? ch & 0x07 : extra == 2 ? ch & 0x0F : ch & 0x1F;
            size_t j = i + 1;
            for (int k = 0; k < extra; ++k, ++j) {
                if (j >= length || ((unsigned char)line[j] & 0xC0) != 0x80) {
                    extra = -1;
                    break;
                }
                code = (code << 6) | ((unsigned char)line[j] & 0x3F);
            }
            if (extra < 0) {
                ansi = -1;
                i += 1;
                while (i < length && ((unsigned char)line[i] & 0xC0) == 0x80)
                    ++i;
            } else {
                ansi = AnsiOf(code);
                i = j;
            }
        } else {
            ++i;
            if (m_config.charset == TaggedImportConfig::kDos437 && !m_utf8)
                ansi = g_DosToWindows[ch];
            else if (m_config.charset == TaggedImportConfig::kMacRoman && !m_utf8)
                ansi = ch >= 0x80 && g_MacToWindows[ch] == 0x80 && ch != 0xDB ? -1 : g_MacToWindows[ch];
            else if (ch >= 0x80 && ch <= 0x9F && kCp1252High[ch - 0x80] == 0)
                ansi = -1;
        }
        if (ansi <= 0 || ansi == '\r' || ansi == '\n') {
            ansi = '?';
            ++m_replaced;
        }
        line[out++] = (char)ansi;
    }
    line.resize(out);
}

bool TaggedTextParser::TagOf(const std::string& line, std::string& tag, std::string& value) const
{
    const size_t width = (size_t)m_config.tagWidth;
    if (line.size() < width)
        return false;
    tag = TrimRight(line.substr(0, width));
    if (tag.empty() || tag.find_first_of(" \t") != std::string::npos)
        return false;
    const std::string& separator = m_config.tagSeparator;
    const std::string rest = line.substr(width);
    if (rest.compare(0, separator.size(), separator) == 0) {
        value = TrimRight(rest.substr(separator.size()));
        return true;
    }
    // "ER  -" with the separator's trailing blank dropped.
    const std::string shortSeparator = TrimRight(separator);
    if (TrimRight(rest) == shortSeparator) {
        value.clear();
        return true;
    }
    return false;
}

std::string TaggedTextParser::AuthorWithInitials(const std::string& author)
{
    if (author.find(',') != std::string::npos)
        return author;
    const size_t blank = author.find_last_of(' ');
    if (blank == std::string::npos || blank == 0)
        return author;
    const std::string initials = author.substr(blank + 1);
    if (initials.empty() || initials.size() > 4)
        return author;
    for (char ch : initials) {
        if (ch < 'A' || ch > 'Z')
            return author;
    }
    std::string out = TrimRight(author.substr(0, blank)) + ", ";
    for (char ch : initials) {
        out += ch;
        out += '.';
    }
    return out;
}

void TaggedTextParser::Append(std::string& field, const std::string& joiner, const std::string& value) const
{
    if (!field.empty())
        field += joiner;
    field += value;
    if (field.size() > (size_t)kMaxFieldLength)
        field.resize(kMaxFieldLength);
}

void TaggedTextParser::CommitValue(TaggedRecord& record)
{
    if (!m_hasValue)
        return;
    m_hasValue = false;
    if (m_value.empty())
        return;
    if (!m_config.recordIdTag.empty() && m_tag == m_config.recordIdTag && record.recordId.empty())
        record.recordId = m_value;
    if (!m_config.typeTag.empty() && m_tag == m_config.typeTag && record.workformName.empty()) {
        const auto type = m_config.workformOfType.find(m_value);
        if (type != m_config.workformOfType.end())
            record.workformName = type->second;
    }
    const auto field = m_config.fieldOfTag.find(m_tag);
    if (field == m_config.fieldOfTag.end())
        return;
    const int n = field->second;
    const std::string value =
        m_config.authorField[n] && m_config.authorInitials ? AuthorWithInitials(m_value) : m_value;
    Append(record.fields[n], m_config.joiner[n], value);
}

bool TaggedTextParser::Next(TaggedRecord& record)
{
    record.Clear();
    std::string line, tag, value;
    // Up to the start of a record.
    for (;;) {
        if (!ReadLine(line))
            return false;
        if (TagOf(line, tag, value) && tag == m_config.recordStart)
            break;
    }
    bool first = true;
    m_hasValue = false;
    for (;;) {
        if (!first && !ReadLine(line))
            break;
        if (IsBlankLine(line)) {
            if (m_config.recordEnd.empty())
                break;
            continue;
        }
        if (TagOf(line, tag, value)) {
            if (tag == m_config.recordEnd && !m_config.recordEnd.empty())
                break;
            if (tag == m_config.recordStart && !first) {
                m_heldLine.swap(line);
                m_held = true;
                break;
            }
            CommitValue(record);
            m_tag = tag;
            m_value = value;
            m_hasValue = true;
        } else if (m_config.continuation && m_hasValue) {
            const size_t start = line.find_first_not_of(" \t");
            if (!m_value.empty())
                m_value += ' ';
            m_value += TrimRight(line.substr(start));
            if (m_value.size() > (size_t)kMaxFieldLength)
                m_value.resize(kMaxFieldLength);
        }
        first = false;
    }
    CommitValue(record);
    if (record.workformName.empty())
        record.workformName = m_config.defaultWorkform;
    return true;
}
