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

void TxFixedPlatform::Measure(const uint8_t* text, int32_t count, int32_t x, int32_t* positions,
                              uint16_t* types)
{
    static const struct
    {
        uint8_t ch;
        uint16_t type;
    } kTypes[] = {{' ', 0x0003}, {'-', 0x0008}, {9, 0x0442}, {10, 0x0240},
                  {13, 0x0140},  {12, 0x8040},  {14, 0x4040}};
    for (int32_t i = 0; i < count; ++i) {
        positions[i] = x;
        x += CharWidth(text[i]);
        types[i] = text[i] < 0x20 ? 0x0040 : 0;
        for (const auto& entry : kTypes)
            if (entry.ch == text[i])
                types[i] = entry.type;
    }
    positions[count] = x;
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
