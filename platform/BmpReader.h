// Decoding of Windows BMP files into a Bitmap, checked against the bytes really present.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/Bitmap.h"

// Decodes a whole BMP file held in memory. Reads files with an information header of 40 bytes
// or more, uncompressed or with bit fields, at 1, 4, 8, 16, 24 or 32 bits per pixel, bottom-up
// or top-down. Run-length-compressed and OS/2 files are refused, and so is every file whose
// sizes do not add up; `out` is changed only on success. On failure `why`, when given, says
// what was wrong in one short phrase.
bool DecodeBmp(std::span<const uint8_t> file, Bitmap& out, std::string* why = nullptr);
