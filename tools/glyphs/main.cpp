// sudoku-glyphs: renders the desktop's pinned font into the glyph set of the Qt-free canvas.
//
//   sudoku-glyphs OUT.bin       writes the glyph set
//   sudoku-glyphs --check FILE  exits 1 when FILE differs from the glyph set made now
//
// The set holds every character the game can draw on its device screen: every text of res/
// in every language, and printable ASCII. Glyphs are drawn one by one with CQtCanvas's font
// through QPainter, as CQtCanvas draws them; advances and the kerning of neighbours come from
// Qt's own text layout, and before anything is written every text of res/ is laid out both
// ways and must agree to the 64th of a pixel.
#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/QtCanvas.h"
#include "res/Dialogs.h"
#include "res/Menus.h"
#include "res/Strings.h"

namespace {

// Every text of res/, one line each (captions hold two lines separated by a line feed).
class CTexts {
public:
    CTexts() {
        for (int id = 0; id <= 0xFFFF; ++id) {
            Add(res::FindString(id));
        }
        for (int l = 0; l < res::kLanguageCount; ++l) {
            for (int m = 0; m < res::kMessageCount; ++m) {
                Add(res::MessageText(l, m));
            }
            for (int t = 0; t < res::kTipCount; ++t) {
                Add(res::TipText(l, t));
            }
            for (int r = 0; r < res::kFileReasonCount; ++r) {
                Add(res::FileReasonText(l, static_cast<res::FileReason>(r)));
            }
            Add(res::FileErrorText(l));
            Add(res::TutorialErrorText(l));
            Add(res::DataFolderReadOnlyText(l));
            Add(res::LanguageName(l));
            if (const res::SMenu* menu = res::FindMenu(res::kMainResource + l)) {
                for (const res::SMenuItem& popup : menu->popups) {
                    AddMenu(popup);
                }
            }
            for (const int base : {res::kStatsDialog, res::kAboutDialog}) {
                AddDialog(res::FindDialog(base + l));
            }
        }
        AddDialog(res::FindDialog(res::kLanguageDialog));
        // The clock, "59:23", is digits and a colon, all of them printable ASCII.
        std::string ascii;
        for (char c = ' '; c <= '~'; ++c) {
            ascii += c;
        }
        Add(ascii);
    }

    const std::vector<QString>& Lines() const { return m_lines; }

private:
    void Add(std::string_view text) {
        for (const QString& line :
             QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split('\n')) {
            if (!line.isEmpty()) {
                m_lines.push_back(line);
            }
        }
    }
    void AddMenu(const res::SMenuItem& item) {
        Add(item.caption);
        for (const res::SMenuItem& child : item.Items()) {
            AddMenu(child);
        }
    }
    void AddDialog(const res::SDialogTemplate* dialog) {
        if (dialog == nullptr) {
            return;
        }
        Add(dialog->caption);
        for (const res::SDialogControl& control : dialog->controls) {
            Add(control.text);
        }
    }

    std::vector<QString> m_lines;
};

struct SGlyph {
    int advance = 0;  // 64ths
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<bool> bits;
};

// One line laid out by Qt: each glyph's pen position and the line's advance, in 64ths.
struct SLaidOut {
    std::vector<int> positions;
    int advance = 0;
    int ascent = 0;
    int descent = 0;
};

int To64ths(qreal v) {
    return static_cast<int>(std::lround(v * 64));
}

SLaidOut LayOut(const QString& text) {
    QTextLayout layout(text, CQtCanvas::Font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    SLaidOut out;
    for (const QGlyphRun& run : line.glyphRuns()) {
        for (const QPointF& p : run.positions()) {
            out.positions.push_back(To64ths(p.x()));
        }
    }
    out.advance = To64ths(line.horizontalAdvance());
    out.ascent = To64ths(line.ascent());
    out.descent = To64ths(line.descent());
    return out;
}

QString OneChar(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

// The glyph as CQtCanvas draws it: the pen on a whole pixel, the ink's box from the pen.
SGlyph Render(char32_t c) {
    constexpr int kSize = 64;
    constexpr int kPen = 16;
    constexpr int kBaseline = 40;
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(CQtCanvas::Font());
        painter.setPen(Qt::black);
        painter.drawText(QPointF(kPen, kBaseline), OneChar(c));
    }
    SGlyph g;
    g.advance = LayOut(OneChar(c)).advance;
    int x0 = kSize;
    int y0 = kSize;
    int x1 = -1;
    int y1 = -1;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    if (x1 < 0) {
        return g;
    }
    g.left = x0 - kPen;
    g.top = y0 - kBaseline;
    g.width = x1 - x0 + 1;
    g.height = y1 - y0 + 1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            g.bits.push_back(image.pixel(x, y) != qRgb(255, 255, 255));
        }
    }
    return g;
}

void Put(std::vector<uint8_t>& out, uint32_t v, int size) {
    for (int i = 0; i < size; ++i) {
        out.push_back(static_cast<uint8_t>((v >> (8 * i)) & 0xFFU));
    }
}

