#include "richtext/engine/TxFixedPlatform.h"

#include <cstring>

int32_t TxFixedPlatform::CharWidth(uint8_t ch)
{
    if (ch < 0x20)
        return 0;
    if (std::strchr(" il.,;:'!|", ch))
        return 4;
    if (std::strchr("mwMW", ch))
        return 12;
    return 8;
}

void TxFixedPlatform::PostQuit(int exitCode)
{
    quitCode = exitCode;
    calls.push_back("quit " + std::to_string(exitCode));
}

uintptr_t TxFixedPlatform::OpenScreenDevice()
{
    ++openDevices;
    calls.push_back("open screen");
    return kScreenDevice;
}

void TxFixedPlatform::CloseDevice(uintptr_t)
{
    --openDevices;
    calls.push_back("close device");
}

void TxFixedPlatform::DeleteFont(uintptr_t)
{
    calls.push_back("delete font");
}

void TxFixedPlatform::SetRegionRects(uintptr_t, const TxPlatformRect* rects, int32_t count)
{
    lastRegion.assign(rects, rects + count);
    calls.push_back("region " + std::to_string(count) + " rects");
}
