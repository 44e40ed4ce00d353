// An integer preference in the profile, declared once as a process-wide object.
//
// The value is read from the profile on first use (GetProfileInt with the declared default) and written
// back at once whenever it changes; nothing is written at shut-down. The cache value -1 means "not read
// yet": a setting whose stored value is -1 is therefore read again at every Get, and Set(-1) on an unread
// setting writes nothing. Declared objects keep no other state, so constructing one touches no profile.
#pragma once

#include <cstdint>

class IntSetting
{
public:
    constexpr IntSetting(const char* section, const char* key, int32_t defaultValue)
        : m_section(section), m_key(key), m_default(defaultValue), m_cached(-1)
    {
    }

    int Get();
    void Set(int value);

    const char* GetSection() const { return m_section; }
    const char* GetKey() const { return m_key; }
    int GetDefault() const { return m_default; }

private:
    const char* m_section;
    const char* m_key;
    int32_t m_default;
    int32_t m_cached; // -1: not read yet
};
