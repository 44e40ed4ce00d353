// CFontCache: the process-wide fonts of styled grid cells, one per LOGFONT (every numeric field and the
// face name equal). A font is created on its first lookup and kept for the life of the process; the
// map's nodes go at exit, the fonts are never deleted (cells drawn earlier may still select them).
//
// An observer (tests) sees every lookup: the LOGFONT asked for, the font answered and whether it was
// made for it.
#pragma once

#include <windows.h>

class CFontCache
{
public:
    using Observer = void (*)(const LOGFONT& logFont, HFONT font, bool created);

    // The font for the LOGFONT; null when it cannot be created (then nothing is kept).
    static HFONT Lookup(const LOGFONT& logFont);
    // Null to stop observing.
    static void SetObserver(Observer observer);
};
