#pragma once

// Fonts and byte helpers shared by the tests of the AGS and SCI file formats.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <vector>

#include "font/bitmap_font.h"
#include "font/row_packing.h"

namespace glyphsmith {

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values)
{
    std::vector<std::uint8_t> bytes;
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

inline void append(std::vector<std::uint8_t>& bytes, std::initializer_list<int> values)
{
    for (int value : values)
        bytes.push_back(static_cast<std::uint8_t>(value));
}

inline void appendU16(std::vector<std::uint8_t>& bytes, unsigned value)
{
    append(bytes, { static_cast<int>(value & 0xff), static_cast<int>(value >> 8) });
}

inline void setU16(std::vector<std::uint8_t>& bytes, std::size_t position, unsigned value)
{
    bytes.at(position) = static_cast<std::uint8_t>(value & 0xff);
    bytes.at(position + 1) = static_cast<std::uint8_t>(value >> 8);
}

// Every size from 0 to 64 appears as a width and as a height, and every cell of
// every glyph, hidden ones included, is set at random.
inline std::unique_ptr<BitmapFont> variedFont(unsigned seed = 1)
{
    auto font = std::make_unique<BitmapFont>();
    std::mt19937 random(seed);
    font->lineHeight = 20;
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = font->glyphs[c];
        glyph.width = (c * 7) % (MaxGlyphSize + 1);
        glyph.height = (c * 11) % (MaxGlyphSize + 1);
        for (std::int32_t& cell : glyph.pixels)
            cell = static_cast<std::int32_t>(random() & 1);
    }
    return font;
}

// The glyph as a file keeps it: its size and the cells of the stored rows up
// to the end of each row's last byte; every other cell clear.
inline Glyph storedPart(const Glyph& glyph)
{
    Glyph kept;
    kept.width = glyph.width;
    kept.height = glyph.height;
    for (int x = 0; x < 8 * rowBytes(glyph.width); ++x)
        for (int y = 0; y < glyph.height; ++y)
            kept.cell(x, y) = glyph.cell(x, y) & 1;
    return kept;
}

} // namespace glyphsmith
