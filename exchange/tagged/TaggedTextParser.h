// TaggedTextParser: tagged text (RIS, MEDLINE and the like) read record by
// record as a configuration says, from a byte source that it streams through a
// buffer of its own; it never holds more than the record being read.
//
// Lines end at CR LF, LF or CR. A UTF-8 byte-order mark at the start is
// skipped and the text is then read as UTF-8 whatever the configuration's
// character set. Text becomes Windows-1252: a character it cannot hold (and a
// malformed UTF-8 sequence, and NUL) becomes "?" and is counted.
//
// A tagged line is the tag (its width, trailing blanks dropped, no blank
// inside) followed by the separator (trailing blanks of the separator may be
// missing at the end of the line). Outside a record only the start tag counts;
// the rest (blank lines, stray text) is skipped. Inside, a value runs to the
// next tagged line, the record's end tag, a blank line (when that ends
// records), a new start tag or the end of the input, which all end the record.
// Continuation lines join the value before them with one blank. Values of a
// field are joined by its joiner; authors are turned into "Last, A.B." when
// the configuration says so; unknown tags are ignored. A field keeps at most
// kMaxFieldLength bytes; the rest is dropped.
#pragma once

#include "exchange/tagged/TaggedImportConfig.h"

#include "classlib/Types.h"

#include <string>
#include <vector>

struct TaggedRecord
{
    std::string fields[TaggedImportConfig::kFields + 1]; // 1 to 45
    std::string recordId;
    std::string workformName; // the type's workform, else the default (may be empty)

    void Clear();
};

class TaggedByteSource
{
public:
    virtual ~TaggedByteSource() = default;
    // Up to `count` bytes; 0 at the end. Raises the class library's exceptions.
    virtual UINT Read(BYTE* out, UINT count) = 0;
};

class TaggedTextParser
{
public:
    enum
    {
        kMaxFieldLength = 65535,
        kBufferSize = 1 << 16,
    };

    // Both must outlive the parser.
    TaggedTextParser(const TaggedImportConfig& config, TaggedByteSource& source);

    // The next record into `record`; false at the end of the input.
    bool Next(TaggedRecord& record);

    // Bytes taken from the source so far.
    DWORD GetBytesRead() const { return m_bytesRead; }
    // Characters that became "?".
    int GetReplacedCount() const { return m_replaced; }

    // The author form "Smith JA" -> "Smith, J.A."; anything else as it is.
    static std::string AuthorWithInitials(const std::string& author);

private:
    bool ReadLine(std::string& line);
    int ReadByte();
    void Decode(std::string& line);
    bool TagOf(const std::string& line, std::string& tag, std::string& value) const;
    void CommitValue(TaggedRecord& record);
    void Append(std::string& field, const std::string& joiner, const std::string& value) const;

    const TaggedImportConfig& m_config;
    TaggedByteSource& m_source;
    std::vector<BYTE> m_buffer;
    size_t m_position;
    size_t m_count;
    DWORD m_bytesRead;
    bool m_atStart;
    bool m_utf8;
    bool m_ended;
    int m_replaced;
    // A line read but not yet used (a start tag that ended the record before).
    bool m_held;
    std::string m_heldLine;
    // The value being read.
    std::string m_tag;
    std::string m_value;
    bool m_hasValue;
};
