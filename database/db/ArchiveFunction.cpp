#include "database/db/ArchiveFunction.h"

#include "app/core/ArchiveObject.h"
#include "classlib/MemFile.h"

std::vector<BYTE> StoredForm(CObject& object)
{
    CMemFile file;
    ArchiveObject(object, file, FALSE);
    std::vector<BYTE> form(file.GetLength());
    if (!form.empty())
        file.Read(form.data(), (UINT)form.size());
    return form;
}
