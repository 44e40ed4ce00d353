// Styled strings and arrays of them. Byte 0: even reads one styled string
// (then its runs alone again), odd an array.
#include "FuzzSupport.h"

#include "database/text/StyledStringArchive.h"
#include "database/text/StyledStringArray.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    if (data[0] % 2 == 0)
    {
        FuzzLoad(data + 1, size - 1, [](CArchive& ar) {
            StyledString s;
            ReadStyledString(ar, s);
            StyleRunArray runs;
            ReadStyleRuns(ar, runs);
        });
    }
    else
    {
        FuzzLoad(data + 1, size - 1, [](CArchive& ar) {
            CStyledStringArray strings;
            strings.Serialize(ar);
        });
    }
    return 0;
}
