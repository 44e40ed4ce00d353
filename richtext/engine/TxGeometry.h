// The engine's coordinate types and the small pure functions over them: rectangles and points,
// 16.16 fixed point, the scale (zoom) transform, colours and word comparisons. Nothing here
// allocates or touches a device.
//
// Overflow: every sum, difference and product of coordinates and fixed-point values is taken
// modulo 2^32 (two's complement wrap-around, never undefined behaviour); a floating-point quotient
// outside the 32-bit range saturates to INT32_MIN or INT32_MAX; a zero divisor gives 0.
#pragma once

#include <cstdint>

struct TxPlatformRect;
struct TxGlobals;

struct TxPoint
{
    int32_t v, h;
};

// Covers top <= v < bottom and left <= h < right; empty when top = bottom or left = right.
struct TxRect
{
    int32_t top, left, bottom, right;
};

// Origin and scale: numerator in the high 16 bits, denominator in the low 16 bits; 0 means no
// scaling, a negative scale the inverse transform.
struct TxScale
{
    int32_t originV, originH;
    int32_t scale;
};

// Three 16-bit components; white is 0xFFFF each.
struct TxColor
{
    uint16_t red, green, blue;
};

using TxFixed = int32_t; // 16.16, 1.0 = 0x10000

inline int32_t TxScaleOf(int16_t numerator, int16_t denominator)
{
    return int32_t((uint32_t(uint16_t(numerator)) << 16) | uint16_t(denominator));
}

// Rectangles and points.
void TxOffsetRect(TxRect& rect, int32_t dh, int32_t dv);
void TxInsetRect(TxRect& rect, int32_t dh, int32_t dv);
bool TxRectIsEmpty(const TxRect& rect);
bool TxRectIsPoint(const TxRect& rect);
// True when both overlap with positive area, the intersection then written to out (when given);
// a null a or b stands for everything.
bool TxSectRect(const TxRect* a, const TxRect* b, TxRect* out);
// Also true for rectangles that only touch side by side (with a vertical overlap); out then
// gets the vertical overlap and a zero-width span where they meet.
bool TxSectRectTouching(const TxRect* a, const TxRect* b, TxRect* out);
void TxUnionRect(const TxRect& a, const TxRect& b, TxRect& out);
void TxUnionRectLoose(const TxRect& a, const TxRect& b, TxRect& out);
bool TxRectContains(const TxRect& a, const TxRect& b);
bool TxPointInRect(const TxPoint& point, const TxRect& rect);
bool TxPointInMappedRect(const TxPoint& point, const TxRect& rect, const TxPoint* inset,
                         const TxScale* scale);
void TxOrderValues(int32_t& a, int32_t& b);
// Between the engine order (top, left, bottom, right) and the platform's (left, top, right,
// bottom); the same operation serves both ways.
void TxSwapRectOrder(const int32_t source[4], int32_t destination[4]);
void TxRectToPlatform(const TxRect& rect, const TxPoint* offset, TxPlatformRect& out);
int32_t TxClampCoord(int32_t value);

// Fixed point.
TxFixed TxFixedMul(TxFixed a, TxFixed b);
TxFixed TxFixedDiv(TxFixed a, TxFixed b);
TxFixed TxFixedRatio(int32_t numerator, int32_t denominator);
TxFixed TxFixedRound(TxFixed value);

// Scaling: the scaled offset from the origin, the value moved to origin + that offset.
int32_t TxScaleValue(int32_t scale, int32_t origin, int32_t& value);
int16_t TxScaleShort(int32_t scale, int32_t origin, int16_t& value);
void TxScalePoint(const TxScale& scale, const TxPoint* offset, TxPoint& point);
void TxScaleRect(const TxScale& scale, const TxPoint* offset, TxRect& rect);
void TxMapRect(const TxScale* scale, const TxRect& source, TxRect& destination, const TxPoint* offset);

// Colours; a platform colour is 0x00BBGGRR.
void TxColorFromPlatform(uint32_t colour, TxColor& out);
void TxColorToPlatform(const TxColor& colour, uint32_t& out);
bool TxEqualColor(const TxColor& a, const TxColor& b);

// Words.
bool TxEqualWords(const void* a, const void* b, int32_t length);
bool TxZeroWords(const void* p, int32_t length);
// Bit i set when 16-bit word i + 1 of the record is non-zero (32 words after the first).
uint32_t TxPackFlags(const int16_t* record);
void TxUnpackFlags(uint32_t mask, int16_t* record);
