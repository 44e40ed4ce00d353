#include "richtext/engine/TxGeometry.h"

#include "richtext/engine/TxPlatform.h"

#include <cstring>

namespace {
int32_t Wrap(int64_t v)
{
    return int32_t(uint32_t(uint64_t(v)));
}

int32_t Add(int32_t a, int32_t b)
{
    return Wrap(int64_t(a) + b);
}

int32_t Sub(int32_t a, int32_t b)
{
    return Wrap(int64_t(a) - b);
}

uint32_t Magnitude(int32_t v)
{
    return v < 0 ? uint32_t(0) - uint32_t(v) : uint32_t(v);
}

int32_t Saturate(double v)
{
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return int32_t(v);
}

bool Overlap(const TxRect& a, const TxRect& b)
{
    return a.top < b.bottom && b.top < a.bottom && a.left < b.right && b.left < a.right;
}
} // namespace

void TxOffsetRect(TxRect& rect, int32_t dh, int32_t dv)
{
    if (dh) {
        rect.left = Add(rect.left, dh);
        rect.right = Add(rect.right, dh);
    }
    if (dv) {
        rect.top = Add(rect.top, dv);
        rect.bottom = Add(rect.bottom, dv);
    }
}

void TxInsetRect(TxRect& rect, int32_t dh, int32_t dv)
{
    rect.left = Add(rect.left, dh);
    rect.right = Sub(rect.right, dh);
    rect.top = Add(rect.top, dv);
    rect.bottom = Sub(rect.bottom, dv);
}

bool TxRectIsEmpty(const TxRect& rect)
{
    return rect.top == rect.bottom || rect.left == rect.right;
}

bool TxRectIsPoint(const TxRect& rect)
{
    return rect.top == rect.bottom && rect.left == rect.right;
}

bool TxSectRect(const TxRect* a, const TxRect* b, TxRect* out)
{
    if (!a || !b) {
        const TxRect* other = a ? a : b;
        if (out && other)
            *out = *other;
        return true;
    }
    if (!Overlap(*a, *b))
        return false;
    if (out) {
        TxRect r;
        r.top = a->top > b->top ? a->top : b->top;
        r.left = a->left > b->left ? a->left : b->left;
        r.bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
        r.right = a->right < b->right ? a->right : b->right;
        *out = r;
    }
    return true;
}

bool TxSectRectTouching(const TxRect* a, const TxRect* b, TxRect* out)
{
    if (!a || !b)
        return TxSectRect(a, b, out);
    bool vertical = a->top < b->bottom && b->top < a->bottom;
    bool overlapH = a->left < b->right && b->left < a->right;
    bool touchH = a->right == b->left || b->right == a->left;
    if (!vertical || !(overlapH || touchH))
        return false;
    if (out) {
        TxRect r;
        r.top = a->top > b->top ? a->top : b->top;
        r.bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
        if (overlapH) {
            r.left = a->left > b->left ? a->left : b->left;
            r.right = a->right < b->right ? a->right : b->right;
        } else {
            // A zero-width span where they meet: at a's left when b lies to its left.
            r.left = r.right = b->right == a->left ? a->left : a->right;
        }
        *out = r;
    }
    return true;
}

static void Bounding(const TxRect& a, const TxRect& b, TxRect& out)
{
    TxRect r;
    r.top = a.top < b.top ? a.top : b.top;
    r.left = a.left < b.left ? a.left : b.left;
    r.bottom = a.bottom > b.bottom ? a.bottom : b.bottom;
    r.right = a.right > b.right ? a.right : b.right;
    out = r;
}

void TxUnionRect(const TxRect& a, const TxRect& b, TxRect& out)
{
    if (TxRectIsPoint(a))
        out = b;
    else if (TxRectIsEmpty(b))
        out = a;
    else
        Bounding(a, b, out);
}

void TxUnionRectLoose(const TxRect& a, const TxRect& b, TxRect& out)
{
    if (TxRectIsPoint(a))
        out = b;
    else if (TxRectIsPoint(b))
        out = a;
    else
        Bounding(a, b, out);
}

bool TxRectContains(const TxRect& a, const TxRect& b)
{
    return b.top >= a.top && b.left >= a.left && b.bottom <= a.bottom && b.right <= a.right;
}

bool TxPointInRect(const TxPoint& point, const TxRect& rect)
{
    return rect.top <= point.v && point.v < rect.bottom && rect.left <= point.h && point.h < rect.right;
}

bool TxPointInMappedRect(const TxPoint& point, const TxRect& rect, const TxPoint* inset, const TxScale* scale)
{
    TxRect r = rect;
    if (scale)
        TxScaleRect(*scale, nullptr, r);
    if (inset)
        TxInsetRect(r, inset->h, inset->v);
    return TxPointInRect(point, r);
}

void TxOrderValues(int32_t& a, int32_t& b)
{
    if (a > b) {
        int32_t t = a;
        a = b;
        b = t;
    }
}

void TxSwapRectOrder(const int32_t source[4], int32_t destination[4])
{
    int32_t s[4] = {source[0], source[1], source[2], source[3]};
    destination[0] = s[1];
    destination[1] = s[0];
    destination[2] = s[3];
    destination[3] = s[2];
}

void TxRectToPlatform(const TxRect& rect, const TxPoint* offset, TxPlatformRect& out)
{
    TxRect r = rect;
    if (offset)
        TxOffsetRect(r, offset->h, offset->v);
    out.left = r.left;
    out.top = r.top;
    out.right = r.right;
    out.bottom = r.bottom;
}

