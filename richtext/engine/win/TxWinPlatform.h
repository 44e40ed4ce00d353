// The engine's platform over Win32: the Windows build's own platform (TxBuildPlatform).
#pragma once

#include "richtext/engine/TxPlatform.h"

class TxWinPlatform : public TxPlatform
{
public:
    void PostQuit(int exitCode) override;
    bool InputWaiting() override;
    uint16_t SystemLanguage() override;
    uintptr_t OpenScreenDevice() override;
    void CloseDevice(uintptr_t device) override;
    int32_t PixelsPerInch(uintptr_t device) override;
    void DeleteFont(uintptr_t font) override;
    void SetRegionRects(uintptr_t region, const TxPlatformRect* rects, int32_t count) override;
};
