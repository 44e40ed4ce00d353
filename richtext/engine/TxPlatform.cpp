#include "richtext/engine/TxPlatform.h"

namespace {
TxPlatform*& Installed()
{
    static TxPlatform* platform = nullptr;
    return platform;
}
} // namespace

TxPlatform& TxCurrentPlatform()
{
    TxPlatform* p = Installed();
    return p ? *p : TxBuildPlatform();
}

void TxSetPlatform(TxPlatform* platform)
{
    Installed() = platform;
}
