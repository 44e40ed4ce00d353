// A record set read from its stored form. A set that loads must keep its
// invariants: its count is its members, and it stores and loads back equal.
#include "FuzzSupport.h"

#include "database/db/DBRecordSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DBRecordSet set;
    set.Set(3);
    if (!FuzzLoad(data, size, [&](CArchive& ar) { set.Serialize(ar); })) {
        if (set.GetCount() != 0 || set.GetBlockCount() != 0)
            FuzzFinding("a failed load left members behind");
        return 0;
    }
    int members = 0;
    for (int n = set.FindNext(-1); n >= 0; n = set.FindNext(n))
        if (++members > set.GetCount())
            break;
    if (members != set.GetCount())
        FuzzFinding("the count is not the number of members");
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        set.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    DBRecordSet back;
    CArchive ar(&file, CArchive::load);
    back.Serialize(ar);
    if (!(back == set))
        FuzzFinding("a stored set loads back different");
    return 0;
}
