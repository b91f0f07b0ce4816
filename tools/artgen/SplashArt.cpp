// The splash picture (Splash/Splash.bmp) and its five-frame animation (Splash/Anim.bmp).
#include "tools/artgen/SplashArt.h"

#include <QPainterPath>
#include <array>
#include <cmath>

#include "engine/Random.h"
#include "tools/artgen/GlyphArt.h"
#include "tools/artgen/Raster.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 272;
constexpr uint32_t kSeed = 0x5B1A5400U;

// The 3 x 3 box inside a frame: three cells of 32 pixels and 2-pixel lines.
// The frame ends 8 pixels below the 320 x 240 screen, so the box stays above that.
constexpr int kBoxCell = 36;
constexpr int kBoxLine = 2;
constexpr int kBoxSide = 3 * kBoxCell + 4 * kBoxLine;  // 116
constexpr int kBoxX = (kFrameWidth - kBoxSide) / 2;    // 30
constexpr int kBoxY = 36;

// The Lo Shu square: every row, column and diagonal adds up to 15. The top row falls in.
constexpr std::array<int, 9> kBoxDigits = {4, 9, 2, 3, 5, 7, 8, 1, 6};

const QRgb kPaper = qRgb(250, 247, 238);
const QRgb kInk = qRgb(28, 30, 40);
const QRgb kBlueInk = qRgb(26, 76, 170);
const QRgb kGold = qRgb(255, 208, 92);

QFont TitleFont() {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(46);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The night-blue field with a glow behind the box and large faint digits drifting about.
QImage Background() {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    const double cx = kAnimX + kFrameWidth / 2.0;
    const double cy = 150.0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x - cx) / 300.0;
            const double dy = (y - cy) / 210.0;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double t = std::clamp(1.0 - d, 0.0, 1.0);
            QRgb c = MixRgb(qRgb(10, 20, 46), qRgb(40, 82, 140), t * t);
            const double grain =
                (Hash01(kSeed, x, y) - 0.5) * 3.0 + Fbm(kSeed + 1, x / 90.0, y / 90.0, 3) * 3.0;
            PixelRef(img, x, y) = AddRgb(c, grain * 0.6, grain * 0.8, grain);
        }
    }
    CRandom rng(kSeed);
    auto uniform = [&rng](double lo, double hi) {
        return lo + (hi - lo) * (rng.Next() % 100000) / 100000.0;
    };
    for (int i = 0; i < 26; ++i) {
        const int digit = 1 + rng.Next() % 9;
        const double size = uniform(18, 64);
        const double x = uniform(-10, kWidth - 10);
        const double y = uniform(10, kHeight + 20);
        const double angle = uniform(-25, 25);
        const double strength = uniform(0.05, 0.13);
        SMask m = PaintMask(kWidth, kHeight, [&](QPainter& p) {
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(static_cast<int>(size));
            font.setBold(true);
            p.setFont(font);
            p.translate(x, y);
            p.rotate(angle);
            p.drawText(0, 0, QString::number(digit));
        });
        for (uint8_t& a : m.alpha) {
            a = static_cast<uint8_t>(a * strength);
        }
        CompositeMask(img, m, 0, 0, qRgb(150, 185, 240), 255);
    }
    return img;
}

// Draws the title centred on the picture, with a soft glow and a gold rule under it.
void Title(QImage& img) {
    const QFont font = TitleFont();
    const QString text = QStringLiteral("Sudoku");
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text);
    const int x = 240 - w / 2;
    const int baseline = 62;
    const SMask glyphs = PaintMask(kWidth, kHeight, [&](QPainter& p) {
        p.setFont(font);
        p.drawText(x, baseline, text);
    });
    ShadeMask(img, BlurMask(glyphs, 3), 2, 3, 0.55);
    CompositeMask(img, BlurMask(glyphs, 2), 0, 0, qRgb(120, 170, 255), 6);
    CompositeMask(img, glyphs, 0, 0, qRgb(252, 250, 244), 64);
    const SMask rule = PaintMask(kWidth, kHeight, [&](QPainter& p) {
        QLinearGradient g(x - 10, 0, x + w + 10, 0);
        g.setColorAt(0.0, QColor(255, 255, 255, 0));
        g.setColorAt(0.5, QColor(255, 255, 255, 255));
        g.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRect(QRectF(x - 10, baseline + 9, w + 20, 1.6));
    });
    CompositeMask(img, rule, 0, 0, kGold, 64);
}

SMask DigitShape(int w, int h, int digit, double cx, double cy, int pixelSize, bool bold) {
    return PaintMask(w, h, [&](QPainter& p) {
        const QFont font = DigitFont(bold, pixelSize);
        p.setFont(font);
        const QPointF ink = InkCentre(font, QString::number(digit));
        p.drawText(QPointF(std::round(cx - ink.x()), std::round(cy - ink.y())),
                   QString::number(digit));
    });
}

QPointF CellCentre(int i) {
    const int col = i % 3;
    const int row = i / 3;
    return {kBoxX + kBoxLine + col * (kBoxCell + kBoxLine) + kBoxCell / 2.0,
            kBoxY + kBoxLine + row * (kBoxCell + kBoxLine) + kBoxCell / 2.0};
}

