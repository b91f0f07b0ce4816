// Pixel helpers of the artwork generator: colour arithmetic, hashed noise and coverage masks.
#pragma once

#include <QImage>
#include <QPainter>
#include <cstdint>
#include <functional>
#include <vector>

// Magenta, left out of every keyed copy.
constexpr QRgb kMagenta = 0xFFFF00FFU;

// a + (b - a) * t per channel, rounded; t is clamped to 0..1.
QRgb MixRgb(QRgb a, QRgb b, double t);
// Adds delta to every channel, clamped to 0..255.
QRgb AddRgb(QRgb c, double delta);
// Adds a separate delta to each channel, clamped to 0..255.
QRgb AddRgb(QRgb c, double dr, double dg, double db);

// Deterministic noise: Hash01 is white noise in [0, 1) per integer point, ValueNoise a smooth
// interpolation of it, Fbm a sum of octaves of ValueNoise scaled to about [-1, 1].
double Hash01(uint32_t seed, int x, int y);
double ValueNoise(uint32_t seed, double x, double y);
double Fbm(uint32_t seed, double x, double y, int octaves);

// An 8-bit coverage mask: 0 is none, 255 full.
struct SMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;

    uint8_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) {
            return 0;
        }
        return alpha[static_cast<std::size_t>(y * width + x)];
    }
};

// Runs `paint` on a transparent w x h canvas (antialiasing on) and keeps the coverage.
SMask PaintMask(int w, int h, const std::function<void(QPainter&)>& paint);

// Blends `ink` over the image through the mask placed at (dx, dy). The coverage is rounded to
// `levels` steps first, so that a sheet drawn with a few inks keeps few distinct colours.
void CompositeMask(QImage& image, const SMask& mask, int dx, int dy, QRgb ink, int levels = 16);

// The pixel of an RGB32 image, for reading and writing without bounds checks.
inline QRgb& PixelRef(QImage& image, int x, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
}

// A box blur of the mask, applied twice (close to a small Gaussian), for soft shadows.
SMask BlurMask(const SMask& mask, int radius);
// Darkens (or lightens, with a negative amount) every pixel by amount * coverage / 255 of
// its own value, keeping its hue.
void ShadeMask(QImage& image, const SMask& mask, int dx, int dy, double amount);
