// The list of files the generator writes, each with its bytes and what a reader must see.
#include "tools/artgen/Assets.h"

#include <cstdlib>

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

// A glyph sheet in 5-6-5 must keep its magenta exactly and turn nothing else into it; a
// dithered picture may stray by one 5-6-5 step per channel and no more.
bool Rgb565(const std::string& path, const QImage& image, bool dither, bool keyed, SAsset& out,
            std::string* why) {
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    std::vector<uint8_t> bytes = EncodeBmp565(src, dither);
    std::string reason;
    const QImage roundTrip = DecodeBmp(bytes, &reason);
    if (roundTrip.isNull()) {
        *why = path + ": " + reason;
        return false;
    }
    QImage expected(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = src.pixel(x, y);
            const QRgb nearest = Expand565(Nearest565(c));
            PixelRef(expected, x, y) = nearest;
            const QRgb got = roundTrip.pixel(x, y);
            if (keyed && ((c == kMagenta) != (got == kMagenta))) {
                *why = path + ": the transparent colour does not survive 5-6-5";
                return false;
            }
            if (dither &&
                (std::abs(qRed(got) - qRed(c)) > 8 || std::abs(qGreen(got) - qGreen(c)) > 4 ||
                 std::abs(qBlue(got) - qBlue(c)) > 8 || (nearest == c && got != c))) {
                *why = path + ": the dither strays too far";
                return false;
            }
        }
    }
    out = {path, std::move(bytes),
           std::string("16-bit 5-6-5 with bit fields") + (dither ? ", ordered dither" : ""),
           dither ? roundTrip : expected};
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
    return true;
}

bool VerifyAsset(const SAsset& asset, std::string* why) {
    if (asset.expected.isNull()) {
        return true;
    }
    std::string reason;
    const QImage ours = DecodeBmp(asset.bytes, &reason);
    if (ours.isNull()) {
        *why = asset.path + ": our reader refuses it: " + reason;
        return false;
    }
    if (ours != asset.expected) {
        *why = asset.path + ": our reader sees other pixels than intended";
        return false;
    }
    QImage qt = QImage::fromData(asset.bytes.data(), static_cast<int>(asset.bytes.size()), "BMP");
    if (qt.isNull() || qt.size() != ours.size()) {
        *why = asset.path + ": Qt cannot read it";
        return false;
    }
    qt = qt.convertToFormat(QImage::Format_RGB32);
    const bool is565 = asset.encoding.rfind("16-bit", 0) == 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            QRgb want = ours.pixel(x, y);
            if (is565) {  // Qt: 5-bit v becomes 8v, 6-bit v becomes 4v
                want = qRgb(qRed(want) & 0xF8, qGreen(want) & 0xFC, qBlue(want) & 0xF8);
            }
            if (qt.pixel(x, y) != want) {
                *why = asset.path + ": Qt reads other pixels";
                return false;
            }
        }
    }
    return true;
}
