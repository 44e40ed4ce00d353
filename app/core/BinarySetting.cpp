#include "app/core/BinarySetting.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "classlib/Object.h"
#include "classlib/WinApp.h"

#include <cstdlib>

namespace {

const int kArchiveBufferSize = 4096;
const UINT kGrowBytes = 1024;

} // namespace

BinarySettingLoad LoadBinarySettingEx(const char* section, const char* key, CObject& object)
{
    BYTE* data = nullptr;
    UINT size = 0;
    if (!AfxGetApp()->GetProfileBinary(section, key, &data, &size) || data == nullptr)
        return BinarySettingLoad::missing;
    BinarySettingLoad result = BinarySettingLoad::loaded;
    try {
        CMemFile file(data, size);
        CArchive ar(&file, CArchive::load, kArchiveBufferSize);
        object.Serialize(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        result = BinarySettingLoad::damaged;
    }
    delete[] data;
    return result;
}

BOOL LoadBinarySetting(const char* section, const char* key, CObject& object)
{
    return LoadBinarySettingEx(section, key, object) == BinarySettingLoad::loaded;
}

void SaveBinarySetting(const char* section, const char* key, CObject& object)
{
    CMemFile file(kGrowBytes);
    {
        CArchive ar(&file, CArchive::store, kArchiveBufferSize);
        object.Serialize(ar);
        ar.Close();
    }
    const UINT size = file.GetLength();
    BYTE* data = file.Detach();
    try {
        AfxGetApp()->WriteProfileBinary(section, key, data, size);
    } catch (...) {
        std::free(data);
        throw;
    }
    std::free(data);
}
