// The engine's one narrow interface to the platform.
//
// Two implementations: the real one over Win32 (win/TxWinPlatform, Windows build) and
// TxFixedPlatform, deterministic, for native tests and fuzzing. TxCurrentPlatform() is the
// installed one, else the build's own (the real one under Windows, a TxFixedPlatform natively).
// The engine calls it from the user-interface thread only. Devices, fonts and regions cross it as
// opaque handle values; 0 is "none".
#pragma once

#include <cstdint>

// A rectangle in the platform's order.
struct TxPlatformRect
{
    int32_t left, top, right, bottom;
};

class TxPlatform
{
public:
    virtual ~TxPlatform() = default;

    // Posts the quit message with this exit code to the thread's message queue.
    virtual void PostQuit(int exitCode) = 0;
    // Whether character or key-down messages wait in the queue (drawing may then be deferred).
    virtual bool InputWaiting() = 0;
    // The system's default language identifier (primary language in the low 10 bits).
    virtual uint16_t SystemLanguage() = 0;
    // A device context of the screen, 0 when none can be had; CloseDevice releases it.
    virtual uintptr_t OpenScreenDevice() = 0;
    virtual void CloseDevice(uintptr_t device) = 0;
    // Vertical device units per inch.
    virtual int32_t PixelsPerInch(uintptr_t device) = 0;
    // Deletes a font object the engine created.
    virtual void DeleteFont(uintptr_t font) = 0;
    // Makes the region exactly the union of the rectangles (empty for a count of 0).
    virtual void SetRegionRects(uintptr_t region, const TxPlatformRect* rects, int32_t count) = 0;
};

TxPlatform& TxCurrentPlatform();
// Installs a platform (null puts the build's own back); the caller keeps it alive while installed.
void TxSetPlatform(TxPlatform* platform);
// The build's own platform.
TxPlatform& TxBuildPlatform();
