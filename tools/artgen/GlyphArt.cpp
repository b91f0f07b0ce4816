// The glyph sheet of a skin (numbers.bmp): digits in four styles, pencil marks and frames.
#include "tools/artgen/GlyphArt.h"

#include <QFontInfo>
#include <QPainterPath>
#include <algorithm>
#include <array>

#include "tools/artgen/Raster.h"
#include "tools/artgen/SkinStyles.h"
#include "ui/Layout.h"

namespace {

constexpr char kFamily[] = "DejaVu Sans";
constexpr int kDigitPixelSize = 18;

// 4 x 5 pencil-mark digits, one row per string, '#' for ink. Drawn pixel by pixel: at six
// pixels a scaled font turns to mush.
constexpr std::array<std::array<const char*, 5>, 9> kPixelDigits = {{
    {"..#.", ".##.", "..#.", "..#.", ".###"},  // 1
    {".##.", "#..#", "..#.", ".#..", "####"},  // 2
    {"###.", "...#", ".##.", "...#", "###."},  // 3
    {"..#.", ".##.", "#.#.", "####", "..#."},  // 4
    {"####", "#...", "###.", "...#", "###."},  // 5
    {".##.", "#...", "###.", "#..#", ".##."},  // 6
    {"####", "...#", "..#.", ".#..", ".#.."},  // 7
    {".##.", "#..#", ".##.", "#..#", ".##."},  // 8
    {".##.", "#..#", ".###", "...#", ".##."},  // 9
}};

// The coverage of one digit in a 21 x 21 cell, centred on pixel (10, 10) by whole-pixel
// shifts so that the hinted outlines stay sharp. All digits of a face share one baseline.
SMask DigitMask(int d, bool bold) {
    constexpr int kCanvas = 48;
    constexpr int kPenX = 12;
    constexpr int kBaseline = 34;
    const QFont font = DigitFont(bold, kDigitPixelSize);
    auto render = [&](int digit) {
        return PaintMask(kCanvas, kCanvas, [&](QPainter& p) {
            p.setFont(font);
            p.drawText(kPenX, kBaseline, QString::number(digit));
        });
    };
    // Vertical placement from the union of all nine digits' ink, horizontal from this one's.
    int top = kCanvas;
    int bottom = -1;
    for (int digit = 1; digit <= 9; ++digit) {
        const SMask m = render(digit);
        for (int y = 0; y < kCanvas; ++y) {
            for (int x = 0; x < kCanvas; ++x) {
                if (m.At(x, y) > 40) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
    }
    const SMask m = render(d);
    int left = kCanvas;
    int right = -1;
    for (int y = 0; y < kCanvas; ++y) {
        for (int x = 0; x < kCanvas; ++x) {
            if (m.At(x, y) > 40) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    // Ink centre (left + right) / 2 goes to 10; halves round towards the left and the top.
    const int dx = 10 - (left + right) / 2;
    const int dy = 10 - (top + bottom) / 2;
    SMask out;
    out.width = kCellSize;
    out.height = kCellSize;
    out.alpha.resize(kCellSize * kCellSize);
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            out.alpha[static_cast<std::size_t>(y * kCellSize + x)] = m.At(x - dx, y - dy);
        }
    }
    return out;
}

// Every pixel of the cell that is still exactly the face colour becomes magenta.
void KeyOut(QImage& sheet, int x0, int y0, int w, int h, QRgb face) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            QRgb& p = PixelRef(sheet, x, y);
            if (p == face) {
                p = kMagenta;
            }
        }
    }
}

void FillRect(QImage& sheet, int x0, int y0, int w, int h, QRgb c) {
    for (int y = y0; y < y0 + h; ++y) {
        for (int x = x0; x < x0 + w; ++x) {
            PixelRef(sheet, x, y) = c;
        }
    }
}

// A 2-pixel ring round the cell as the game frames it: a frame is copied one pixel below the
// cell's corner, so the ring spans columns 1..19 and rows 0..18 of the frame glyph.
SMask RingMask() {
    return PaintMask(kCellSize, kCellSize, [](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::white, 2.0));
        p.drawRoundedRect(QRectF(2.0, 1.0, 17.0, 17.0), 3.0, 3.0);
    });
}