// The glyph set, or an empty vector (with the reason on standard error) when Qt's layout does
// something that per-character advances and pair kerning do not reproduce.
std::vector<uint8_t> MakeGlyphSet() {
    const CTexts texts;
    std::set<char32_t> chars;
    for (const QString& line : texts.Lines()) {
        for (const char32_t c : line.toUcs4()) {
            chars.insert(c);
        }
    }
    const QFontMetrics metrics(CQtCanvas::Font());
    std::map<char32_t, SGlyph> glyphs;
    std::map<char32_t, int> index;
    for (const char32_t c : chars) {
        if (!metrics.inFont(OneChar(c).at(0))) {
            std::fprintf(stderr, "sudoku-glyphs: U+%04X is not in the pinned font\n",
                         static_cast<unsigned>(c));
            return {};
        }
        index[c] = static_cast<int>(glyphs.size());
        glyphs[c] = Render(c);
    }
    // Kerning: what Qt's layout of each pair adds to the first advance.
    std::map<std::pair<int, int>, int> kerning;
    for (const char32_t a : chars) {
        for (const char32_t b : chars) {
            const SLaidOut pair = LayOut(OneChar(a) + OneChar(b));
            const int adjust =
                pair.positions.size() == 2 ? pair.positions[1] - glyphs[a].advance : 0;
            if (adjust != 0) {
                kerning[{index[a], index[b]}] = adjust;
            }
        }
    }
    const SLaidOut probe = LayOut(QStringLiteral("Hg"));
    // Every text must come out of Qt's layout as the glyph set lays it out.
    for (const QString& line : texts.Lines()) {
        const SLaidOut qt = LayOut(line);
        const std::u32string u = line.toStdU32String();
        int pen = 0;
        std::vector<int> ours;
        for (std::size_t i = 0; i < u.size(); ++i) {
            if (i > 0) {
                const auto k = kerning.find({index[u[i - 1]], index[u[i]]});
                pen += k != kerning.end() ? k->second : 0;
            }
            ours.push_back(pen);
            pen += glyphs[u[i]].advance;
        }
        const int measured = metrics.horizontalAdvance(line);
        if (ours != qt.positions || pen != qt.advance || (pen + 32) / 64 != measured ||
            qt.ascent != probe.ascent || qt.descent != probe.descent) {
            std::fprintf(stderr, "sudoku-glyphs: Qt lays out \"%s\" otherwise\n",
                         line.toUtf8().constData());
            return {};
        }
    }
    std::vector<uint8_t> out;
    out.insert(out.end(), {'G', 'L', 'Y', '1'});
    Put(out, CQtCanvas::kFontPixelSize, 2);
    Put(out, static_cast<uint32_t>(probe.ascent), 2);
    Put(out, static_cast<uint32_t>(probe.descent), 2);
    Put(out, static_cast<uint32_t>(metrics.ascent()), 2);
    Put(out, static_cast<uint32_t>(metrics.descent()), 2);
    Put(out, static_cast<uint32_t>(metrics.height()), 2);
    Put(out, static_cast<uint32_t>(metrics.leading()), 2);
    Put(out, static_cast<uint32_t>(glyphs.size()), 4);
    Put(out, static_cast<uint32_t>(kerning.size()), 4);
    for (const auto& [c, g] : glyphs) {
        Put(out, c, 4);
        Put(out, static_cast<uint32_t>(g.advance), 2);
        Put(out, static_cast<uint32_t>(g.left) & 0xFFU, 1);
        Put(out, static_cast<uint32_t>(g.top) & 0xFFU, 1);
        Put(out, static_cast<uint32_t>(g.width), 1);
        Put(out, static_cast<uint32_t>(g.height), 1);
        uint32_t byte = 0;
        for (std::size_t i = 0; i < g.bits.size(); ++i) {
            byte = (byte << 1U) | (g.bits[i] ? 1U : 0U);
            if (i % 8 == 7 || i + 1 == g.bits.size()) {
                out.push_back(static_cast<uint8_t>(byte << (7 - i % 8)));
                byte = 0;
            }
        }
    }
    for (const auto& [pair, adjust] : kerning) {
        Put(out, static_cast<uint32_t>(pair.first), 2);
        Put(out, static_cast<uint32_t>(pair.second), 2);
        Put(out, static_cast<uint32_t>(adjust) & 0xFFFFU, 2);
    }
    std::fprintf(stderr, "sudoku-glyphs: %zu characters, %zu kerning pairs, %zu bytes\n",
                 glyphs.size(), kerning.size(), out.size());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: sudoku-glyphs OUT.bin | sudoku-glyphs --check FILE\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const std::vector<uint8_t> set = MakeGlyphSet();
    if (set.empty()) {
        return 1;
    }
    const std::string path = argv[argc - 1];
    if (check) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
        if (file != set) {
            std::fprintf(stderr,
                         "sudoku-glyphs: %s is not the glyph set of the pinned font and the texts "
                         "of res/; regenerate it and commit it: %s %s\n",
                         path.c_str(), argv[0], path.c_str());
            return 1;
        }
        return 0;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(set.data()), static_cast<std::streamsize>(set.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "sudoku-glyphs: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
