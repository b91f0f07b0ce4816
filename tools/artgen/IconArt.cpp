// Toolbar button images (bitmaps 110 and 132..136), the about box picture (bitmap 139) and the
// program's icon for the desktop.
#include "tools/artgen/IconArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "tools/artgen/GlyphArt.h"
#include "tools/artgen/Raster.h"

namespace {

constexpr int kIcon = 16;
// The toolbar colour that half-covered edge pixels are blended with.
const QRgb kToolbarGrey = qRgb(236, 236, 236);

using IconFn = void (*)(QPainter&);

// The about picture's tile, which is also the program's icon: its colours and digits.
const QColor kTileBlue(20, 44, 96);
const QColor kTilePaper(250, 247, 238);
const QColor kTileLine(150, 150, 160);
const QColor kTileInk(28, 30, 40);
const QColor kTileCentreInk(26, 76, 170);
constexpr int kTileDigits[9] = {4, 9, 0, 3, 5, 0, 0, 1, 6};

QPen Pen(QRgb c, double w) {
    return QPen(QColor(c), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet with a 3 x 3 grid and a spark in its corner.
void NewGameIcon(QPainter& p) {
    p.setPen(Pen(qRgb(90, 96, 110), 1.0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(1.5, 3.5, 11, 11), 1.2, 1.2);
    p.setPen(Pen(qRgb(150, 156, 170), 1.0));
    for (double t : {5.5, 9.0}) {
        p.drawLine(QPointF(t, 4.5), QPointF(t, 13.5));
        p.drawLine(QPointF(2.5, t + 1.5), QPointF(11.5, t + 1.5));
    }
    p.fillRect(QRectF(2.5, 4.5, 2.5, 2.5), QColor(40, 90, 190));
    p.fillRect(QRectF(9.5, 11.5, 2.5, 2.5), QColor(40, 40, 50));
    QPainterPath star;
    const QPointF c(12.0, 4.0);
    for (int i = 0; i < 8; ++i) {
        const double r = i % 2 == 0 ? 4.2 : 1.5;
        const double a = i * 3.14159265 / 4.0 - 3.14159265 / 2.0;
        const QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0) {
            star.moveTo(pt);
        } else {
            star.lineTo(pt);
        }
    }
    star.closeSubpath();
    p.setPen(Pen(qRgb(200, 120, 0), 0.9));
    p.setBrush(QColor(255, 214, 40));
    p.drawPath(star);
}

// A yellow pencil lying from the lower left to the upper right.
void PencilIcon(QPainter& p) {
    p.save();
    p.translate(8, 8);
    p.rotate(-45);
    // Body from x -7 (tip) to +8; the tip points to the lower left.
    p.setPen(Pen(qRgb(150, 96, 0), 0.9));
    p.setBrush(QColor(250, 190, 40));
    p.drawRect(QRectF(-2.5, -2.4, 10.5, 4.8));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 226, 120));
    p.drawRect(QRectF(-2.0, -1.9, 9.5, 1.4));
    p.setPen(Pen(qRgb(120, 120, 130), 0.8));
    p.setBrush(QColor(196, 200, 210));
    p.drawRect(QRectF(6.2, -2.4, 1.8, 4.8));
    QPainterPath wood;
    wood.moveTo(-2.5, -2.4);
    wood.lineTo(-7.6, 0.0);
    wood.lineTo(-2.5, 2.4);
    wood.closeSubpath();
    p.setPen(Pen(qRgb(150, 110, 60), 0.8));
    p.setBrush(QColor(240, 206, 160));
    p.drawPath(wood);
    QPainterPath lead;
    lead.moveTo(-5.6, -0.95);
    lead.lineTo(-7.6, 0.0);
    lead.lineTo(-5.6, 0.95);
    lead.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawPath(lead);
    p.restore();
    // Three small marks written by it.
    p.setPen(Pen(qRgb(60, 60, 70), 1.0));
    p.drawPoint(QPointF(10.5, 13.5));
    p.drawPoint(QPointF(13.5, 13.5));
    p.drawPoint(QPointF(13.5, 10.5));
}

// A two-coloured rubber eraser.
void EraserIcon(QPainter& p) {
    p.save();
    p.translate(8.5, 7.5);
    p.rotate(-35);
    p.setPen(Pen(qRgb(120, 40, 60), 0.9));
    p.setBrush(QColor(240, 110, 130));
    p.drawRoundedRect(QRectF(-1.0, -3.2, 7.0, 6.4), 1.2, 1.2);
    p.setPen(Pen(qRgb(60, 80, 130), 0.9));
    p.setBrush(QColor(120, 160, 230));
    p.drawRoundedRect(QRectF(-6.5, -3.2, 5.8, 6.4), 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawRect(QRectF(-6.0, -2.6, 11.5, 1.4));
    p.restore();
    p.setPen(Pen(qRgb(150, 150, 160), 1.0));
    p.drawLine(QPointF(1.5, 14.5), QPointF(8.5, 14.5));
}

// A curved arrow turning back to the left.
void UndoIcon(QPainter& p) {
    QPainterPath arc;
    arc.moveTo(11.5, 14.0);
    arc.cubicTo(QPointF(15.8, 10.0), QPointF(14.0, 5.2), QPointF(6.0, 6.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 70, 160), 3.6, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    p.setPen(QPen(QColor(80, 150, 240), 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(0.8, 6.2);
    head.lineTo(7.0, 1.2);
    head.lineTo(7.0, 11.0);
    head.closeSubpath();
    p.setPen(Pen(qRgb(20, 70, 160), 0.9));
    p.setBrush(QColor(80, 150, 240));
    p.drawPath(head);
}

// A lit light bulb.
void HintIcon(QPainter& p) {
    p.setPen(Pen(qRgb(230, 170, 0), 1.0));
    for (const auto& [a, b] : {std::pair{QPointF(8, 0.8), QPointF(8, 1.9)},
                               std::pair{QPointF(2.2, 3.0), QPointF(3.0, 3.8)},
                               std::pair{QPointF(13.8, 3.0), QPointF(13.0, 3.8)}}) {
        p.drawLine(a, b);
    }
    QPainterPath glass;
    glass.addEllipse(QPointF(8.0, 7.0), 4.3, 4.3);
    p.setPen(Pen(qRgb(170, 120, 0), 1.0));
    QRadialGradient g(QPointF(7.0, 5.8), 5.0);
    g.setColorAt(0.0, QColor(255, 252, 210));
    g.setColorAt(1.0, QColor(255, 208, 40));
    p.setBrush(g);
    p.drawPath(glass);
    p.setPen(Pen(qRgb(110, 110, 120), 0.9));
    p.setBrush(QColor(190, 192, 200));
    p.drawRoundedRect(QRectF(5.5, 11.0, 5.0, 3.6), 0.8, 0.8);
    p.drawLine(QPointF(5.8, 12.8), QPointF(10.2, 12.8));
    p.setPen(Pen(qRgb(220, 150, 0), 0.9));
    p.drawLine(QPointF(7.0, 10.5), QPointF(7.0, 8.0));
    p.drawLine(QPointF(9.0, 10.5), QPointF(9.0, 8.0));
}

// An open door with an arrow leaving it.
void ExitIcon(QPainter& p) {
    p.setPen(Pen(qRgb(70, 70, 80), 1.0));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    QPainterPath door;
    door.moveTo(2.5, 1.5);
    door.lineTo(7.5, 3.0);
    door.lineTo(7.5, 16.0);
    door.lineTo(2.5, 14.5);
    door.closeSubpath();
    p.setPen(Pen(qRgb(110, 60, 20), 0.9));
    p.setBrush(QColor(196, 120, 50));
    p.drawPath(door);
    p.setPen(Pen(qRgb(250, 220, 120), 1.2));
    p.drawPoint(QPointF(6.2, 9.2));
    p.setPen(Pen(qRgb(200, 30, 30), 2.2));
    p.drawLine(QPointF(9.0, 8.5), QPointF(13.0, 8.5));
    QPainterPath head;
    head.moveTo(15.6, 8.5);
    head.lineTo(11.6, 4.8);
    head.lineTo(11.6, 12.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 30));
    p.drawPath(head);
}

// The lit, pressed face of a button whose mode is on.
void LitFace(QPainter& p) {
    QLinearGradient g(0, 0, 0, kIcon);
    g.setColorAt(0.0, QColor(255, 214, 110));
    g.setColorAt(1.0, QColor(255, 240, 190));
    p.setPen(Pen(qRgb(196, 128, 20), 1.0));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    p.setPen(Pen(qRgb(214, 150, 50), 1.0));
    p.drawLine(QPointF(2.5, 1.5), QPointF(13.5, 1.5));
}

// Paints one button into the strip: edges blended with toolbar grey, the rest magenta.
void PutIcon(QImage& strip, int slot, IconFn icon, bool lit) {
    QImage layer(kIcon, kIcon, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing, true);
        if (lit) {
            LitFace(p);
            p.translate(0.5, 0.5);  // pressed: the picture sinks a little
        }
        icon(p);
    }
    const QImage straight = layer.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < kIcon; ++y) {
        for (int x = 0; x < kIcon; ++x) {
            const QRgb c = straight.pixel(x, y);
            const int a = qAlpha(c);
            QRgb out = kMagenta;
            if (a >= 110) {
                out = MixRgb(kToolbarGrey, qRgb(qRed(c), qGreen(c), qBlue(c)), a / 255.0);
            }
            PixelRef(strip, slot * kIcon + x, y) = out;
        }
    }
}

// The icon's layout on whole pixels: from the edge, `inset` of transparency, `frame` of the
// tile's blue, then the box of three cells of `cell` pixels with `line`-wide rules between
// them. 2 * (inset + frame + line) + 3 * cell == size.
struct SIconLayout {
    int size;
    int inset;
    int frame;
    int cell;
    int line;
};

constexpr std::array<SIconLayout, kAppIconSizes.size()> kIconLayouts = {{
    {16, 0, 1, 4, 1},
    {22, 2, 2, 4, 1},
    {24, 1, 1, 6, 1},
    {32, 1, 2, 8, 1},
    {48, 2, 3, 12, 1},
    {64, 3, 4, 16, 1},
    {128, 4, 7, 34, 2},
    {256, 8, 14, 68, 4},
}};

static_assert([] {
    for (std::size_t i = 0; i < kIconLayouts.size(); ++i) {
        const SIconLayout& l = kIconLayouts[i];
        if (l.size != kAppIconSizes[i] || 2 * (l.inset + l.frame + l.line) + 3 * l.cell != l.size) {
            return false;
        }
    }
    return true;
}());

// One cell's digit, in the form that stays legible at the cell's size.
void DrawIconDigit(QImage& icon, int d, int x0, int y0, int cell, const QColor& ink) {
    if (cell >= 12) {
        const QFont font = DigitFont(true, (cell * 3 + 2) / 4);
        const QString text = QString::number(d);
        const QPointF ink0 = InkCentre(font, text);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setFont(font);
        p.setPen(ink);
        p.drawText(
            QPointF(std::round(x0 + cell / 2.0 - ink0.x()), std::round(y0 + cell / 2.0 - ink0.y())),
            text);
    } else if (cell >= 6) {
        DrawPixelDigit(icon, d, x0 + (cell - 4) / 2, y0 + (cell - 5) / 2, ink.rgb());
    } else {
        const int dot = cell / 2;
        for (int y = 0; y < dot; ++y) {
            for (int x = 0; x < dot; ++x) {
                PixelRef(icon, x0 + (cell - dot) / 2 + x, y0 + (cell - dot) / 2 + y) = ink.rgb();
            }
        }
    }
}

}  // namespace

QImage MakeAppIcon(int size) {
    const auto* layout = std::find_if(kIconLayouts.begin(), kIconLayouts.end(),
                                      [size](const SIconLayout& l) { return l.size == size; });
    if (layout == kIconLayouts.end()) {
        return {};
    }
    const SIconLayout& l = *layout;
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        const int side = size - 2 * l.inset;
        if (size >= 48) {
            // A little depth from 48 px up: the tile lightens towards its top.
            QLinearGradient g(0, l.inset, 0, l.inset + side);
            g.setColorAt(0.0, kTileBlue.lighter(150));
            g.setColorAt(1.0, kTileBlue);
            p.setBrush(g);
        } else {
            p.setBrush(kTileBlue);
        }
        const double radius = std::max(1.5, size * 0.14);
        p.drawRoundedRect(QRectF(l.inset, l.inset, side, side), radius, radius);
        const int box = 3 * l.cell + 2 * l.line;
        const int origin = l.inset + l.frame;
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(origin, origin, box, box), kTileLine);
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                p.fillRect(QRect(origin + col * (l.cell + l.line), origin + row * (l.cell + l.line),
                                 l.cell, l.cell),
                           kTilePaper);
            }
        }
    }
    const int origin = l.inset + l.frame;
    for (int i = 0; i < 9; ++i) {
        if (kTileDigits[i] != 0) {
            DrawIconDigit(icon, kTileDigits[i], origin + (i % 3) * (l.cell + l.line),
                          origin + (i / 3) * (l.cell + l.line), l.cell,
                          i == 4 ? kTileCentreInk : kTileInk);
        }
    }
    return icon;
}

