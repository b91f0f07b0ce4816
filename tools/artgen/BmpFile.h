// Writing BMP files field by field in three encodings, and reading them as the game does.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The pixel encodings the shipped pictures use.
enum class EBmpEncoding {
    Rgb24,     // 24 bits per pixel, uncompressed
    Indexed8,  // 8 bits per pixel with a palette of at most 256 colours
    Rgb565,    // 16 bits per pixel with bit fields: masks F800, 07E0, 001F after the header
};

// An image as palette indices; every index is below palette.size().
struct SIndexedImage {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;
    std::vector<uint8_t> index;
};

// Bottom-up files with a 14-byte file header and a 40-byte information header.
std::vector<uint8_t> EncodeBmp24(const QImage& image);
std::vector<uint8_t> EncodeBmp8(const SIndexedImage& image);
// Each channel takes the 5- or 6-bit value whose expansion by bit replication ((v << 3) | (v >> 2)
// for five bits) comes nearest; with `dither` a 4 x 4 ordered dither spreads the rounding of
// colours that have no exact 5-6-5 form. Exactly representable colours are never dithered.
std::vector<uint8_t> EncodeBmp565(const QImage& image, bool dither);

// The colour a 5-6-5 value stands for when channels are widened by bit replication, as the
// encoder reckons.
QRgb Expand565(uint16_t v);
// The 5-6-5 value nearest to a colour (no dither).
uint16_t Nearest565(QRgb c);

// Reads a BMP file with the game's own reader (platform/BmpReader), which widens 5-6-5 by
// rounding v * 255 / 31 (or / 63): one level off Expand565 for a few values. Returns a null
// image and says why when the game would refuse the file.
QImage ReadBmpAsGame(std::span<const uint8_t> file, std::string* why);
