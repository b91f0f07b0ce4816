// CGlyphCanvas: the plain canvas with the text of the desktop's pinned font, from a glyph set.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/ImageCanvas.h"

// The glyphs of the desktop's font (CQtCanvas::Font(): WenQuanYi Micro Hei, 12 px, 1-bit),
// rendered at build time by tools/glyphs into res/fonts/glyphs12.bin. Lengths along a line are
// in 64ths of a pixel, as the font's layout computes them: advances and the kerning of
// neighbours are fractional, and a glyph lands on the pixel column below its exact position.
//
// The file, little-endian: "GLY1"; u16 pixel size; i16 line ascent and descent in 64ths;
// i16 ascent, descent, height and leading in pixels; u32 glyph count; u32 kerning-pair count;
// then per glyph, by rising code point: u32 code point, u16 advance (64ths), i8 left and i8 top
// of its bitmap from the pen on the baseline, u8 width, u8 height, and width x height bits row
// after row (the most significant bit first, padded to a byte); then per kerning pair, by
// rising (first, second): u16 first and u16 second glyph index, i16 adjustment (64ths).
class CGlyphSet {
public:
    struct SGlyph {
        uint32_t codePoint = 0;
        int advance = 0;  // 64ths
        int left = 0;
        int top = 0;  // negative: above the baseline
        int width = 0;
        int height = 0;
        std::vector<bool> bits;  // width x height, row after row
    };
    struct SKern {
        uint16_t first = 0;
        uint16_t second = 0;
        int adjust = 0;  // 64ths
    };

    // Reads a glyph set; a damaged or foreign file gives false and leaves the set as it was.
    bool Load(std::span<const uint8_t> bytes);

    // The glyph's index, or -1 when the set lacks the character.
    int Find(uint32_t codePoint) const;
    const SGlyph& Glyph(int index) const { return m_glyphs[static_cast<std::size_t>(index)]; }
    int Kerning(int first, int second) const;
    int GlyphCount() const { return static_cast<int>(m_glyphs.size()); }

    int lineAscent = 0;  // 64ths
    int lineDescent = 0;
    int height = 0;  // pixels: the line height MeasureText gives

private:
    std::vector<SGlyph> m_glyphs;
    std::vector<SKern> m_kerning;
};

// Draws as CImageCanvas does, and text as CQtCanvas draws it: the same size and the same pixels
// for every character of the set. A character the set lacks, and a byte that is not well-formed
// UTF-8, is drawn as a hollow box.
class CGlyphCanvas : public CImageCanvas {
public:
    // The set must outlive the canvas.
    CGlyphCanvas(Bitmap& target, const CGlyphSet& glyphs)
        : CImageCanvas(target), m_target(target), m_glyphs(glyphs) {}

    void DrawTextAt(int x, int y, int width, std::string_view text, uint32_t colour) override;
    STextSize MeasureText(std::string_view text) override;
    void DrawTextInRect(const SRect& rect, std::string_view text, uint32_t colour,
                        TextVAlign align) override;

private:
    enum class HAlign { kLeft, kCentre };
    void DrawTextLine(int64_t left, int64_t top, int64_t width, int64_t height,
                      std::string_view text, uint32_t colour, HAlign hAlign, bool vCentre);

    Bitmap& m_target;
    const CGlyphSet& m_glyphs;
};

// Makes CGlyphCanvas over one glyph set, read from the bytes of a glyph-set file (the game's is
// res::GlyphSet()). Bytes that are not a glyph set leave it empty: every character is a box.
class CGlyphCanvasFactory : public ICanvasFactory {
public:
    explicit CGlyphCanvasFactory(std::span<const uint8_t> glyphSet) {
        m_loaded = m_set.Load(glyphSet);
    }
    bool IsLoaded() const { return m_loaded; }
    std::unique_ptr<ICanvas> Create(Bitmap& target) override {
        return std::make_unique<CGlyphCanvas>(target, m_set);
    }

private:
    CGlyphSet m_set;
    bool m_loaded = false;
};
