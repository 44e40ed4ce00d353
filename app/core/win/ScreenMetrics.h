// The screen's measures every point-to-pixel conversion of the shell uses, read once before any other
// static object of the program is made (and so before the application object starts).
#pragma once

#include <windows.h>

struct ScreenMetricsRecord
{
    int cxVScroll; // width of a vertical scroll bar
    int cyHScroll; // height of a horizontal scroll bar
    int cxIcon;
    int cyIcon;
    int logPixelsX; // the screen's logical pixels per inch
    int logPixelsY; // the "screen dpi" of point sizes
};

extern ScreenMetricsRecord ScreenMetrics;

// Reads the metrics again (the static initialiser calls it; tests may).
void InitScreenMetrics();