QImage MakeToolbar(bool pencilOn, bool eraserOn, bool exitButton) {
    const int count = exitButton ? 6 : 5;
    QImage strip(count * kIcon, kIcon, QImage::Format_RGB32);
    strip.fill(kMagenta);
    PutIcon(strip, 0, NewGameIcon, false);
    PutIcon(strip, 1, PencilIcon, pencilOn);
    PutIcon(strip, 2, EraserIcon, eraserOn);
    PutIcon(strip, 3, UndoIcon, false);
    PutIcon(strip, 4, HintIcon, false);
    if (exitButton) {
        PutIcon(strip, 5, ExitIcon, false);
    }
    return strip;
}

QImage MakeAbout() {
    constexpr int kW = 176;
    constexpr int kH = 52;
    QImage img(kW, kH, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient bg(0, 0, kW, kH);
    bg.setColorAt(0.0, QColor(255, 255, 255));
    bg.setColorAt(1.0, QColor(222, 233, 248));
    p.fillRect(QRect(0, 0, kW, kH), bg);
    // The tile: a small 3 x 3 box with a few digits.
    const QRectF tile(5.5, 4.5, 43, 43);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 50, 90, 50));
    p.drawRoundedRect(tile.translated(1.5, 2.0), 5, 5);
    p.setBrush(kTileBlue);
    p.drawRoundedRect(tile, 5, 5);
    const QRectF box = tile.adjusted(3.5, 3.5, -3.5, -3.5);
    p.setBrush(kTilePaper);
    p.drawRect(box);
    p.setPen(QPen(kTileLine, 1.0));
    for (int k = 1; k < 3; ++k) {
        const double t = box.left() + k * box.width() / 3.0;
        p.drawLine(QPointF(t, box.top()), QPointF(t, box.bottom()));
        const double u = box.top() + k * box.height() / 3.0;
        p.drawLine(QPointF(box.left(), u), QPointF(box.right(), u));
    }
    const QFont digitFont = DigitFont(true, 11);
    p.setFont(digitFont);
    for (int i = 0; i < 9; ++i) {
        if (kTileDigits[i] == 0) {
            continue;
        }
        const QString text = QString::number(kTileDigits[i]);
        const QPointF centre(box.left() + ((i % 3) + 0.5) * box.width() / 3.0,
                             box.top() + ((i / 3) + 0.5) * box.height() / 3.0);
        const QPointF ink = InkCentre(digitFont, text);
        p.setPen(i == 4 ? kTileCentreInk : kTileInk);
        p.drawText(QPointF(std::round(centre.x() - ink.x()), std::round(centre.y() - ink.y())),
                   text);
    }
    // The title.
    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(26);
    title.setBold(true);
    title.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(title);
    p.setPen(QColor(20, 44, 96));
    p.drawText(QPointF(58, 32), QStringLiteral("Sudoku"));
    QLinearGradient rule(58, 0, 170, 0);
    rule.setColorAt(0.0, QColor(230, 160, 30));
    rule.setColorAt(1.0, QColor(230, 160, 30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(rule);
    p.drawRect(QRectF(59, 37, 108, 1.5));
    p.end();
    return img;
}
