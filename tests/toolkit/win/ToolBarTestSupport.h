// Strip bitmaps for toolbar tests, drawn here.
#pragma once

#include "classlib/Types.h"

#include <cstring>
#include <vector>

// A packed 4-bit DIB: nImages images of 16 x 15 in light grey (the face), each with a black 6 x 6 square
// at (5, 5), and a colour table of black, dark grey, light grey, white and red.
inline std::vector<BYTE> StripDib(int nImages, const std::vector<BYTE>& firstRow = {})
{
    const int cx = 16 * nImages, cy = 15;
    const int nStride = ((cx * 4 + 31) / 32) * 4;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = cx;
    header.biHeight = cy;
    header.biPlanes = 1;
    header.biBitCount = 4;
    std::vector<BYTE> dib(sizeof header + 16 * 4 + static_cast<size_t>(nStride * cy));
    std::memcpy(dib.data(), &header, sizeof header);
    const RGBQUAD table[5] = {
        {0, 0, 0, 0}, {0x80, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0}, {0xFF, 0xFF, 0xFF, 0}, {0, 0, 0xFF, 0}};
    std::memcpy(dib.data() + sizeof header, table, sizeof table);
    BYTE* bits = dib.data() + sizeof header + 16 * 4;
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const int xi = x % 16, yTop = cy - 1 - y; // bottom-up rows
            BYTE index = (xi >= 5 && xi < 11 && yTop >= 5 && yTop < 11) ? 0 : 2;
            if (yTop == 0 && static_cast<size_t>(x) < firstRow.size())
                index = firstRow[static_cast<size_t>(x)];
            BYTE& b = bits[y * nStride + x / 2];
            b = static_cast<BYTE>((x & 1) ? (b & 0xF0) | index : (b & 0x0F) | (index << 4));
        }
    }
    return dib;
}
