// Seeds: record sets as the project stores them: empty, sparse, dense, with
// raw and packed blocks and a named one.
#include "FuzzSeeds.h"

#include "database/db/DBRecordSet.h"

namespace {
void AddSet(FuzzSeeds& seeds, const char* name, DBRecordSet& set)
{
    seeds.AddStored(name, [&](CArchive& ar) { set.Serialize(ar); });
}
} // namespace

void WriteSeeds(FuzzSeeds& seeds)
{
    DBRecordSet empty;
    AddSet(seeds, "empty", empty);
    DBRecordSet zeroBlock;
    zeroBlock |= empty;
    AddSet(seeds, "zero-block", zeroBlock);
    DBRecordSet sparse("Group");
    for (int n : {0, 5, 1023, 1024, 5000, 9999})
        sparse.Set(n);
    AddSet(seeds, "sparse-named", sparse);
    DBRecordSet mixed;
    for (int n = 0; n < 4096; ++n)
        if (n % 3 == 0 || (n > 2048 && n < 3000))
            mixed.Set(n);
    AddSet(seeds, "mixed", mixed);
}
