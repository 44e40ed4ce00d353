#include "richtext/engine/TxStyleInfo.h"

#include <cstring>

namespace {
int32_t ComparableSheet(int32_t sheet, uint32_t flagWord)
{
    return (flagWord & kTxDefinitionFlag) || sheet <= 0 ? sheet : -sheet;
}
} // namespace

bool TxEqualStyles(const TxStyleInfo& a, const TxStyleInfo& b)
{
    TxStyleInfo x = a, y = b;
    x.styleSheet = ComparableSheet(a.styleSheet, a.flagWord);
    y.styleSheet = ComparableSheet(b.styleSheet, b.flagWord);
    return std::memcmp(&x, &y, kTxStylePlainBytes) == 0 && x.objectRefValue == y.objectRefValue &&
           x.objectId == y.objectId && x.value32b == y.value32b;
}

bool TxEqualPars(const TxParInfo& a, const TxParInfo& b)
{
    TxParInfo x = a, y = b;
    x.styleSheet = ComparableSheet(a.styleSheet, a.flagWord);
    y.styleSheet = ComparableSheet(b.styleSheet, b.flagWord);
    return std::memcmp(&x, &y, kTxParPlainBytes) == 0;
}

void TxNormalizeStyleForList(TxStyleInfo& style)
{
    style.styleSheet = ComparableSheet(style.styleSheet, style.flagWord);
    style.flagWord &= kTxKeptFlagBits | kTxDefinitionFlag;
}

void TxNormalizeParForList(TxParInfo& par)
{
    par.styleSheet = ComparableSheet(par.styleSheet, par.flagWord);
    par.flagWord &= kTxKeptFlagBits | kTxDefinitionFlag;
}

void TxFillStyle(TxStyleInfo& record, uint8_t byte)
{
    std::memset(&record, byte, sizeof record);
}

void TxClearMaskWhereDifferent(const void* a, const void* b, void* mask, int32_t length)
{
    auto* x = static_cast<const uint8_t*>(a);
    auto* y = static_cast<const uint8_t*>(b);
    auto* m = static_cast<uint8_t*>(mask);
    for (int32_t i = 0; i + 1 < length; i += 2)
        if (x[i] != y[i] || x[i + 1] != y[i + 1])
            m[i] = m[i + 1] = 0;
}
