// The plain canvas with the text of the desktop's pinned font, from a glyph set.
#include "platform/GlyphCanvas.h"

#include <algorithm>
#include <limits>

#include "platform/Utf8.h"

namespace {

// Reads the file's fields in order; any read past the end marks the reader failed.
class CReader {
public:
    explicit CReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    uint32_t Unsigned(std::size_t size) {
        if (m_failed || m_bytes.size() - m_pos < size) {
            m_failed = true;
            return 0;
        }
        uint32_t v = 0;
        for (std::size_t i = 0; i < size; ++i) {
            v |= static_cast<uint32_t>(m_bytes[m_pos + i]) << (8U * i);
        }
        m_pos += size;
        return v;
    }
    int Signed8() { return static_cast<int8_t>(static_cast<uint8_t>(Unsigned(1))); }
    int Signed16() { return static_cast<int16_t>(static_cast<uint16_t>(Unsigned(2))); }
    std::size_t Left() const { return m_bytes.size() - m_pos; }
    bool Failed() const { return m_failed; }
    bool AtEnd() const { return !m_failed && m_pos == m_bytes.size(); }

private:
    std::span<const uint8_t> m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

constexpr uint32_t kMagic = 0x31594C47;  // "GLY1"

// The box drawn for a character the set lacks: its advance and its outline from the pen.
constexpr int kBoxAdvance = 7 * 64;
constexpr int kBoxLeft = 1;
constexpr int kBoxTop = -9;
constexpr int kBoxWidth = 5;
constexpr int kBoxHeight = 9;

// One character of a laid-out line: its glyph (-1: the box) and its pen position in 64ths.
struct SPlaced {
    int glyph = -1;
    int64_t x = 0;
};

// The characters of one line from pen position 0, and the line's advance width in 64ths.
std::vector<SPlaced> LayOut(const CGlyphSet& set, std::string_view text, int64_t& width) {
    std::vector<SPlaced> line;
    int64_t pen = 0;
    int previous = -1;
    for (std::size_t pos = 0; pos < text.size();) {
        const int glyph = set.Find(utf8::NextCodePoint(text, pos));
        if (previous >= 0 && glyph >= 0) {
            pen += set.Kerning(previous, glyph);
        }
        line.push_back({glyph, pen});
        pen += glyph >= 0 ? set.Glyph(glyph).advance : kBoxAdvance;
        previous = glyph;
    }
    width = pen;
    return line;
}

// The pixel that a position in 64ths falls in (rounding down) or is nearest to.
int64_t FloorPixel(int64_t v64) {
    return v64 >= 0 ? v64 / 64 : -((-v64 + 63) / 64);
}
int64_t RoundPixel(int64_t v64) {
    return FloorPixel(v64 + 32);
}

}  // namespace

bool CGlyphSet::Load(std::span<const uint8_t> bytes) {
    CReader in(bytes);
    if (in.Unsigned(4) != kMagic) {
        return false;
    }
    in.Unsigned(2);  // the pixel size, for the reader of the file
    const int ascent = in.Signed16();
    const int descent = in.Signed16();
    in.Unsigned(2);  // the ascent, descent and leading in whole pixels, as Qt rounds them
    in.Unsigned(2);
    const int pixelHeight = in.Signed16();
    in.Unsigned(2);
    const uint32_t glyphCount = in.Unsigned(4);
    const uint32_t kernCount = in.Unsigned(4);
    // Each glyph takes at least 10 bytes and each pair 6: counts beyond what the file can
    // hold are refused before anything is reserved.
    if (in.Failed() || glyphCount > in.Left() / 10 || kernCount > in.Left() / 6 ||
        glyphCount > std::numeric_limits<uint16_t>::max()) {
        return false;
    }
    std::vector<SGlyph> glyphs(glyphCount);
    for (SGlyph& g : glyphs) {
        g.codePoint = in.Unsigned(4);
        g.advance = static_cast<int>(in.Unsigned(2));
        g.left = in.Signed8();
        g.top = in.Signed8();
        g.width = static_cast<int>(in.Unsigned(1));
        g.height = static_cast<int>(in.Unsigned(1));
        const std::size_t count = static_cast<std::size_t>(g.width) * g.height;
        if (in.Failed() || in.Left() < (count + 7) / 8) {
            return false;
        }
        g.bits.resize(count);
        uint32_t byte = 0;
        for (std::size_t i = 0; i < count; ++i) {
            if (i % 8 == 0) {
                byte = in.Unsigned(1);
            }
            g.bits[i] = ((byte >> (7 - i % 8)) & 1U) != 0;
        }
    }
    std::vector<SKern> kerning(kernCount);
    for (SKern& k : kerning) {
        k.first = static_cast<uint16_t>(in.Unsigned(2));
        k.second = static_cast<uint16_t>(in.Unsigned(2));
        k.adjust = in.Signed16();
    }
    const auto byCodePoint = [](const SGlyph& a, const SGlyph& b) {
        return a.codePoint < b.codePoint;
    };
    const auto byPair = [](const SKern& a, const SKern& b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    const bool pairsValid = std::all_of(kerning.begin(), kerning.end(), [&](const SKern& k) {
        return k.first < glyphCount && k.second < glyphCount;
    });
    if (!in.AtEnd() || !pairsValid || !std::is_sorted(glyphs.begin(), glyphs.end(), byCodePoint) ||
        !std::is_sorted(kerning.begin(), kerning.end(), byPair) || pixelHeight <= 0) {
        return false;
    }
    lineAscent = ascent;
    lineDescent = descent;
    height = pixelHeight;
    m_glyphs = std::move(glyphs);
    m_kerning = std::move(kerning);
    return true;
}

int CGlyphSet::Find(uint32_t codePoint) const {
    const auto it = std::lower_bound(m_glyphs.begin(), m_glyphs.end(), codePoint,
                                     [](const SGlyph& g, uint32_t cp) { return g.codePoint < cp; });
    return it != m_glyphs.end() && it->codePoint == codePoint
               ? static_cast<int>(it - m_glyphs.begin())
               : -1;
}

int CGlyphSet::Kerning(int first, int second) const {
    const SKern key{static_cast<uint16_t>(first), static_cast<uint16_t>(second), 0};
    const auto it = std::lower_bound(
        m_kerning.begin(), m_kerning.end(), key, [](const SKern& a, const SKern& b) {
            return a.first != b.first ? a.first < b.first : a.second < b.second;
        });
    return it != m_kerning.end() && it->first == key.first && it->second == key.second ? it->adjust
                                                                                       : 0;
}

void CGlyphCanvas::DrawTextLine(int64_t left, int64_t top, int64_t width, int64_t height,
                                std::string_view text, uint32_t colour, HAlign hAlign,
                                bool vCentre) {
    const uint32_t c = colour | 0xFF000000U;
    int64_t advance = 0;
    const std::vector<SPlaced> line = LayOut(m_glyphs, text, advance);
    // The line's box is placed in the rectangle in exact arithmetic; its corner is then cut
    // to 64ths towards zero, the pen lands on the pixel column below its position and the
    // baseline on the nearest row.
    const int64_t lineHeight = m_glyphs.lineAscent + m_glyphs.lineDescent;
    const int64_t x64 =
        hAlign == HAlign::kLeft ? left * 64 : (left * 128 + width * 64 - advance) / 2;
    const int64_t y64 =
        vCentre ? (top * 128 + height * 64 - lineHeight) / 2 : (top + height) * 64 - lineHeight;
    const int64_t baseline = RoundPixel(y64 + m_glyphs.lineAscent);
    const int64_t clipLeft = std::max<int64_t>(left, 0);
    const int64_t clipTop = std::max<int64_t>(top, 0);
    const int64_t clipRight = std::min<int64_t>(left + width, m_target.width);
    const int64_t clipBottom = std::min<int64_t>(top + height, m_target.height);
    for (const SPlaced& placed : line) {
        const int64_t penX = FloorPixel(x64 + placed.x);
        if (placed.glyph < 0) {
            // The box: its outline of kBoxWidth x kBoxHeight pixels.
            for (int row = 0; row < kBoxHeight; ++row) {
                for (int col = 0; col < kBoxWidth; ++col) {
                    const bool edge =
                        row == 0 || row == kBoxHeight - 1 || col == 0 || col == kBoxWidth - 1;
                    const int64_t px = penX + kBoxLeft + col;
                    const int64_t py = baseline + kBoxTop + row;
                    if (edge && px >= clipLeft && px < clipRight && py >= clipTop &&
                        py < clipBottom) {
                        m_target.Set(static_cast<int>(px), static_cast<int>(py), c);
                    }
                }
            }
            continue;
        }
        const CGlyphSet::SGlyph& g = m_glyphs.Glyph(placed.glyph);
        for (int row = 0; row < g.height; ++row) {
            const int64_t py = baseline + g.top + row;
            if (py < clipTop || py >= clipBottom) {
                continue;
            }
            for (int col = 0; col < g.width; ++col) {
                const int64_t px = penX + g.left + col;
                if (g.bits[static_cast<std::size_t>(row * g.width + col)] && px >= clipLeft &&
                    px < clipRight) {
                    m_target.Set(static_cast<int>(px), static_cast<int>(py), c);
                }
            }
        }
    }
}

void CGlyphCanvas::DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) {
    DrawTextLine(x, y, width, kTextBoxHeight, text, colour, HAlign::kLeft, false);
}

STextSize CGlyphCanvas::MeasureText(std::string_view text) {
    int64_t advance = 0;
    LayOut(m_glyphs, text, advance);
    const int64_t pixels = RoundPixel(advance);
    return {static_cast<int>(std::min<int64_t>(pixels, std::numeric_limits<int>::max())),
            m_glyphs.height > 0 ? m_glyphs.height : -kBoxTop + 3};
}

void CGlyphCanvas::DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                                  TextVAlign align) {
    DrawTextLine(rect.left, rect.top, int64_t{rect.right} - rect.left,
                 int64_t{rect.bottom} - rect.top, text, colour, HAlign::kCentre,
                 align == TextVAlign::kCentre);
}
