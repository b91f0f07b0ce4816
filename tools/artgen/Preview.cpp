// Previews of the shipped artwork, composed the way the game draws its screens.
#include "tools/artgen/Preview.h"

#include <QFont>
#include <QPainter>
#include <array>

#include "platform/FileIO.h"
#include "tools/artgen/BmpFile.h"
#include "tools/artgen/Raster.h"
#include "tools/artgen/SkinStyles.h"
#include "tools/artgen/SplashArt.h"

namespace {

struct SLayout {
    const char* name;
    int screenW, screenH;
    int boardX, boardY;
    int gridX, gridY;
    int paletteX, paletteY;
    int splashX, animX;
};

constexpr std::array<SLayout, 2> kLayouts = {{
    {"480x272", 480, 272, 0, 0, 142, 12, 142, 204, 0, 158},
    {"320x240", 320, 240, -78, -14, 64, -2, 64, 190, -78, 80},
}};

enum class EMode { CellSelect, NumberSelect, KeySelect };

// A sample game: a well-known puzzle with some entries, one of them illegal, and marks.
struct SPosition {
    std::array<int, 81> value{};
    std::array<bool, 81> given{};
    std::array<int, 81> marks{};  // the player's pencil marks, bit d-1 for digit d
};

constexpr const char* kPuzzle =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

SPosition SamplePosition() {
    SPosition pos;
    for (int i = 0; i < 81; ++i) {
        pos.value[static_cast<std::size_t>(i)] = kPuzzle[i] - '0';
        pos.given[static_cast<std::size_t>(i)] = kPuzzle[i] != '0';
    }
    auto put = [&pos](int x, int y, int v) { pos.value[static_cast<std::size_t>(y * 9 + x)] = v; };
    put(2, 0, 4);
    put(3, 0, 6);
    put(0, 2, 1);
    put(4, 4, 5);
    put(6, 0, 9);
    put(3, 2, 3);
    put(7, 4, 9);
    put(2, 1, 5);  // illegal: row 1 already has a given 5
    put(1, 8, 4);
    put(5, 6, 7);
    return pos;
}

int Index(int x, int y) {
    return y * 9 + x;
}

// Digits not yet used in the row, column and box of (x, y).
int LegalMask(const SPosition& pos, int x, int y) {
    int used = 0;
    for (int k = 0; k < 9; ++k) {
        for (const int i :
             {Index(k, y), Index(x, k), Index(x - x % 3 + k % 3, y - y % 3 + k / 3)}) {
            if (i != Index(x, y) && pos.value[static_cast<std::size_t>(i)] != 0) {
                used |= 1 << (pos.value[static_cast<std::size_t>(i)] - 1);
            }
        }
    }
    return 0x1FF & ~used;
}

void AddMarks(SPosition& pos) {
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if (pos.value[static_cast<std::size_t>(Index(x, y))] == 0 && (x + 2 * y) % 4 != 1) {
                pos.marks[static_cast<std::size_t>(Index(x, y))] = LegalMask(pos, x, y);
            }
        }
    }
    // Two marks the player set before the digit went in elsewhere: they show as illegal.
    pos.marks[static_cast<std::size_t>(Index(1, 1))] |= 1 << 4;
    pos.marks[static_cast<std::size_t>(Index(8, 2))] |= (1 << 0) | (1 << 5);
}

void CopyRect(QImage& dst, const QImage& src, int x, int y, int sx, int sy, int w, int h,
              bool keyed) {
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const int dx = x + i;
            const int dy = y + j;
            if (dx < 0 || dy < 0 || dx >= dst.width() || dy >= dst.height() ||
                sx + i >= src.width() || sy + j >= src.height()) {
                continue;
            }
            const QRgb c = src.pixel(sx + i, sy + j);
            if (keyed && c == kMagenta) {
                continue;
            }
            PixelRef(dst, dx, dy) = c;
        }
    }
}

// A one-pixel line from (x1, y1) towards (x2, y2), the end point left out; only straight
// horizontal and vertical lines are needed.
void Line(QImage& dst, int x1, int y1, int x2, int y2, QRgb c) {
    const int sx = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
    const int sy = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
    for (int x = x1, y = y1; x != x2 || y != y2; x += sx, y += sy) {
        if (x >= 0 && y >= 0 && x < dst.width() && y < dst.height()) {
            PixelRef(dst, x, y) = c;
        }
    }
}

struct SSkinPictures {
    QImage board;
    QImage numbers;
};

