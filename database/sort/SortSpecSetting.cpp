#include "database/sort/SortSpecSetting.h"

#include "app/core/BinarySetting.h"
#include "classlib/Object.h"

namespace {

// The archive face of a sort definition, which is not an object itself.
class SortSpecObject : public CObject
{
public:
    explicit SortSpecObject(DBSortSpec& spec) : m_spec(spec) {}
    void Serialize(CArchive& ar) override { m_spec.Serialize(ar); }

private:
    DBSortSpec& m_spec;
};

} // namespace

DBSortSpec SortSpecSetting::Get() const
{
    DBSortSpec value;
    SortSpecObject object(value);
    if (LoadBinarySettingEx(m_section, m_key, object) == BinarySettingLoad::missing)
        value = m_default;
    return value;
}

void SortSpecSetting::Set(const DBSortSpec& value) const
{
    DBSortSpec copy = value;
    SortSpecObject object(copy);
    SaveBinarySetting(m_section, m_key, object);
}
