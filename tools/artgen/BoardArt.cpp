// The board picture of a skin (board.bmp): background, grid, number palette and clock label.
#include "tools/artgen/BoardArt.h"

#include <QPainterPath>
#include <cmath>

#include "engine/Random.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/SkinStyles.h"
#include "ui/Layout.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The clock label: a calm light area behind the 480 x 272 clock, whose text box starts at
// (kClockX, kClockY).
const QRect kLabel(kClockX - 18, kClockY - 4, 68, 37);
// The tray round grid and palette.
const QRect kTray(134, 4, 205, 229);

// A surface texture as a brightness offset per pixel, in levels.
using TextureFn = double (*)(uint32_t seed, int x, int y);

double PaperGrain(uint32_t seed, int x, int y) {
    return Fbm(seed, x / 70.0, y / 70.0, 4) * 2.2 + (Hash01(seed + 1, x, y) - 0.5) * 2.6 +
           (ValueNoise(seed + 2, x / 2.5, y / 2.5) - 0.5) * 2.0;
}

double SandGrain(uint32_t seed, int x, int y) {
    const double h = Hash01(seed + 11, x, y);
    double v = (h - 0.5) * 7.0 + Fbm(seed + 12, x / 9.0, y / 9.0, 2) * 2.5;
    if (h < 0.045) {
        v -= 16.0 + 30.0 * Hash01(seed + 13, x, y);
    } else if (h > 0.97) {
        v += 14.0 + 12.0 * Hash01(seed + 14, x, y);
    }
    return v;
}

double SteelBrush(uint32_t seed, int x, int y) {
    const double streak = Fbm(seed + 21, x / 160.0, y * 0.9, 3) * 3.2;
    const double fine = (ValueNoise(seed + 22, x / 7.0, y * 1.7) - 0.5) * 6.0;
    const double row = (Hash01(seed + 23, 0, y) - 0.5) * 3.0;
    const double speck = (Hash01(seed + 24, x, y) - 0.5) * 2.2;
    return streak + fine + row + speck;
}

TextureFn Texture(int skin) {
    switch (skin) {
        case 0:
            return PaperGrain;
        case 1:
            return SandGrain;
        default:
            return SteelBrush;
    }
}

// Paper: off-white sheet with mottling, a soft vignette and scattered fibres.
QImage PaperBackground(const SSkinStyle& s) {
    QImage img(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    const QRgb base = qRgb(244, 240, 229);
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kBoardWidth; ++x) {
            const double dx = (x - 240.0) / 260.0;
            const double dy = (y - 120.0) / 190.0;
            const double vignette = -9.0 * (dx * dx + dy * dy);
            const double v = PaperGrain(s.seed, x, y) * 1.3 + vignette;
            PixelRef(img, x, y) = AddRgb(base, v, v, v * 1.25);
        }
    }
    CRandom rng(s.seed);
    auto uniform = [&rng](double lo, double hi) {
        return lo + (hi - lo) * (rng.Next() % 100000) / 100000.0;
    };
    for (int tone = 0; tone < 2; ++tone) {
        const SMask fibres = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
            const int count = tone == 0 ? 650 : 380;
            for (int i = 0; i < count; ++i) {
                const double x = uniform(-10, kBoardWidth + 10);
                const double y = uniform(-10, kBoardHeight + 10);
                const double angle = uniform(0, 2 * kPi);
                const double len = uniform(5, 26);
                const double bend = uniform(-0.9, 0.9);
                const QPointF a(x, y);
                const QPointF b(x + len * std::cos(angle), y + len * std::sin(angle));
                const QPointF c(x + len * 0.5 * std::cos(angle + bend),
                                y + len * 0.5 * std::sin(angle + bend));
                QPainterPath path(a);
                path.quadTo(c, b);
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(uniform(50, 150))),
                              uniform(0.35, 0.8)));
                p.drawPath(path);
            }
        });
        CompositeMask(img, fibres, 0, 0, tone == 0 ? qRgb(212, 204, 186) : qRgb(255, 255, 253), 64);
    }
    return img;
}

// Sand: warm sand in wind ripples, coarse grains and a few darker and lighter specks.
QImage SandBackground(const SSkinStyle& s) {
    QImage img(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    const QRgb base = qRgb(224, 196, 146);
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kBoardWidth; ++x) {
            const double phase =
                (x * 0.93 + y * 0.37) / 11.0 + 1.7 * Fbm(s.seed + 1, x / 70.0, y / 70.0, 3);
            const double r = std::sin(2 * kPi * phase);
            const double ripple = r > 0 ? r * r * 9.0 : r * 5.0;
            const double dune = Fbm(s.seed + 2, x / 150.0, y / 150.0, 3) * 6.0;
            const double v = ripple + dune + SandGrain(s.seed, x, y);
            // Shadows of the sand turn a little redder, lights a little paler.
            PixelRef(img, x, y) = AddRgb(base, v * 1.0, v * 1.05, v * (v < 0 ? 1.2 : 1.3));
        }
    }
    return img;
}