QImage Compose(const SLayout& L, const SSkinPictures& skin, const SSkinStyle& style, EMode mode) {
    SPosition pos = SamplePosition();
    const bool autoMarks = mode == EMode::KeySelect;
    if (!autoMarks) {
        AddMarks(pos);
    }
    const bool flagIllegal = true;
    const bool limitNumbers = mode == EMode::CellSelect;
    const int selX = mode == EMode::NumberSelect ? -1 : (mode == EMode::CellSelect ? 7 : 1);
    const int selY = mode == EMode::NumberSelect ? -1 : (mode == EMode::CellSelect ? 1 : 4);
    const int hintX = 0;
    const int hintY = 6;
    const int number = 5;
    QImage screen(L.screenW, L.screenH, QImage::Format_RGB32);
    screen.fill(Qt::black);
    CopyRect(screen, skin.board, L.boardX, L.boardY, 0, 0, skin.board.width(), skin.board.height(),
             false);
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int i = Index(x, y);
            const int v = pos.value[static_cast<std::size_t>(i)];
            const int px = x * kCell + L.gridX;
            const int py = y * kCell + L.gridY;
            if (mode != EMode::NumberSelect && x == selX && y == selY) {
                CopyRect(screen, skin.numbers, px, py + 1, 210, 21, kCell, kCell, true);
            }
            if (mode == EMode::CellSelect && x == hintX && y == hintY) {
                CopyRect(screen, skin.numbers, px, py + 1, 210, 42, kCell, kCell, true);
            }
            const int legal = LegalMask(pos, x, y);
            if (v != 0) {
                int glyphRow = pos.given[static_cast<std::size_t>(i)] ? 1 : 0;
                if (glyphRow == 0 && flagIllegal && (legal & (1 << (v - 1))) == 0) {
                    glyphRow = 2;
                }
                CopyRect(screen, skin.numbers, px, py, (v - 1) * kCell, glyphRow * kCell, kCell,
                         kCell, true);
                continue;
            }
            const int shown = autoMarks ? legal : pos.marks[static_cast<std::size_t>(i)];
            for (int k = 0; k < 9; ++k) {
                if ((shown & (1 << k)) == 0) {
                    continue;
                }
                const bool bad = flagIllegal && !autoMarks && (legal & (1 << k)) == 0;
                CopyRect(screen, skin.numbers, px + (k % 3) * kMark + 1, py + (k / 3) * kMark + 1,
                         9 * kCell + (k % 3) * kMark, (bad ? 2 * kCell : 0) + (k / 3) * kMark,
                         kMark, kMark, true);
            }
        }
    }
    const bool selected = selX >= 0 && selY >= 0;
    const int selLegal = selected ? LegalMask(pos, selX, selY) : 0x1FF;
    for (int j = 0; j < 9; ++j) {
        const int px = j * kCell + L.paletteX;
        const int py = L.paletteY;
        const bool notAllowed = limitNumbers && selected && (selLegal & (1 << j)) == 0;
        if (mode == EMode::NumberSelect && j == number - 1) {
            CopyRect(screen, skin.numbers, px + 1, py, 210, 21, kCell, kCell, true);
        }
        if (mode == EMode::KeySelect && selected && (selLegal & (1 << j)) != 0) {
            CopyRect(screen, skin.numbers, px, py, 210, 42, kCell, kCell, true);
        }
        CopyRect(screen, skin.numbers, px, py, j * kCell, notAllowed ? 3 * kCell : 0, kCell, kCell,
                 true);
    }
    if (mode == EMode::NumberSelect) {
        const int half = kCell / 2;
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                if (pos.value[static_cast<std::size_t>(Index(x, y))] != number) {
                    continue;
                }
                const int cx = L.gridX + x * kCell + half;
                const int cy = L.gridY + y * kCell + half;
                Line(screen, L.gridX, cy, L.gridX + 9 * kCell, cy, style.hatch);
                Line(screen, cx, L.gridY, cx, L.gridY + 9 * kCell, style.hatch);
                const int bx = x - x % 3;
                const int by = y - y % 3;
                for (int yy = by; yy < by + 3; ++yy) {
                    for (int xx = bx; xx < bx + 3; ++xx) {
                        if (pos.value[static_cast<std::size_t>(Index(xx, yy))] != 0) {
                            continue;
                        }
                        const int hx = L.gridX + xx * kCell + half;
                        const int hy = L.gridY + yy * kCell + half;
                        Line(screen, L.gridX + bx * kCell, hy, L.gridX + (bx + 3) * kCell, hy,
                             style.hatch);
                        Line(screen, hx, L.gridY + by * kCell, hx, L.gridY + (by + 3) * kCell,
                             style.hatch);
                    }
                }
            }
        }
    }
    if (L.screenH > 240) {
        QPainter p(&screen);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(9);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(kClockTextX, 112, L.screenW, 24), Qt::AlignLeft | Qt::AlignBottom,
                   QStringLiteral("12:34"));
    }
    return screen;
}

QImage Enlarge(const QImage& img, int factor) {
    return img.scaled(img.width() * factor, img.height() * factor, Qt::IgnoreAspectRatio,
                      Qt::FastTransformation);
}

bool Load(const std::filesystem::path& resDir, const std::string& rel, QImage& out,
          std::string* why) {
    const auto bytes = fileio::ReadFile(resDir / rel, 4U << 20U, why);
    if (!bytes) {
        *why = rel + ": " + *why;
        return false;
    }
    std::string reason;
    out = DecodeBmp(*bytes, &reason);
    if (out.isNull()) {
        *why = rel + ": " + reason;
        return false;
    }
    return true;
}

