// The native build's own platform: the deterministic one. (The Windows build's is in win/.)
#ifndef _WIN32
#include "richtext/engine/TxFixedPlatform.h"

TxPlatform& TxBuildPlatform()
{
    static TxFixedPlatform platform;
    return platform;
}
#endif
