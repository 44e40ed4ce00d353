// Call-number keys of arbitrary text: the key never passes its 256 bytes.
#include "FuzzSupport.h"

#include "database/sort/AccentFold.h"
#include "database/sort/CallNumberSortKey.h"

#include <string.h>

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool folded = (BuildAccentFoldTable(), true);
    (void)folded;
    std::string text(reinterpret_cast<const char*>(data), size);
    char key[256];
    MakeCallNumberSortKey(key, text.c_str());
    if (strlen(key) > 255)
        FuzzFinding("call-number key too long");
    return 0;
}
