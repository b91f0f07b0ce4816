// Encoding a Bitmap as a PNG file (8-bit RGB, no interlace).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

// The PNG bytes of a bitmap; empty when the bitmap is null or compression failed. Compressed
// with libpng in the native build, EncodePngStored's bytes where there is no zlib (the browser
// edition).
std::vector<uint8_t> EncodePng(const Bitmap& image);

// The PNG bytes of a bitmap with its pixels in stored deflate blocks: the same pixels as
// EncodePng's, larger, without zlib. Empty when the bitmap is null.
std::vector<uint8_t> EncodePngStored(const Bitmap& image);

// Writes the bitmap as a PNG file through fileio::WriteFile (a file is replaced only by a
// whole one; links are followed, devices and standard output written in place). False, with
// the reason in `why`, when it could not be encoded or written.
bool WritePng(const std::filesystem::path& path, const Bitmap& image, std::string* why = nullptr);
