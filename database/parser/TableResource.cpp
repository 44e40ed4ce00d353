#include "database/parser/TableResource.h"

#include "classlib/Resources.h"
#include "database/parser/TPException.h"

TableResource FindTableResource(LPCTSTR lpszType, UINT nID, int missingError)
{
    TableResource resource;
    resource.name.Format("%u", nID);
    resource.size = 0;
    resource.data = AfxFindBinaryResource(lpszType, nID, &resource.size);
    if (resource.data == nullptr)
        TPRaise(missingError, resource.name);
    return resource;
}