void DrawDigitCell(QImage& sheet, int col, int row, int d, const SSkinStyle& s) {
    const int x0 = col * kCellSize;
    const int y0 = row * kCellSize;
    FillRect(sheet, x0, y0, kCellSize, kCellSize, s.cell);
    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    cell.fill(s.cell);
    switch (row) {
        case kStyleEntry:
            CompositeMask(cell, DigitMask(d, s.boldEntries), 0, 0, s.entry);
            break;
        case kStyleGiven:
            CompositeMask(cell, DigitMask(d, true), 0, 0, s.given);
            break;
        case kStyleIllegal: {
            const SMask badge = PaintMask(kCellSize, kCellSize, [](QPainter& p) {
                p.setPen(Qt::NoPen);
                p.drawRoundedRect(QRectF(2.0, 2.0, 17.0, 17.0), 3.5, 3.5);
            });
            CompositeMask(cell, badge, 0, 0, s.illegalBadge);
            CompositeMask(cell, DigitMask(d, true), 0, 0, s.illegalInk);
            break;
        }
        default: {  // kStyleNotAllowed
            CompositeMask(cell, DigitMask(d, s.boldEntries), 0, 0, s.notAllowedInk);
            const SMask slash = PaintMask(kCellSize, kCellSize, [](QPainter& p) {
                p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(4.5, 16.5), QPointF(16.5, 4.5));
            });
            CompositeMask(cell, slash, 0, 0, s.strike);
            break;
        }
    }
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            PixelRef(sheet, x0 + x, y0 + y) = cell.pixel(x, y);
        }
    }
    KeyOut(sheet, x0, y0, kCellSize, kCellSize, s.cell);
}

void DrawPencilMarks(QImage& sheet, const SSkinStyle& s) {
    for (int k = 0; k < 9; ++k) {
        const int x = kSheetMarkColumn * kCellSize + (k % 3) * kMarkSize;
        const int y = (k / 3) * kMarkSize;
        DrawPixelDigit(sheet, k + 1, x + 1, y + 1, s.pencil);
        // The illegal form: the digit in red on a small chip with clipped corners.
        const int yb = kStyleIllegal * kCellSize + y;
        for (int cy = 0; cy < kMarkSize; ++cy) {
            for (int cx = 0; cx < kMarkSize; ++cx) {
                const bool corner =
                    (cx == 0 || cx == kMarkSize - 1) && (cy == 0 || cy == kMarkSize - 1);
                if (!corner) {
                    PixelRef(sheet, x + cx, yb + cy) = s.pencilBadChip;
                }
            }
        }
        DrawPixelDigit(sheet, k + 1, x + 1, yb + 1, s.pencilBadInk);
    }
}

void DrawFrame(QImage& sheet, int row, QRgb ink, const SSkinStyle& s) {
    const int x0 = kSheetFrameColumn * kCellSize;
    const int y0 = row * kCellSize;
    QImage cell(kCellSize, kCellSize, QImage::Format_RGB32);
    cell.fill(s.cell);
    CompositeMask(cell, RingMask(), 0, 0, ink);
    for (int y = 0; y < kCellSize; ++y) {
        for (int x = 0; x < kCellSize; ++x) {
            PixelRef(sheet, x0 + x, y0 + y) = cell.pixel(x, y);
        }
    }
    KeyOut(sheet, x0, y0, kCellSize, kCellSize, s.cell);
}

}  // namespace

bool CheckFonts(std::string* why) {
    for (const char* family : {kFamily, "DejaVu Serif"}) {
        const QFontInfo info(QFont{QString::fromLatin1(family)});
        if (info.family() != QLatin1String(family)) {
            *why = std::string("the artwork needs the font \"") + family +
                   "\" (package fonts-dejavu-core); found \"" + info.family().toStdString() +
                   "\" instead";
            return false;
        }
    }
    return true;
}

QFont DigitFont(bool bold, int pixelSize) {
    QFont font{QString::fromLatin1(kFamily)};
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias |
                                               QFont::NoFontMerging));
    return font;
}

QPointF InkCentre(const QFont& font, const QString& text) {
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(text) + 2 * fm.height();
    const int h = 3 * fm.height();
    const int penX = fm.height();
    const int penY = 2 * fm.height();
    const SMask m = PaintMask(w, h, [&](QPainter& p) {
        p.setFont(font);
        p.drawText(penX, penY, text);
    });
    double sx = 0.0;
    double sy = 0.0;
    int left = w;
    int right = -1;
    int top = h;
    int bottom = -1;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (m.At(x, y) > 40) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0) {
        return {0.0, 0.0};
    }
    sx = (left + right + 1) / 2.0 - penX;
    sy = (top + bottom + 1) / 2.0 - penY;
    return {sx, sy};
}

void DrawPixelDigit(QImage& image, int d, int x, int y, QRgb ink) {
    const auto& rows = kPixelDigits[static_cast<std::size_t>(d - 1)];
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c) {
            if (rows[static_cast<std::size_t>(r)][c] == '#') {
                PixelRef(image, x + c, y + r) = ink;
            }
        }
    }
}

QImage MakeNumbers(int skin) {
    const SSkinStyle& s = SkinStyle(skin);
    QImage sheet(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
    sheet.fill(kMagenta);
    for (int row = 0; row < kSheetRows; ++row) {
        for (int k = 0; k < 9; ++k) {
            DrawDigitCell(sheet, k, row, k + 1, s);
        }
    }
    DrawPencilMarks(sheet, s);
    DrawFrame(sheet, kSheetSelectionRow, s.selection, s);
    DrawFrame(sheet, kSheetHintRow, s.hint, s);
    return sheet;
}
