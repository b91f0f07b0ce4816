// Writing BMP files field by field in three encodings, and reading them as the game does.
#include "tools/artgen/BmpFile.h"

#include <array>

#include "platform/Bitmap.h"
#include "platform/BmpReader.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFFU));
    out.push_back(static_cast<uint8_t>((v >> 8U) & 0xFFU));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (uint32_t i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>((v >> (8U * i)) & 0xFFU));
    }
}

uint32_t RowBytes(int width, int bits) {
    return ((static_cast<uint32_t>(width) * static_cast<uint32_t>(bits) + 31U) / 32U) * 4U;
}

// File header and information header; the caller appends palette or masks and the pixels.
std::vector<uint8_t> Headers(int width, int height, int bits, uint32_t compression,
                             uint32_t extraBytes, uint32_t coloursUsed) {
    const uint32_t imageBytes = RowBytes(width, bits) * static_cast<uint32_t>(height);
    const uint32_t offBits = kFileHeaderSize + kInfoHeaderSize + extraBytes;
    std::vector<uint8_t> out;
    out.reserve(offBits + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageBytes);  // bfSize
    Put16(out, 0);                     // bfReserved1
    Put16(out, 0);                     // bfReserved2
    Put32(out, offBits);               // bfOffBits
    Put32(out, kInfoHeaderSize);       // biSize
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: rows stored bottom-up
    Put16(out, 1);                              // biPlanes
    Put16(out, static_cast<uint32_t>(bits));    // biBitCount
    Put32(out, compression);
    Put32(out, imageBytes);  // biSizeImage
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    Put32(out, coloursUsed);  // biClrUsed
    Put32(out, 0);            // biClrImportant: all
    return out;
}

void PadRow(std::vector<uint8_t>& out, std::size_t rowStart, uint32_t rowBytes) {
    while (out.size() - rowStart < rowBytes) {
        out.push_back(0);
    }
}

uint32_t Expand5(uint32_t v) {
    return (v << 3U) | (v >> 2U);
}
uint32_t Expand6(uint32_t v) {
    return (v << 2U) | (v >> 4U);
}

// The largest code whose expansion does not exceed `value`, and the rounding position of
// `value` between that expansion and the next one (0 when exact).
struct SChannelCode {
    uint32_t low;
    double frac;
};

SChannelCode ChannelCode(int value, uint32_t maxCode, uint32_t (*expand)(uint32_t)) {
    uint32_t low = 0;
    while (low < maxCode && expand(low + 1) <= static_cast<uint32_t>(value)) {
        ++low;
    }
    if (expand(low) == static_cast<uint32_t>(value) || low == maxCode) {
        return {low, 0.0};
    }
    const double span = static_cast<double>(expand(low + 1) - expand(low));
    return {low, (value - static_cast<double>(expand(low))) / span};
}

uint32_t ChannelNearest(int value, uint32_t maxCode, uint32_t (*expand)(uint32_t)) {
    const SChannelCode c = ChannelCode(value, maxCode, expand);
    return c.frac >= 0.5 ? c.low + 1 : c.low;
}

uint32_t ChannelDithered(int value, uint32_t maxCode, uint32_t (*expand)(uint32_t),
                         double threshold) {
    const SChannelCode c = ChannelCode(value, maxCode, expand);
    return c.frac > threshold ? c.low + 1 : c.low;
}

constexpr std::array<int, 16> kBayer4 = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

}  // namespace

QRgb Expand565(uint16_t v) {
    const uint32_t r = (v >> 11U) & 0x1FU;
    const uint32_t g = (v >> 5U) & 0x3FU;
    const uint32_t b = v & 0x1FU;
    return qRgb(static_cast<int>(Expand5(r)), static_cast<int>(Expand6(g)),
                static_cast<int>(Expand5(b)));
}

uint16_t Nearest565(QRgb c) {
    const uint32_t r = ChannelNearest(qRed(c), 31, Expand5);
    const uint32_t g = ChannelNearest(qGreen(c), 63, Expand6);
    const uint32_t b = ChannelNearest(qBlue(c), 31, Expand5);
    return static_cast<uint16_t>((r << 11U) | (g << 5U) | b);
}

std::vector<uint8_t> EncodeBmp24(const QImage& image) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const uint32_t rowBytes = RowBytes(src.width(), 24);
    std::vector<uint8_t> out = Headers(src.width(), src.height(), 24, kBiRgb, 0, 0);
    for (int y = src.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            out.push_back(static_cast<uint8_t>(qBlue(line[x])));
            out.push_back(static_cast<uint8_t>(qGreen(line[x])));
            out.push_back(static_cast<uint8_t>(qRed(line[x])));
        }
        PadRow(out, rowStart, rowBytes);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp8(const SIndexedImage& image) {
    const auto colours = static_cast<uint32_t>(image.palette.size());
    const uint32_t rowBytes = RowBytes(image.width, 8);
    std::vector<uint8_t> out = Headers(image.width, image.height, 8, kBiRgb, colours * 4U, colours);
    for (const QRgb c : image.palette) {  // RGBQUAD: blue, green, red, reserved
        out.push_back(static_cast<uint8_t>(qBlue(c)));
        out.push_back(static_cast<uint8_t>(qGreen(c)));
        out.push_back(static_cast<uint8_t>(qRed(c)));
        out.push_back(0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < image.width; ++x) {
            out.push_back(image.index[static_cast<std::size_t>(y * image.width + x)]);
        }
        PadRow(out, rowStart, rowBytes);
    }
    return out;
}

std::vector<uint8_t> EncodeBmp565(const QImage& image, bool dither) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    const uint32_t rowBytes = RowBytes(src.width(), 16);
    std::vector<uint8_t> out = Headers(src.width(), src.height(), 16, kBiBitfields, 12, 0);
    Put32(out, 0xF800U);  // red mask
    Put32(out, 0x07E0U);  // green mask
    Put32(out, 0x001FU);  // blue mask
    for (int y = src.height() - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = line[x];
            uint16_t v = 0;
            if (dither) {
                const double t =
                    (kBayer4[static_cast<std::size_t>((y & 3) * 4 + (x & 3))] + 0.5) / 16.0;
                const uint32_t r = ChannelDithered(qRed(c), 31, Expand5, t);
                const uint32_t g = ChannelDithered(qGreen(c), 63, Expand6, t);
                const uint32_t b = ChannelDithered(qBlue(c), 31, Expand5, t);
                v = static_cast<uint16_t>((r << 11U) | (g << 5U) | b);
            } else {
                v = Nearest565(c);
            }
            Put16(out, v);
        }
        PadRow(out, rowStart, rowBytes);
    }
    return out;
}

QImage ReadBmpAsGame(std::span<const uint8_t> file, std::string* why) {
    Bitmap bitmap;
    if (!DecodeBmp(file, bitmap, why)) {
        return {};
    }
    // Both hold 0xFFRRGGBB words, rows from the top.
    QImage image(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            line[x] = bitmap.At(x, y);
        }
    }
    return image;
}
