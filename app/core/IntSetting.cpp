#include "app/core/IntSetting.h"

#include "classlib/WinApp.h"

int IntSetting::Get()
{
    if (m_cached == -1)
        m_cached = static_cast<int32_t>(AfxGetApp()->GetProfileInt(m_section, m_key, m_default));
    return m_cached;
}

void IntSetting::Set(int value)
{
    if (value == m_cached)
        return;
    m_cached = value;
    AfxGetApp()->WriteProfileInt(m_section, m_key, value);
}