// The stage of a falling digit in a frame: 0 and 1 in flight, 2 just landed, 3 and 4 resting.
int Stage(int cell, int frame) {
    constexpr std::array<int, 3> kPhase = {0, 3, 1};  // so that something falls in every frame
    return (frame + kPhase[static_cast<std::size_t>(cell)]) % kFrameCount;
}

// Draws one frame onto a copy of the background under it.
QImage Frame(const QImage& background, int frame) {
    QImage img = background.copy(kAnimX, kAnimY, kFrameWidth, kFrameHeight);
    const QRectF box(kBoxX, kBoxY, kBoxSide, kBoxSide);
    // Shadow and paper tile.
    const SMask tile = PaintMask(kFrameWidth, kFrameHeight, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(box.adjusted(-3, -3, 3, 3), 4, 4);
    });
    ShadeMask(img, BlurMask(tile, 4), 2, 4, 0.55);
    CompositeMask(img, tile, 0, 0, kPaper, 64);
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            if (tile.At(x, y) == 255) {
                QRgb& p = PixelRef(img, x, y);
                p = AddRgb(p, (Hash01(kSeed + 5, x, y) - 0.5) * 3.0);
            }
        }
    }
    // Lines: the outer frame and the cell lines in ink.
    const SMask lines = PaintMask(kFrameWidth, kFrameHeight, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        for (int k = 0; k <= 3; ++k) {
            const double off = k * (kBoxCell + kBoxLine);
            p.drawRect(QRectF(kBoxX + off, kBoxY, kBoxLine, kBoxSide));
            p.drawRect(QRectF(kBoxX, kBoxY + off, kBoxSide, kBoxLine));
        }
    });
    CompositeMask(img, lines, 0, 0, qRgb(70, 72, 82), 64);
    // The two lower rows are given, in black.
    for (int i = 3; i < 9; ++i) {
        const QPointF c = CellCentre(i);
        CompositeMask(img,
                      DigitShape(kFrameWidth, kFrameHeight, kBoxDigits[static_cast<std::size_t>(i)],
                                 c.x(), c.y(), 27, true),
                      0, 0, kInk, 64);
    }
    // The top row falls in: gold and glowing in flight, blue ink once it has landed.
    for (int i = 0; i < 3; ++i) {
        const int digit = kBoxDigits[static_cast<std::size_t>(i)];
        const QPointF target = CellCentre(i);
        const int stage = Stage(i, frame);
        if (stage >= 2) {
            if (stage == 2) {
                const SMask glow = PaintMask(kFrameWidth, kFrameHeight, [&](QPainter& p) {
                    p.setPen(Qt::NoPen);
                    p.drawRect(QRectF(target.x() - kBoxCell / 2.0, target.y() - kBoxCell / 2.0,
                                      kBoxCell, kBoxCell));
                });
                CompositeMask(img, glow, 0, 0, qRgb(255, 236, 170), 64);
            }
            CompositeMask(
                img, DigitShape(kFrameWidth, kFrameHeight, digit, target.x(), target.y(), 27, true),
                0, 0, kBlueInk, 64);
            continue;
        }
        const double y = stage == 0 ? 18.0 : 37.0;  // centre; it lands at 56
        const double alpha = stage == 0 ? 0.55 : 1.0;
        const SMask shape = DigitShape(kFrameWidth, kFrameHeight, digit, target.x(), y, 27, true);
        // A short trail above the digit, and a glow round it.
        for (int t = stage == 0 ? 0 : 3; t >= 1; --t) {
            SMask trail =
                DigitShape(kFrameWidth, kFrameHeight, digit, target.x(), y - 6.0 * t, 27, true);
            for (uint8_t& a : trail.alpha) {
                a = static_cast<uint8_t>(a * alpha * (0.30 - 0.08 * t));
            }
            CompositeMask(img, trail, 0, 0, kGold, 64);
        }
        SMask glow = BlurMask(shape, 3);
        for (uint8_t& a : glow.alpha) {
            a = static_cast<uint8_t>(std::min(255.0, a * 1.6 * alpha));
        }
        CompositeMask(img, glow, 0, 0, qRgb(255, 190, 60), 64);
        SMask core = shape;
        for (uint8_t& a : core.alpha) {
            a = static_cast<uint8_t>(a * alpha);
        }
        CompositeMask(img, core, 0, 0, qRgb(255, 246, 214), 64);
    }
    return img;
}

}  // namespace

QImage MakeSplash() {
    QImage img = Background();
    Title(img);
    const QImage frame = Frame(img, 0);
    QPainter p(&img);
    p.drawImage(kAnimX, kAnimY, frame);
    return img;
}

QImage MakeAnim() {
    QImage background = Background();
    Title(background);
    QImage strip(kFrameWidth, kFrameHeight * kFrameCount, QImage::Format_RGB32);
    QPainter p(&strip);
    for (int f = 0; f < kFrameCount; ++f) {
        p.drawImage(0, f * kFrameHeight, Frame(background, f));
    }
    return strip;
}
