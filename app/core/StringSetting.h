// A text preference in the profile, declared once as a process-wide object.
//
// Read on first use (GetProfileString with the declared default), written at once when it changes
// (byte-by-byte, case-sensitive comparison). The empty cache means "not read yet": a setting whose stored
// text is empty is read again at every Get, and setting the empty text on an unread setting writes nothing.
#pragma once

#include "classlib/CString.h"

class StringSetting
{
public:
    StringSetting(const char* section, const char* key, const char* defaultText);

    CString Get();
    void Set(const char* text);

    const char* GetSection() const { return m_section; }
    const char* GetKey() const { return m_key; }
    const char* GetDefault() const { return m_default; }

private:
    const char* m_section;
    const char* m_key;
    const char* m_default;
    CString m_cached; // empty: not read yet
};
