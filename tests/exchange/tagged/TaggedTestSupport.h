// What the tagged import tests share: the delimited tests' databases, files
// and workform fixtures, and the shipped configurations.
#pragma once

#include "../delimited/DelimitedTestSupport.h"

#include "exchange/tagged/TaggedImportConfig.h"
#include "exchange/tagged/TaggedTextParser.h"

#include <cstring>
#include <map>

// A shipped configuration file ("RIS.cfg", "Medline.cfg", "Pubmed.cfg").
inline CString ShippedConfigPath(const char* name)
{
#ifdef _WIN32
    return CString("Z:") + LORVANE_TAGGED_CONFIG_DIR + "/" + name;
#else
    return CString(LORVANE_TAGGED_CONFIG_DIR) + "/" + name;
#endif
}

inline TaggedImportConfig ShippedConfig(const char* name)
{
    TaggedImportConfig config;
    EXPECT_TRUE(config.Load(ShippedConfigPath(name))) << (const char*)config.GetError();
    return config;
}

class StringSource : public TaggedByteSource
{
public:
    explicit StringSource(std::string text, UINT piece = 7) : m_text(std::move(text)), m_piece(piece) {}
    // Small pieces, so that lines and line ends cross the reads.
    UINT Read(BYTE* out, UINT count) override
    {
        const size_t taken = std::min<size_t>({count, m_piece, m_text.size() - m_at});
        std::memcpy(out, m_text.data() + m_at, taken);
        m_at += taken;
        return (UINT)taken;
    }

private:
    std::string m_text;
    UINT m_piece;
    size_t m_at = 0;
};

// Every record of the text, as the parser reads it.
inline std::vector<TaggedRecord> ParseAll(const TaggedImportConfig& config, const std::string& text,
                                          int* replaced = nullptr)
{
    StringSource source(text);
    TaggedTextParser parser(config, source);
    std::vector<TaggedRecord> records;
    TaggedRecord record;
    while (parser.Next(record))
        records.push_back(record);
    if (replaced != nullptr)
        *replaced = parser.GetReplacedCount();
    return records;
}

// A generated RIS record: authors, title, journal, year, keywords and ID `id`.
inline std::string RisRecord(int id)
{
    const std::string n = std::to_string(id);
    return "TY  - JOUR\r\nID  - R" + n + "\r\nAU  - Author" + n + ", A.\r\nAU  - Second, B.\r\nTI  - Title " +
           n + " on things\r\nJO  - Journal " + std::to_string(id % 7) + "\r\nPY  - " +
           std::to_string(1950 + id % 70) + "\r\nKW  - alpha\r\nKW  - beta " + n + "\r\nER  - \r\n\r\n";
}
