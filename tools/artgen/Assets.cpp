// The list of files the generator writes, each with its bytes and what a reader must see.
#include "tools/artgen/Assets.h"

#include <QBuffer>
#include <cstdlib>
#include <string>

#include "tools/artgen/BmpFile.h"
#include "tools/artgen/BoardArt.h"
#include "tools/artgen/GlyphArt.h"
#include "tools/artgen/IconArt.h"
#include "tools/artgen/Palette.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/SkinStyles.h"
#include "tools/artgen/SoundArt.h"
#include "tools/artgen/SplashArt.h"

namespace {

QImage FromIndexed(const SIndexedImage& indexed) {
    QImage img(indexed.width, indexed.height, QImage::Format_RGB32);
    for (int y = 0; y < indexed.height; ++y) {
        for (int x = 0; x < indexed.width; ++x) {
            PixelRef(img, x, y) =
                indexed.palette[indexed.index[static_cast<std::size_t>(y * indexed.width + x)]];
        }
    }
    return img;
}

bool IsPng(const std::string& path) {
    return path.size() > 4 && path.compare(path.size() - 4, 4, ".png") == 0;
}

// A PNG with an alpha channel, for the desktop rather than the game: what a reader must see is
// the picture itself, every channel exact.
SAsset Png(const std::string& path, const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    argb.save(&buffer, "PNG");
    return {path, std::vector<uint8_t>(data.begin(), data.end()),
            "PNG " + std::to_string(argb.width()) + " x " + std::to_string(argb.height()) +
                " with alpha",
            argb};
}

SAsset Rgb24(const std::string& path, const QImage& image) {
    return {path, EncodeBmp24(image), "24-bit", image.convertToFormat(QImage::Format_RGB32)};
}

// `exact` asks that every colour survive: the picture must have 256 colours or fewer.
bool Indexed8(const std::string& path, const QImage& image, bool exact, SAsset& out,
              std::string* why) {
    const SIndexedImage indexed = Quantize(image);
    const QImage decoded = FromIndexed(indexed);
    if (exact && decoded != image.convertToFormat(QImage::Format_RGB32)) {
        *why = path + ": more than 256 colours; the palette would change some of them";
        return false;
    }
    const SQuantizeError error = MeasureQuantizeError(image, indexed);
    out = {path, EncodeBmp8(indexed),
           "8-bit, palette of " + std::to_string(indexed.palette.size()) + " colours" +
               (exact ? " (exact)"
                      : " (median cut, mean error " + std::to_string(error.mean).substr(0, 4) +
                            ", worst " + std::to_string(error.worst) + ")"),
           decoded};
    return true;
}

// What the game reads from 5-6-5 lies within one level of Expand565 of the code in the file
// (it widens by rounding, the encoder reckons with bit replication). A dithered picture lies
// within one 5-6-5 step of the drawing, plus that level.
constexpr std::array<int, 3> kWidening565 = {1, 1, 1};
constexpr std::array<int, 3> kDithered565 = {9, 5, 9};

// A glyph sheet in 5-6-5 must keep its magenta exactly and turn nothing else into it; colours
// with an exact 5-6-5 form are never dithered.
bool Rgb565(const std::string& path, const QImage& image, bool dither, bool keyed, SAsset& out,
            std::string* why) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t> bytes = EncodeBmp565(src, dither);
    QImage nearest(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            PixelRef(nearest, x, y) = Expand565(Nearest565(src.pixel(x, y)));
        }
    }
    if (dither) {
        std::string reason;
        const QImage got = ReadBmpAsGame(bytes, &reason);
        const QImage plain = ReadBmpAsGame(EncodeBmp565(src, false), &reason);
        if (got.isNull() || plain.isNull()) {
            *why = path + ": the game's reader refuses it: " + reason;
            return false;
        }
        for (int y = 0; y < src.height(); ++y) {
            for (int x = 0; x < src.width(); ++x) {
                if (nearest.pixel(x, y) == src.pixel(x, y) &&
                    got.pixel(x, y) != plain.pixel(x, y)) {
                    *why = path + ": a colour with an exact 5-6-5 form is dithered";
                    return false;
                }
            }
        }
    }
    out = {path,
           std::move(bytes),
           std::string("16-bit 5-6-5 with bit fields") + (dither ? ", ordered dither" : ""),
           dither ? src : nearest,
           dither ? kDithered565 : kWidening565,
           keyed};
    return true;
}

}  // namespace

