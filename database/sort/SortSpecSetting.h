// SortSpecSetting: a sort definition kept as a binary profile value (the
// custom sort of new databases).
//
// The value is the sort definition's 26-byte stored form. Get reads it at
// every call: the default when nothing is stored, the keys read before a cut
// when the value is cut short (over a fresh sort definition's options).
#pragma once

#include "database/sort/DBSortSpec.h"

class SortSpecSetting
{
public:
    SortSpecSetting(const char* section, const char* key, const DBSortSpec& defaultValue)
        : m_section(section), m_key(key), m_default(defaultValue)
    {
    }

    DBSortSpec Get() const;
    void Set(const DBSortSpec& value) const;
    const char* GetSection() const { return m_section; }
    const char* GetKey() const { return m_key; }
    const DBSortSpec& GetDefault() const { return m_default; }

private:
    const char* m_section;
    const char* m_key;
    DBSortSpec m_default;
};
