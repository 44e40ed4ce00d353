// The screen metrics, filled by a static initialiser that runs before the default ones.
#include "app/core/win/ScreenMetrics.h"

namespace {

ScreenMetricsRecord ReadScreenMetrics()
{
    ScreenMetricsRecord metrics = {};
    metrics.cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL);
    metrics.cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
    metrics.cxIcon = ::GetSystemMetrics(SM_CXICON);
    metrics.cyIcon = ::GetSystemMetrics(SM_CYICON);
    HDC hDC = ::GetDC(nullptr);
    // Without a screen, the usual 96 keeps conversions defined.
    metrics.logPixelsX = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSX) : 96;
    metrics.logPixelsY = hDC != nullptr ? ::GetDeviceCaps(hDC, LOGPIXELSY) : 96;
    if (hDC != nullptr)
        ::ReleaseDC(nullptr, hDC);
    return metrics;
}

} // namespace

ScreenMetricsRecord ScreenMetrics __attribute__((init_priority(200))) = ReadScreenMetrics();

void InitScreenMetrics()
{
    ScreenMetrics = ReadScreenMetrics();
}
