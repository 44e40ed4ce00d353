#include "app/core/ArchiveObject.h"

#include "classlib/Archive.h"
#include "classlib/File.h"
#include "classlib/Object.h"

void ArchiveObject(CObject& object, CFile& file, BOOL bLoad)
{
    file.SeekToBegin();
    {
        CArchive ar(&file, (bLoad ? CArchive::load : CArchive::store) | CArchive::bNoFlushOnDelete, 4096);
        object.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
}
