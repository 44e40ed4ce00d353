#include "app/core/StringListSetting.h"

#include "app/core/BinarySetting.h"
#include "app/core/LineStringArray.h"

StringListSetting::StringListSetting(const char* section, const char* key, const char* defaultText)
    : m_section(section), m_key(key), m_defaultText(defaultText)
{
}

void StringListSetting::Get(CStringArray& list) const
{
    if (LoadBinarySettingEx(m_section, m_key, list) == BinarySettingLoad::missing)
        list.Copy(CLineStringArray(m_defaultText));
}

void StringListSetting::Set(CStringArray& list) const
{
    SaveBinarySetting(m_section, m_key, list);
}
