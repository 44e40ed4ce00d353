// A list of words kept as one binary profile value: the archived form of a string array.
// Its default is a text with one entry per line (entries separated by line feeds).
#pragma once

#include "classlib/Collections.h"

class StringListSetting
{
public:
    StringListSetting(const char* section, const char* key, const char* defaultText);

    // The stored list; the default split at line feeds when nothing is stored; what was read so far when
    // the stored value is damaged.
    void Get(CStringArray& list) const;
    void Set(CStringArray& list) const;

    const char* GetSection() const { return m_section; }
    const char* GetKey() const { return m_key; }
    const char* GetDefaultText() const { return m_defaultText; }

private:
    const char* m_section;
    const char* m_key;
    const char* m_defaultText;
};
