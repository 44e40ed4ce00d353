// Shared by the tagged import's fuzz targets: the shipped configurations and
// the check of what the parser makes of any text.
#pragma once

#include "FuzzSupport.h"

#include "exchange/tagged/TaggedImportConfig.h"
#include "exchange/tagged/TaggedTextParser.h"

#include <cstring>

inline const char* const kShippedTaggedConfigs[] = {"RIS.cfg", "Medline.cfg", "Pubmed.cfg"};

inline std::string ShippedTaggedConfigPath(const char* name)
{
    return std::string(LORVANE_TAGGED_CONFIG_DIR) + "/" + name;
}

class FuzzTextSource : public TaggedByteSource
{
public:
    FuzzTextSource(const uint8_t* data, size_t size) : m_data(data), m_left(size) {}
    // Odd pieces, so that lines and line ends cross the reads.
    UINT Read(BYTE* out, UINT count) override
    {
        size_t taken = m_left < count ? m_left : count;
        if (taken > 37)
            taken = 37;
        std::memcpy(out, m_data, taken);
        m_data += taken;
        m_left -= taken;
        return (UINT)taken;
    }

private:
    const uint8_t* m_data;
    size_t m_left;
};

// Every record of the text: fields within the limit, no NUL, and the parser
// ends.
inline void CheckTaggedParse(const TaggedImportConfig& config, const uint8_t* data, size_t size)
{
    FuzzTextSource source(data, size);
    TaggedTextParser parser(config, source);
    TaggedRecord record;
    size_t records = 0;
    while (parser.Next(record)) {
        if (++records > size + 1)
            FuzzFinding("more records than bytes");
        for (int n = 1; n <= TaggedImportConfig::kFields; ++n) {
            const std::string& field = record.fields[n];
            if (field.size() > (size_t)TaggedTextParser::kMaxFieldLength)
                FuzzFinding("a field over the limit");
            if (field.find('\0') != std::string::npos)
                FuzzFinding("a NUL in a field");
        }
        if (record.recordId.find('\0') != std::string::npos)
            FuzzFinding("a NUL in a record ID");
    }
    if (parser.GetBytesRead() != size)
        FuzzFinding("input left unread");
}
