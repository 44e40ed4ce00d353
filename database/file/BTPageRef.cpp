#include "database/file/BTPageRef.h"

#include "database/file/BTPageCache.h"

void BTPageRef::FreeOrphan(BTPage* page)
{
    BTPageCache::FreeBuffer(page);
}