bool Save(const QImage& img, const std::filesystem::path& path, std::string* why) {
    if (!img.save(QString::fromStdString(path.string()), "PNG")) {
        *why = "cannot write " + path.string();
        return false;
    }
    return true;
}

}  // namespace

bool WritePreviews(const std::filesystem::path& resDir, const std::filesystem::path& outDir,
                   std::string* why) {
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
        *why = "cannot create " + outDir.string() + ": " + ec.message();
        return false;
    }
    constexpr std::array<std::pair<EMode, const char*>, 3> kModes = {{
        {EMode::CellSelect, "cell"},
        {EMode::NumberSelect, "number"},
        {EMode::KeySelect, "keys"},
    }};
    for (int skin = 0; skin < kSkinCount; ++skin) {
        const SSkinStyle& style = SkinStyle(skin);
        SSkinPictures pictures;
        const std::string folder = style.folder;
        if (!Load(resDir, folder + "/board.bmp", pictures.board, why) ||
            !Load(resDir, folder + "/numbers.bmp", pictures.numbers, why)) {
            return false;
        }
        const std::string stem = std::string("skin") + std::to_string(skin + 1) + "-" + style.name;
        for (const auto& [mode, modeName] : kModes) {
            for (const SLayout& L : kLayouts) {
                const QImage screen = Compose(L, pictures, style, mode);
                if (!Save(screen, outDir / (stem + "-" + modeName + "-" + L.name + ".png"), why) ||
                    !Save(Enlarge(screen, 3),
                          outDir / (stem + "-" + modeName + "-" + L.name + "-x3.png"), why)) {
                    return false;
                }
                if (L.screenW == 480 &&
                    !Save(Enlarge(screen.copy(136, 6, 100, 232), 4),
                          outDir / (stem + "-" + modeName + "-detail-x4.png"), why)) {
                    return false;
                }
            }
        }
        if (!Save(Enlarge(pictures.numbers, 4), outDir / (stem + "-numbers-x4.png"), why)) {
            return false;
        }
    }
    QImage splash;
    QImage anim;
    if (!Load(resDir, "Splash/Splash.bmp", splash, why) ||
        !Load(resDir, "Splash/Anim.bmp", anim, why)) {
        return false;
    }
    for (const SLayout& L : kLayouts) {
        QImage sheet(L.screenW * kFrameCount + 4 * (kFrameCount - 1), L.screenH,
                     QImage::Format_RGB32);
        sheet.fill(Qt::white);
        for (int f = 0; f < kFrameCount; ++f) {
            QImage screen(L.screenW, L.screenH, QImage::Format_RGB32);
            screen.fill(Qt::black);
            CopyRect(screen, splash, L.splashX, 0, 0, 0, splash.width(), splash.height(), false);
            CopyRect(screen, anim, L.animX, kAnimY, 0, f * kFrameHeight, kFrameWidth, kFrameHeight,
                     false);
            QPainter p(&sheet);
            p.drawImage(f * (L.screenW + 4), 0, screen);
            const std::string name =
                std::string("splash-") + L.name + "-frame" + std::to_string(f) + "-x2.png";
            if (!Save(Enlarge(screen, 2), outDir / name, why)) {
                return false;
            }
        }
        if (!Save(sheet, outDir / (std::string("splash-") + L.name + ".png"), why)) {
            return false;
        }
    }
    QImage icons(6 * 16 * 4 + 120, 6 * (16 * 4 + 8), QImage::Format_RGB32);
    icons.fill(qRgb(236, 236, 236));
    {
        QPainter p(&icons);
        int row = 0;
        for (const char* name :
             {"toolbar110", "toolbar132", "toolbar134", "toolbar135", "toolbar136"}) {
            QImage strip;
            if (!Load(resDir, std::string("bitmaps/") + name + ".bmp", strip, why)) {
                return false;
            }
            QImage keyed = strip.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < keyed.height(); ++y) {
                for (int x = 0; x < keyed.width(); ++x) {
                    if (strip.pixel(x, y) == kMagenta) {
                        keyed.setPixel(x, y, qRgba(0, 0, 0, 0));
                    }
                }
            }
            p.drawImage(4, 4 + row * (16 * 4 + 8), Enlarge(keyed, 4));
            p.drawImage(6 * 16 * 4 + 12, 4 + row * (16 * 4 + 8) + 24, keyed);
            ++row;
        }
        QImage about;
        if (!Load(resDir, "bitmaps/about139.bmp", about, why)) {
            return false;
        }
        p.drawImage(4, 4 + row * (16 * 4 + 8), Enlarge(about, 1));
        if (!Save(Enlarge(about, 3), outDir / "about139-x3.png", why)) {
            return false;
        }
    }
    return Save(icons, outDir / "toolbars-about.png", why);
}
