// Test support: a synthetic skin whose every pixel tells where it came from, and BMP files of it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/ByteIO.h"
#include "platform/Bitmap.h"
#include "platform/FileIO.h"

namespace testsupport {

// The board picture: every pixel a colour of its own position (blue 1..4, never a sheet
// colour), so that an offset picture is seen at once.
inline uint32_t BoardPixel(int x, int y) {
    return Rgb(x % 256, y % 256, 1 + (x / 256) * 2 + (y / 256));
}

inline Bitmap MakeBoard(int w = 480, int h = 272) {
    Bitmap bmp(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bmp.Set(x, y, BoardPixel(x, y));
        }
    }
    return bmp;
}

// The glyph sheet, 231 x 84: ink pixels carry their own source position, Rgb(sx, sy, 0xA0);
// holes are magenta. Digits have a 9 x 9 block of ink in the middle of their 21 x 21 cell,
// pencil marks a 4 x 4 block inside their 6 x 6 cell, the two frames a one-pixel ring; the
// unused corners are all ink.
constexpr int kSheetW = 231;
constexpr int kSheetH = 84;

inline bool IsSheetHole(int sx, int sy) {
    if (sx < 189) {  // digits
        const int i = sx % 21;
        const int j = sy % 21;
        return !(i >= 6 && i <= 14 && j >= 6 && j <= 14);
    }
    if (sx < 207) {  // pencil marks, normal (y 0..17) and illegal (y 42..59)
        const bool marks = sy < 18 || (sy >= 42 && sy < 60);
        if (!marks) {
            return false;
        }
        const int i = (sx - 189) % 6;
        const int j = (sy < 42 ? sy : sy - 42) % 6;
        return !(i >= 1 && i <= 4 && j >= 1 && j <= 4);
    }
    if (sx < 210) {
        return false;
    }
    if (sy < 21 || sy >= 63) {
        return false;
    }
    const int i = sx - 210;
    const int j = sy % 21;
    return !(i == 0 || j == 0 || i == 20 || j == 20);  // frames
}

inline uint32_t SheetPixel(int sx, int sy) {
    return IsSheetHole(sx, sy) ? kKeyColour : Rgb(sx, sy, 0xA0);
}

inline Bitmap MakeSheet() {
    Bitmap bmp(kSheetW, kSheetH);
    for (int y = 0; y < kSheetH; ++y) {
        for (int x = 0; x < kSheetW; ++x) {
            bmp.Set(x, y, SheetPixel(x, y));
        }
    }
    return bmp;
}

// How many ink pixels of the size x size glyph at (sx, sy) of the sheet show at (x, y) of the
// image, and how many it has.
inline int GlyphPixelsAt(const Bitmap& image, int sx, int sy, int size, int x, int y) {
    int n = 0;
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            const int tx = x + i;
            const int ty = y + j;
            if (!IsSheetHole(sx + i, sy + j) && tx >= 0 && ty >= 0 && tx < image.width &&
                ty < image.height && image.At(tx, ty) == SheetPixel(sx + i, sy + j)) {
                ++n;
            }
        }
    }
    return n;
}

inline int GlyphInk(int sx, int sy, int size) {
    int n = 0;
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            n += IsSheetHole(sx + i, sy + j) ? 0 : 1;
        }
    }
    return n;
}

// A 24-bit bottom-up BMP file of the bitmap.
inline std::vector<uint8_t> BmpBytes(const Bitmap& bmp) {
    const int stride = (bmp.width * 3 + 3) / 4 * 4;
    const int imageBytes = stride * bmp.height;
    std::vector<uint8_t> b(static_cast<std::size_t>(54 + imageBytes), 0);
    b[0] = 'B';
    b[1] = 'M';
    byteio::Put32(&b[2], 54 + imageBytes);
    byteio::Put32(&b[10], 54);
    byteio::Put32(&b[14], 40);
    byteio::Put32(&b[18], bmp.width);
    byteio::Put32(&b[22], bmp.height);
    b[26] = 1;
    b[28] = 24;
    byteio::Put32(&b[34], imageBytes);
    for (int y = 0; y < bmp.height; ++y) {
        uint8_t* row = &b[static_cast<std::size_t>(54 + (bmp.height - 1 - y) * stride)];
        for (int x = 0; x < bmp.width; ++x) {
            const uint32_t p = bmp.At(x, y);
            row[x * 3 + 0] = static_cast<uint8_t>(p);
            row[x * 3 + 1] = static_cast<uint8_t>(p >> 8U);
            row[x * 3 + 2] = static_cast<uint8_t>(p >> 16U);
        }
    }
    return b;
}

inline bool WriteBmp(const std::filesystem::path& path, const Bitmap& bmp) {
    std::filesystem::create_directories(path.parent_path());
    return fileio::WriteFileAtomically(path, BmpBytes(bmp));
}

}  // namespace testsupport