bool BuildAssets(std::vector<SAsset>& out, std::string* why) {
    out.clear();
    for (int skin = 0; skin < kSkinCount; ++skin) {
        const SSkinStyle& s = SkinStyle(skin);
        const std::string folder = std::string(s.folder) + "/";
        const QImage board = MakeBoard(skin);
        const QImage numbers = MakeNumbers(skin);
        SAsset a;
        SAsset b;
        switch (s.encoding) {
            case EBmpEncoding::Rgb24:
                a = Rgb24(folder + "board.bmp", board);
                b = Rgb24(folder + "numbers.bmp", numbers);
                break;
            case EBmpEncoding::Indexed8:
                if (!Indexed8(folder + "board.bmp", board, false, a, why) ||
                    !Indexed8(folder + "numbers.bmp", numbers, true, b, why)) {
                    return false;
                }
                break;
            case EBmpEncoding::Rgb565:
                if (!Rgb565(folder + "board.bmp", board, true, false, a, why) ||
                    !Rgb565(folder + "numbers.bmp", numbers, false, true, b, why)) {
                    return false;
                }
                break;
        }
        out.push_back(std::move(a));
        out.push_back(std::move(b));
    }
    out.push_back(Rgb24("Splash/Splash.bmp", MakeSplash()));
    out.push_back(Rgb24("Splash/Anim.bmp", MakeAnim()));
    out.push_back({"splash/splash.wav", MakeChime(),
                   "RIFF WAVE, 16-bit PCM mono " + std::to_string(kSampleRate) + " Hz", QImage()});
    out.push_back(Rgb24("bitmaps/toolbar110.bmp", MakeToolbar(false, false, false)));
    out.push_back(Rgb24("bitmaps/toolbar132.bmp", MakeToolbar(false, false, true)));
    out.push_back(Rgb24("bitmaps/toolbar134.bmp", MakeToolbar(true, false, true)));
    out.push_back(Rgb24("bitmaps/toolbar135.bmp", MakeToolbar(false, true, true)));
    out.push_back(Rgb24("bitmaps/toolbar136.bmp", MakeToolbar(true, true, true)));
    SAsset about;
    if (!Indexed8("bitmaps/about139.bmp", MakeAbout(), false, about, why)) {
        return false;
    }
    out.push_back(std::move(about));
    for (const int size : kAppIconSizes) {
        out.push_back(Png("icons/" + std::to_string(size) + ".png", MakeAppIcon(size)));
    }
    return true;
}

bool VerifyAsset(const SAsset& asset, std::string* why) {
    if (asset.expected.isNull()) {
        return true;
    }
    if (IsPng(asset.path)) {
        QImage png;
        if (!png.loadFromData(asset.bytes.data(), static_cast<int>(asset.bytes.size()), "PNG")) {
            *why = asset.path + ": not a PNG that Qt can read";
            return false;
        }
        if (png.convertToFormat(QImage::Format_ARGB32) != asset.expected) {
            *why = asset.path + ": the PNG holds other pixels than intended";
            return false;
        }
        return true;
    }
    std::string reason;
    const QImage got = ReadBmpAsGame(asset.bytes, &reason);
    if (got.isNull()) {
        *why = asset.path + ": the game's reader refuses it: " + reason;
        return false;
    }
    if (got.size() != asset.expected.size()) {
        *why = asset.path + ": the game reads a picture of another size";
        return false;
    }
    auto at = [](int x, int y) {
        return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    };
    for (int y = 0; y < got.height(); ++y) {
        for (int x = 0; x < got.width(); ++x) {
            const QRgb g = got.pixel(x, y);
            const QRgb e = asset.expected.pixel(x, y);
            if (asset.keyed && (g == kMagenta) != (e == kMagenta)) {
                *why = asset.path + ": the transparent colour does not survive" + at(x, y);
                return false;
            }
            if (std::abs(qRed(g) - qRed(e)) > asset.tolerance[0] ||
                std::abs(qGreen(g) - qGreen(e)) > asset.tolerance[1] ||
                std::abs(qBlue(g) - qBlue(e)) > asset.tolerance[2]) {
                *why = asset.path + ": the game reads other pixels than intended" + at(x, y);
                return false;
            }
        }
    }
    return true;
}