int32_t TxClampCoord(int32_t value)
{
    return value > 16380 ? 16380 : value < -16380 ? -16380 : value;
}

TxFixed TxFixedMul(TxFixed a, TxFixed b)
{
    if (a == 0 || b == 0)
        return 0;
    uint32_t ma = Magnitude(a), mb = Magnitude(b);
    uint32_t lowProduct = (ma & 0xFFFF) * (mb & 0xFFFF);
    uint32_t sum =
        ma * (mb >> 16) + uint32_t((uint64_t(lowProduct) + 0x8000) >> 16) + (ma >> 16) * (mb & 0xFFFF);
    return (a < 0) != (b < 0) ? Wrap(-int64_t(sum)) : Wrap(sum);
}

TxFixed TxFixedDiv(TxFixed a, TxFixed b)
{
    if (b == 0)
        return 0;
    if (a < 0 || a > 0xFFFF)
        return Saturate(double(a) * 65536.0 / double(b));
    uint32_t shifted = uint32_t(a) << 16;
    if (b > 0)
        return Wrap(shifted / uint32_t(b));
    return Wrap(int64_t(int32_t(shifted)) / b);
}

TxFixed TxFixedRatio(int32_t numerator, int32_t denominator)
{
    int16_t d = int16_t(denominator);
    if (d == 0)
        return 0;
    return Wrap((int64_t(int16_t(numerator)) * 65536) / d);
}

TxFixed TxFixedRound(TxFixed value)
{
    return Wrap((int64_t(value) + 0x8000) & ~int64_t(0xFFFF));
}

int32_t TxScaleValue(int32_t scale, int32_t origin, int32_t& value)
{
    if (scale == 0)
        return 0;
    if (value < 0)
        origin = Wrap(-int64_t(origin));
    int32_t d = Sub(value, origin);
    int32_t result;
    if (scale < 0) {
        uint32_t m = Magnitude(scale);
        result = TxFixedDiv(d, TxFixedRatio(int32_t(m >> 16), int32_t(m & 0xFFFF)));
    } else {
        result = TxFixedMul(TxFixedRatio(scale >> 16, scale & 0xFFFF), d);
    }
    value = Add(result, origin);
    return result;
}

int16_t TxScaleShort(int32_t scale, int32_t origin, int16_t& value)
{
    if (scale == 0)
        return 0;
    int32_t wide = value;
    int32_t result = TxScaleValue(scale, origin, wide);
    value = int16_t(uint16_t(uint32_t(wide)));
    return int16_t(uint16_t(uint32_t(result)));
}

static void ScaleAbout(const TxScale& s, int32_t originV, int32_t originH, TxPoint& p)
{
    TxScaleValue(s.scale, originV, p.v);
    TxScaleValue(s.scale, originH, p.h);
}

void TxScalePoint(const TxScale& scale, const TxPoint* offset, TxPoint& point)
{
    if (scale.scale == 0)
        return;
    if (!offset) {
        ScaleAbout(scale, scale.originV, scale.originH, point);
        return;
    }
    point.v = Sub(point.v, offset->v);
    point.h = Sub(point.h, offset->h);
    ScaleAbout(scale, scale.originV, scale.originH, point);
    TxPoint moved = *offset;
    ScaleAbout(scale, 0, 0, moved);
    point.v = Add(point.v, moved.v);
    point.h = Add(point.h, moved.h);
}

void TxScaleRect(const TxScale& scale, const TxPoint* offset, TxRect& rect)
{
    TxPoint topLeft = {rect.top, rect.left};
    TxPoint bottomRight = {rect.bottom, rect.right};
    TxScalePoint(scale, offset, topLeft);
    TxScalePoint(scale, offset, bottomRight);
    rect = {topLeft.v, topLeft.h, bottomRight.v, bottomRight.h};
}

void TxMapRect(const TxScale* scale, const TxRect& source, TxRect& destination, const TxPoint* offset)
{
    destination = source;
    if (offset)
        TxOffsetRect(destination, offset->h, offset->v);
    if (scale)
        TxScaleRect(*scale, offset, destination);
}

static uint16_t Widen(uint32_t c)
{
    return c ? uint16_t((c << 8) | 0xFF) : 0;
}

void TxColorFromPlatform(uint32_t colour, TxColor& out)
{
    out.red = Widen(colour & 0xFF);
    out.green = Widen((colour >> 8) & 0xFF);
    out.blue = Widen((colour >> 16) & 0xFF);
}

void TxColorToPlatform(const TxColor& colour, uint32_t& out)
{
    out = uint32_t(colour.red >> 8) | uint32_t(colour.green >> 8) << 8 | uint32_t(colour.blue >> 8) << 16;
}

bool TxEqualColor(const TxColor& a, const TxColor& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool TxEqualWords(const void* a, const void* b, int32_t length)
{
    return length < 2 || std::memcmp(a, b, size_t(length / 2) * 2) == 0;
}

bool TxZeroWords(const void* p, int32_t length)
{
    auto* bytes = static_cast<const unsigned char*>(p);
    for (int32_t i = 0; i < length / 2 * 2; ++i)
        if (bytes[i])
            return false;
    return true;
}

uint32_t TxPackFlags(const int16_t* record)
{
    uint32_t mask = 0;
    for (int i = 0; i < 32; ++i)
        if (record[i + 1])
            mask |= 1u << i;
    return mask;
}

void TxUnpackFlags(uint32_t mask, int16_t* record)
{
    for (int i = 0; i < 32; ++i)
        record[i + 1] = (mask >> i) & 1 ? -1 : 0;
}