// Steel: a brushed plate with a broad soft sheen.
QImage SteelBackground(const SSkinStyle& s) {
    QImage img(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    const QRgb base = qRgb(172, 179, 188);
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kBoardWidth; ++x) {
            const double sheen = 14.0 * std::exp(-std::pow((x - 0.55 * y - 150.0) / 170.0, 2.0)) -
                                 6.0 * std::exp(-std::pow((x - 0.55 * y - 420.0) / 120.0, 2.0));
            const double v = SteelBrush(s.seed, x, y) * 1.6 + sheen;
            PixelRef(img, x, y) = AddRgb(base, v, v, v * 1.05);
        }
    }
    return img;
}

// Grid cell faces and palette key faces: the skin's cell colour with a fainter texture.
void PaintFace(QImage& img, const SSkinStyle& s, TextureFn texture, double amount, int x0, int y0) {
    for (int y = y0 + 1; y < y0 + kCellSize - 1; ++y) {
        for (int x = x0 + 1; x < x0 + kCellSize - 1; ++x) {
            const double v = texture(s.seed, x, y) * amount;
            PixelRef(img, x, y) = AddRgb(s.cell, v);
        }
    }
}

// One line across the grid: the two pixels either side of a boundary.
void PaintBoundary(QImage& img, bool vertical, int boundary, QRgb colour, double halo) {
    const int from = (vertical ? kLayout480x272.gridY : kLayout480x272.gridX) - 1;
    const int to = (vertical ? kLayout480x272.gridY : kLayout480x272.gridX) + 9 * kCellSize;
    for (int t = from - (halo > 0 ? 1 : 0); t <= to + (halo > 0 ? 1 : 0); ++t) {
        for (int k = -2; k <= 1; ++k) {
            const bool core = (k == -1 || k == 0) && t >= from && t <= to;
            const int x = vertical ? boundary + k : t;
            const int y = vertical ? t : boundary + k;
            QRgb& p = PixelRef(img, x, y);
            if (core) {
                p = colour;
            } else if (halo > 0) {
                p = MixRgb(p, colour, halo);
            }
        }
    }
}

void PaintGrid(QImage& img, const SSkinStyle& s, TextureFn texture, double faceTexture) {
    for (int j = 0; j < 9; ++j) {
        for (int i = 0; i < 9; ++i) {
            PaintFace(img, s, texture, faceTexture, kLayout480x272.gridX + i * kCellSize,
                      kLayout480x272.gridY + j * kCellSize);
        }
    }
    for (int k = 1; k < 9; ++k) {
        if (k % 3 != 0) {
            PaintBoundary(img, true, kLayout480x272.gridX + k * kCellSize, s.thinLine, 0.0);
            PaintBoundary(img, false, kLayout480x272.gridY + k * kCellSize, s.thinLine, 0.0);
        }
    }
    for (int k = 0; k <= 9; k += 3) {
        PaintBoundary(img, true, kLayout480x272.gridX + k * kCellSize, s.boxLine, 0.28);
        PaintBoundary(img, false, kLayout480x272.gridY + k * kCellSize, s.boxLine, 0.28);
    }
}

// The nine keys of the number palette, each a raised key with the cell colour on its face.
void PaintPalette(QImage& img, const SSkinStyle& s, TextureFn texture, double faceTexture) {
    const QRgb border = MixRgb(s.cell, s.boxLine, 0.62);
    const SMask shadow = BlurMask(
        PaintMask(kBoardWidth, kBoardHeight,
                  [](QPainter& p) {
                      p.setPen(Qt::NoPen);
                      p.drawRect(QRect(kLayout480x272.paletteX + 1, kLayout480x272.paletteY + 2,
                                       9 * kCellSize - 1, kCellSize));
                  }),
        1);
    ShadeMask(img, shadow, 0, 0, 0.22);
    for (int j = 0; j < 9; ++j) {
        const int x0 = kLayout480x272.paletteX + j * kCellSize;
        const int y0 = kLayout480x272.paletteY;
        PaintFace(img, s, texture, faceTexture, x0, y0);
        for (int t = 0; t < kCellSize; ++t) {
            PixelRef(img, x0 + t, y0) = border;
            PixelRef(img, x0 + t, y0 + kCellSize - 1) = MixRgb(border, s.boxLine, 0.4);
            PixelRef(img, x0, y0 + t) = border;
            PixelRef(img, x0 + kCellSize - 1, y0 + t) = MixRgb(border, s.boxLine, 0.25);
        }
        for (int t = 1; t < kCellSize - 1; ++t) {
            QRgb& top = PixelRef(img, x0 + t, y0 + 1);
            top = MixRgb(top, qRgb(255, 255, 255), 0.55);
            QRgb& left = PixelRef(img, x0 + 1, y0 + t);
            left = MixRgb(left, qRgb(255, 255, 255), 0.35);
            QRgb& bottom = PixelRef(img, x0 + t, y0 + kCellSize - 2);
            bottom = MixRgb(bottom, s.boxLine, 0.14);
            QRgb& right = PixelRef(img, x0 + kCellSize - 2, y0 + t);
            right = MixRgb(right, s.boxLine, 0.08);
        }
    }
}

