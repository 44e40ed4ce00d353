// The default tab width: the next stop after x and the alignment of the text that follows it.
#include "richtext/engine/TxTabStops.h"

#include <algorithm>

namespace {
// Width of the text after the tab up to the next tab or control character (or decimal point).
int32_t FollowingWidth(const TxTabRequest& r, bool decimal, bool& empty)
{
    const TxMeasuredText& t = *r.text;
    int32_t end = r.after;
    const uint32_t stopAt = kTxCharTab | kTxCharControl | (decimal ? uint32_t(kTxCharDecimal) : 0u);
    while (end < t.count && !(TxClassAt(t, end) & stopAt))
        ++end;
    empty = end <= r.after;
    return empty ? 0 : t.positions[end] - t.positions[r.after];
}
} // namespace

int32_t TxTabEnd(const TxTabRequest& r)
{
    const TxParInfo& par = *r.par;
    const int32_t spacing = std::max(par.defaultTabSpacing, 1);
    if (par.table[1] > 0)
        return r.x;
    if (r.fixedTabs)
        return r.x + spacing;
    const int32_t from = r.x + 1;
    const TxTabStop* stop = nullptr;
    for (int32_t i = 0; i < std::clamp<int32_t>(par.tabCount, 0, kTxMaxTabStops); ++i) {
        const int32_t at = par.tabs[i].position + r.base;
        if (at > from && at < r.limit && (!stop || at < stop->position + r.base))
            stop = &par.tabs[i];
    }
    const int32_t hanging = r.base + par.indents[0] + std::max(par.indents[2], 0);
    if (!stop) {
        if (hanging > 0 && hanging > from)
            return hanging;
        return r.base + ((from - r.base) / spacing + 1) * spacing;
    }
    const int32_t at = stop->position + r.base;
    if (hanging > r.x && hanging < at)
        return hanging;
    if (stop->kind < kTxTabCentre || stop->kind > kTxTabDecimal || !r.text)
        return at;
    bool empty = false;
    const int32_t width = FollowingWidth(r, stop->kind == kTxTabDecimal, empty);
    if (empty)
        return at;
    return std::max(at - (stop->kind == kTxTabCentre ? width / 2 : width), r.x);
}
