// Binary preferences of a known type with a declared default.
//
// A typed binary setting is a plain record of section, key and a default held by value. Its value is the
// archived form of the held type. Get reads the stored value into the caller's object and falls back to
// the default only when nothing is stored; a damaged value leaves what was read so far. There is no cache:
// every Get reads the profile.
//
// `T` must derive from CObject (it is archived through Serialize) and be copy-assignable. The settings of
// database types (sort definitions, duplicate detection) are instances declared by the database.
#pragma once

#include "app/core/BinarySetting.h"

template <class T> class TypedBinarySetting
{
public:
    TypedBinarySetting(const char* section, const char* key, const T& defaultValue)
        : m_section(section), m_key(key), m_default(defaultValue)
    {
    }

    void Get(T& value) const
    {
        if (LoadBinarySettingEx(m_section, m_key, value) == BinarySettingLoad::missing)
            value = m_default;
    }

    void Set(T& value) const { SaveBinarySetting(m_section, m_key, value); }

    const char* GetSection() const { return m_section; }
    const char* GetKey() const { return m_key; }
    const T& GetDefault() const { return m_default; }

private:
    const char* m_section;
    const char* m_key;
    T m_default;
};
