#include "app/core/StringSetting.h"

#include "classlib/WinApp.h"

#include <cstring>

StringSetting::StringSetting(const char* section, const char* key, const char* defaultText)
    : m_section(section), m_key(key), m_default(defaultText ? defaultText : "")
{
}

CString StringSetting::Get()
{
    if (m_cached.IsEmpty())
        m_cached = AfxGetApp()->GetProfileString(m_section, m_key, m_default);
    return m_cached;
}

void StringSetting::Set(const char* text)
{
    if (text == nullptr)
        text = "";
    if (std::strcmp(text, m_cached) == 0)
        return;
    m_cached = text;
    AfxGetApp()->WriteProfileString(m_section, m_key, text);
}
