#include "database/btree/BTResourceTree.h"

BOOL BTResourceTree::ReadObject(CObject& object, DWORD type, DWORD id)
{
    ObjectKey key(type, id);
    return BTChunkedObject(*this, key).Read(object);
}

void BTResourceTree::WriteObject(CObject& object, DWORD type, DWORD id)
{
    ObjectKey key(type, id);
    BTChunkedObject(*this, key).AddCounted(object);
}

void BTResourceTree::ReplaceObject(CObject& object, DWORD type, DWORD id)
{
    ObjectKey key(type, id);
    BTChunkedObject(*this, key).WriteCounted(object);
}
