// Pixel helpers of the artwork generator: colour arithmetic, hashed noise and coverage masks.
#include "tools/artgen/Raster.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampChannel(double v) {
    return static_cast<int>(std::clamp(std::lround(v), 0L, 255L));
}

uint32_t Mix32(uint32_t h) {
    h ^= h >> 16U;
    h *= 0x7FEB352DU;
    h ^= h >> 15U;
    h *= 0x846CA68BU;
    h ^= h >> 16U;
    return h;
}

double Smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

}  // namespace

QRgb MixRgb(QRgb a, QRgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return qRgb(ClampChannel(qRed(a) + (qRed(b) - qRed(a)) * t),
                ClampChannel(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                ClampChannel(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

QRgb AddRgb(QRgb c, double delta) {
    return AddRgb(c, delta, delta, delta);
}

QRgb AddRgb(QRgb c, double dr, double dg, double db) {
    return qRgb(ClampChannel(qRed(c) + dr), ClampChannel(qGreen(c) + dg),
                ClampChannel(qBlue(c) + db));
}

double Hash01(uint32_t seed, int x, int y) {
    uint32_t h = Mix32(seed ^ 0x9E3779B9U);
    h = Mix32(h ^ static_cast<uint32_t>(x));
    h = Mix32(h ^ static_cast<uint32_t>(y) * 0x85EBCA6BU);
    return static_cast<double>(h >> 8U) / 16777216.0;
}

double ValueNoise(uint32_t seed, double x, double y) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Smooth(x - fx);
    const double ty = Smooth(y - fy);
    const double a = Hash01(seed, ix, iy);
    const double b = Hash01(seed, ix + 1, iy);
    const double c = Hash01(seed, ix, iy + 1);
    const double d = Hash01(seed, ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fbm(uint32_t seed, double x, double y, int octaves) {
    double sum = 0.0;
    double amplitude = 1.0;
    double norm = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += (ValueNoise(seed + static_cast<uint32_t>(i) * 101U, x, y) * 2.0 - 1.0) * amplitude;
        norm += amplitude;
        amplitude *= 0.5;
        x *= 2.0;
        y *= 2.0;
    }
    return sum / norm * 1.6;
}

SMask PaintMask(int w, int h, const std::function<void(QPainter&)>& paint) {
    QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setPen(Qt::white);
        painter.setBrush(Qt::white);
        paint(painter);
    }
    SMask mask;
    mask.width = w;
    mask.height = h;
    mask.alpha.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            mask.alpha[static_cast<std::size_t>(y * w + x)] = static_cast<uint8_t>(qAlpha(line[x]));
        }
    }
    return mask;
}

void CompositeMask(QImage& image, const SMask& mask, int dx, int dy, QRgb ink, int levels) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int px = x + dx;
            const int py = y + dy;
            const int a = mask.At(x, y);
            if (a == 0 || px < 0 || py < 0 || px >= image.width() || py >= image.height()) {
                continue;
            }
            const int step = (a * levels + 127) / 255;
            if (step == 0) {
                continue;
            }
            QRgb& p = PixelRef(image, px, py);
            p = MixRgb(p, ink, static_cast<double>(step) / levels);
        }
    }
}

SMask BlurMask(const SMask& mask, int radius) {
    SMask a = mask;
    SMask b = mask;
    const int n = 2 * radius + 1;
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < a.height; ++y) {  // horizontal into b
            for (int x = 0; x < a.width; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    sum += a.At(x + k, y);
                }
                b.alpha[static_cast<std::size_t>(y * a.width + x)] = static_cast<uint8_t>(sum / n);
            }
        }
        for (int y = 0; y < a.height; ++y) {  // vertical back into a
            for (int x = 0; x < a.width; ++x) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    sum += b.At(x, y + k);
                }
                a.alpha[static_cast<std::size_t>(y * a.width + x)] = static_cast<uint8_t>(sum / n);
            }
        }
    }
    return a;
}

void ShadeMask(QImage& image, const SMask& mask, int dx, int dy, double amount) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int px = x + dx;
            const int py = y + dy;
            const int a = mask.At(x, y);
            if (a == 0 || px < 0 || py < 0 || px >= image.width() || py >= image.height()) {
                continue;
            }
            QRgb& p = PixelRef(image, px, py);
            const double f = 1.0 - amount * a / 255.0;
            p = qRgb(std::clamp(static_cast<int>(std::lround(qRed(p) * f)), 0, 255),
                     std::clamp(static_cast<int>(std::lround(qGreen(p) * f)), 0, 255),
                     std::clamp(static_cast<int>(std::lround(qBlue(p) * f)), 0, 255));
        }
    }
}
