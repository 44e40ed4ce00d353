// The system metrics records, read by a static initialiser that runs before the default ones.
#include "app/core/win/SystemMetrics.h"

namespace {

const UINT kNonClientMetricsSize = 340; // the record as the program knows it

NONCLIENTMETRICS ReadNonClientMetrics()
{
    NONCLIENTMETRICS metrics = {};
    metrics.cbSize = kNonClientMetricsSize;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
    return metrics;
}

LOGFONT ReadIconTitleLogFont()
{
    LOGFONT font = {};
    ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0);
    return font;
}

} // namespace

static_assert(sizeof(NONCLIENTMETRICS) == kNonClientMetricsSize, "the record the program knows");

NONCLIENTMETRICS SystemNonClientMetrics __attribute__((init_priority(200))) = ReadNonClientMetrics();
LOGFONT IconTitleLogFont __attribute__((init_priority(200))) = ReadIconTitleLogFont();
