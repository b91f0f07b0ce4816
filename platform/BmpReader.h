// Decoding of Windows BMP files into a Bitmap, checked against the bytes really present.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Bitmap.h"

// The largest picture DecodeBmp reads: pixels a side, and pixels in all (128 MB decoded).
constexpr int kBmpMaxSide = 16384;
constexpr int64_t kBmpMaxPixels = int64_t{1} << 25;

// Decodes a whole BMP file held in memory. Reads files with an information header of 40 bytes
// or more, uncompressed or with bit fields, at 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up
// or top-down. Run-length-compressed and OS/2 files are refused, and so is every file whose
// sizes do not add up; `out` is changed only on success. On failure `why`, when given, says
// what was wrong in one short phrase. Pixels whose colour index lies beyond a short colour
// table are black; alpha is ignored. Pictures beyond the limits above are refused.
bool DecodeBmp(std::span<const uint8_t> file, Bitmap& out, std::string* why = nullptr);
