// A deterministic platform for native tests and fuzzing: fixed answers, widths from a fixed table,
// fixed ascent and descent, and a device that records the calls made to it.
#pragma once

#include "richtext/engine/TxPlatform.h"

#include <string>
#include <vector>

class TxFixedPlatform : public TxPlatform
{
public:
    static constexpr int32_t kAscent = 12;
    static constexpr int32_t kDescent = 4;
    static constexpr int32_t kPixelsPerInch = 96;
    static constexpr uintptr_t kScreenDevice = 0x5C;

    // Width of a character: 8 for most, 4 for the narrow ones (space, i, l, punctuation), 12 for
    // the wide ones (m, w, M, W), 0 below the space.
    static int32_t CharWidth(uint8_t ch);
    // Measures count bytes from x: positions[0..count] cumulative lefts (positions[count] the right
    // edge), types the classes of each byte (blank and word end for a space, hyphenation point for a
    // hyphen, the control classes for tab, soft line break, paragraph end and the break characters).
    static void Measure(const uint8_t* text, int32_t count, int32_t x, int32_t* positions, uint16_t* types);

    void PostQuit(int exitCode) override;
    bool InputWaiting() override { return inputWaiting; }
    uint16_t SystemLanguage() override { return language; }
    uintptr_t OpenScreenDevice() override;
    void CloseDevice(uintptr_t device) override;
    int32_t PixelsPerInch(uintptr_t) override { return kPixelsPerInch; }
    void DeleteFont(uintptr_t font) override;
    void SetRegionRects(uintptr_t region, const TxPlatformRect* rects, int32_t count) override;

    // What the engine asked, one line a call ("quit 1", "open screen", "region 3 rects", ...).
    std::vector<std::string> calls;
    int quitCode = -1; // the last exit code posted, -1 when none
    bool inputWaiting = false;
    uint16_t language = 0x0409;
    int openDevices = 0; // screen devices opened and not yet closed
    std::vector<TxPlatformRect> lastRegion;
};
