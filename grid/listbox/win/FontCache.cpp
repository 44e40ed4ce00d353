#include "grid/listbox/win/FontCache.h"

#include <string.h>

#include <map>
#include <string>

namespace {

// The LOGFONT's numeric fields as bytes, then the face up to its NUL: equal keys, equal fonts.
std::string KeyOf(const LOGFONT& lf)
{
    char face[LF_FACESIZE + 1] = {};
    memcpy(face, lf.lfFaceName, LF_FACESIZE);
    std::string key(reinterpret_cast<const char*>(&lf), offsetof(LOGFONT, lfFaceName));
    key.append(face);
    return key;
}

std::map<std::string, HFONT>& Fonts()
{
    static std::map<std::string, HFONT> fonts;
    return fonts;
}

CFontCache::Observer s_observer = nullptr;

} // namespace

HFONT CFontCache::Lookup(const LOGFONT& logFont)
{
    const std::string key = KeyOf(logFont);
    auto found = Fonts().find(key);
    const bool created = found == Fonts().end();
    HFONT font = created ? ::CreateFontIndirect(&logFont) : found->second;
    if (created && font)
        Fonts().emplace(key, font);
    if (s_observer)
        s_observer(logFont, font, created);
    return font;
}

void CFontCache::SetObserver(Observer observer)
{
    s_observer = observer;
}