// A soft shadow of a shape on the background.
void DropShadow(QImage& img, const QPainterPath& shape, QPointF offset, int blur, double amount) {
    const SMask m = BlurMask(PaintMask(kBoardWidth, kBoardHeight,
                                       [&](QPainter& p) {
                                           p.setPen(Qt::NoPen);
                                           p.drawPath(shape.translated(offset));
                                       }),
                             blur);
    ShadeMask(img, m, 0, 0, amount);
}

void FillShape(QImage& img, const QPainterPath& shape, QRgb colour, int levels = 32) {
    const SMask m = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawPath(shape);
    });
    CompositeMask(img, m, 0, 0, colour, levels);
}

// Paints a shape's pixels with a colour and a texture, antialiased at the edge.
void FillTextured(QImage& img, const QPainterPath& shape, QRgb colour, uint32_t seed,
                  TextureFn texture, double amount) {
    const SMask m = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawPath(shape);
    });
    for (int y = 0; y < kBoardHeight; ++y) {
        for (int x = 0; x < kBoardWidth; ++x) {
            const int a = m.At(x, y);
            if (a > 0) {
                QRgb& p = PixelRef(img, x, y);
                p = MixRgb(p, AddRgb(colour, texture(seed, x, y) * amount), a / 255.0);
            }
        }
    }
}

void StrokeShape(QImage& img, const QPainterPath& shape, QRgb colour, double width) {
    const SMask m = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, width));
        p.drawPath(shape);
    });
    CompositeMask(img, m, 0, 0, colour, 32);
}

QPainterPath RoundedRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// A small domed rivet.
void Rivet(QImage& img, QPointF centre) {
    QPainterPath head;
    head.addEllipse(centre, 2.2, 2.2);
    DropShadow(img, head, QPointF(0.5, 0.8), 1, 0.30);
    FillShape(img, head, qRgb(150, 157, 166));
    QPainterPath light;
    light.addEllipse(centre + QPointF(-0.6, -0.7), 1.1, 1.1);
    FillShape(img, light, qRgb(236, 240, 244));
    StrokeShape(img, head, qRgb(96, 102, 112), 0.7);
}

// Paper: a yellow sticky note held by a strip of tape.
void PaperLabel(QImage& img, const SSkinStyle& s) {
    const QPainterPath note = RoundedRect(QRectF(kLabel), 1.0);
    DropShadow(img, note, QPointF(1.5, 2.0), 2, 0.16);
    FillTextured(img, note, qRgb(255, 243, 170), s.seed + 40, PaperGrain, 0.6);
    // The note's lower edge curls away from the paper a little.
    QPainterPath curl;
    curl.addRect(QRectF(kLabel.left(), kLabel.bottom() - 3.0, kLabel.width(), 4.0));
    const SMask m = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
        QLinearGradient g(0, kLabel.bottom() - 3.0, 0, kLabel.bottom() + 1.0);
        g.setColorAt(0, QColor(255, 255, 255, 0));
        g.setColorAt(1, QColor(255, 255, 255, 255));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(curl);
    });
    ShadeMask(img, m, 0, 0, 0.06);
    QPainterPath tape;
    tape.addRect(QRectF(-14, -4.5, 28, 9));
    QTransform t;
    t.translate(kLabel.left() + 38.0, kLabel.top() + 0.5);
    t.rotate(-4.0);
    const QPainterPath placed = t.map(tape);
    // Matt tape lets a little of the note show through.
    SMask tm = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.drawPath(placed);
    });
    for (uint8_t& a : tm.alpha) {
        a = static_cast<uint8_t>(a * 0.72);
    }
    CompositeMask(img, tm, 0, 0, qRgb(250, 250, 243), 64);
}

