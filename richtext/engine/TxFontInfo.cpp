#include "richtext/engine/TxFontInfo.h"

#include <cstring>

namespace {
int32_t ZeroTerminatedLength(const uint8_t* s)
{
    int32_t n = 0;
    while (n < kTxFontNameBytes && s[n])
        ++n;
    return n;
}
} // namespace

int32_t TxFontName(const TxFontInfo& font, bool alternate, const uint8_t*& characters)
{
    const uint8_t* stored = alternate ? font.alternateName : font.name;
    bool zeroTerminated =
        font.flags & (alternate ? kTxFontAlternateZeroTerminated : kTxFontNameZeroTerminated);
    if (zeroTerminated) {
        characters = stored;
        return ZeroTerminatedLength(stored);
    }
    characters = stored + 1;
    return stored[0] < kTxFontNameBytes ? stored[0] : kTxFontNameBytes - 1;
}

int32_t TxCompareFont(const TxFontInfo& a, const TxFontInfo& b, bool alternate)
{
    const uint8_t *ca, *cb;
    int32_t na = TxFontName(a, alternate, ca);
    int32_t nb = TxFontName(b, alternate, cb);
    int c = std::memcmp(ca, cb, size_t(na < nb ? na : nb));
    if (c)
        return c < 0 ? -1 : 1;
    return na == nb ? 0 : na < nb ? -1 : 1;
}

void TxSetFontName(TxFontInfo& font, const char* name)
{
    size_t n = std::strlen(name);
    if (n > kTxFontNameBytes - 1)
        n = kTxFontNameBytes - 1;
    std::memset(font.name, 0, sizeof font.name);
    font.name[0] = uint8_t(n);
    std::memcpy(font.name + 1, name, n);
    font.flags &= uint8_t(~kTxFontNameZeroTerminated);
}

void TxResolveFont(TxFontInfo& font)
{
    if (!(font.flags & kTxFontUseAlternate))
        return;
    std::memcpy(font.name, font.alternateName, sizeof font.name);
    if (font.flags & kTxFontAlternateZeroTerminated)
        font.flags |= kTxFontNameZeroTerminated;
    else
        font.flags &= uint8_t(~kTxFontNameZeroTerminated);
}

int32_t TxMaskedCopy(void* destination, const void* value, const void* mask, int32_t length)
{
    auto* d = static_cast<uint8_t*>(destination);
    auto* v = static_cast<const uint8_t*>(value);
    auto* m = static_cast<const uint8_t*>(mask);
    int32_t changed = 0;
    for (int32_t i = 0; i + 1 < length; i += 2) {
        if ((m[i] | m[i + 1]) == 0)
            continue;
        if (d[i] != v[i] || d[i + 1] != v[i + 1]) {
            d[i] = v[i];
            d[i + 1] = v[i + 1];
            changed = 1;
        }
    }
    return changed;
}