// Sand: a smooth pale sandstone plaque.
void SandLabel(QImage& img, const SSkinStyle& s) {
    const QPainterPath plaque = RoundedRect(QRectF(kLabel), 5.0);
    DropShadow(img, plaque, QPointF(1.0, 1.5), 2, 0.22);
    FillTextured(img, plaque, qRgb(246, 236, 212), s.seed + 41, SandGrain, 0.25);
    StrokeShape(img, RoundedRect(QRectF(kLabel).adjusted(0.5, 0.5, -0.5, -0.5), 4.5),
                qRgb(176, 142, 88), 1.0);
    StrokeShape(img, RoundedRect(QRectF(kLabel).adjusted(1.5, 1.5, -1.5, -1.5), 3.5),
                qRgb(255, 251, 238), 1.0);
}

// Steel: a bright brushed nameplate with two screws.
void SteelLabel(QImage& img, const SSkinStyle& s) {
    const QPainterPath plate = RoundedRect(QRectF(kLabel), 3.0);
    DropShadow(img, plate, QPointF(1.0, 1.5), 2, 0.30);
    FillTextured(img, plate, qRgb(222, 227, 232), s.seed + 42, SteelBrush, 0.8);
    StrokeShape(img, RoundedRect(QRectF(kLabel).adjusted(0.5, 0.5, -0.5, -0.5), 2.5),
                qRgb(92, 98, 110), 1.0);
    StrokeShape(img, RoundedRect(QRectF(kLabel).adjusted(1.5, 1.5, -1.5, -1.5), 1.5),
                qRgb(246, 248, 250), 1.0);
    // Rivets in the corners, clear of the text whichever way it is aligned.
    const double l = kLabel.left() + 4.5;
    const double r = kLabel.right() - 3.5;
    const double t = kLabel.top() + 4.5;
    const double b = kLabel.bottom() - 3.5;
    for (const QPointF c : {QPointF(l, t), QPointF(r, t), QPointF(l, b), QPointF(r, b)}) {
        Rivet(img, c);
    }
}

// The tray under grid and palette: printed paper, a smoothed bed of sand, a recessed panel.
void PaintTray(QImage& img, int skin, const SSkinStyle& s) {
    const QPainterPath tray = RoundedRect(QRectF(kTray), skin == 2 ? 4.0 : 7.0);
    if (skin == 0) {
        return;  // the grid is printed straight onto the paper
    }
    if (skin == 1) {
        FillTextured(img, tray, qRgb(233, 212, 168), s.seed + 50, SandGrain, 0.7);
        // A pressed hollow: shadow at the upper left inside, light at the lower right.
        const SMask inner = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
            p.setPen(QPen(Qt::white, 3.0));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tray.translated(1.5, 1.5));
        });
        const SMask clip = PaintMask(kBoardWidth, kBoardHeight, [&](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.drawPath(tray);
        });
        SMask shade = BlurMask(inner, 1);
        for (std::size_t i = 0; i < shade.alpha.size(); ++i) {
            shade.alpha[i] = static_cast<uint8_t>(shade.alpha[i] * clip.alpha[i] / 255);
        }
        ShadeMask(img, shade, 0, 0, 0.10);
        StrokeShape(img, tray, qRgb(196, 164, 112), 1.0);
        return;
    }
    FillTextured(img, tray, qRgb(128, 136, 147), s.seed + 51, SteelBrush, 1.0);
    StrokeShape(img, RoundedRect(QRectF(kTray).adjusted(-0.5, -0.5, 0.5, 0.5), 4.5),
                qRgb(232, 236, 240), 1.0);
    StrokeShape(img, RoundedRect(QRectF(kTray).adjusted(0.5, 0.5, -0.5, -0.5), 3.5),
                qRgb(70, 76, 88), 1.0);
}

}  // namespace

QImage MakeBoard(int skin) {
    const SSkinStyle& s = SkinStyle(skin);
    QImage img;
    double faceTexture = 0.0;
    switch (skin) {
        case 0:
            img = PaperBackground(s);
            faceTexture = 0.9;
            break;
        case 1:
            img = SandBackground(s);
            faceTexture = 0.35;
            break;
        default:
            img = SteelBackground(s);
            faceTexture = 0.8;
            break;
    }
    PaintTray(img, skin, s);
    PaintGrid(img, s, Texture(skin), faceTexture);
    PaintPalette(img, s, Texture(skin), faceTexture);
    switch (skin) {
        case 0:
            PaperLabel(img, s);
            break;
        case 1:
            SandLabel(img, s);
            break;
        default:
            SteelLabel(img, s);
            break;
    }
    return img;
}
