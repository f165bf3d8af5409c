#include "font/row_packing.h"

#include <array>
#include <cassert>

namespace glyphsmith {

// Each cell column is one 64-bit word whose bit y is row y, so both loops
// work on one byte column (eight cell columns) at a time, moving bits between
// the column words and a small buffer of that byte column's row bytes.

void packRows(const Glyph& glyph, std::span<std::uint8_t> out)
{
    const int width = glyph.width;
    const int height = glyph.height;
    assert(fitsGlyph(width, height));
    const int stride = rowBytes(width);
    assert(out.size() >= packedSize(width, height));

    for (int j = 0; j < stride; ++j) {
        std::array<std::uint8_t, MaxGlyphSize> bytes{};
        for (int bit = 0; bit < 8; ++bit) {
            // Leftmost column first: each column shifts the ones before it up.
            const std::uint64_t column = glyph.pixels[static_cast<std::size_t>(8 * j + bit)];
            for (int y = 0; y < height; ++y)
                bytes[y] = static_cast<std::uint8_t>((bytes[y] << 1) | ((column >> y) & 1));
        }
        for (int y = 0; y < height; ++y)
            out[static_cast<std::size_t>(y * stride + j)] = bytes[y];
    }
}

void unpackRows(std::span<const std::uint8_t> rows, int width, int height, Glyph& glyph)
{
    assert(fitsGlyph(width, height));
    const int stride = rowBytes(width);
    assert(rows.size() >= packedSize(width, height));

    // Rows below the height and columns past the last byte column read as
    // clear, so every column word is written whole and no cell needs
    // clearing beforehand.
    glyph.pixels.fill(0);
    for (int j = 0; j < stride; ++j) {
        for (int y = 0; y < height; ++y) {
            const unsigned byte = rows[static_cast<std::size_t>(y * stride + j)];
            for (int bit = 0; bit < 8; ++bit)
                glyph.pixels[static_cast<std::size_t>(8 * j + bit)] |= std::uint64_t{ (byte >> (7 - bit)) & 1u } << y;
        }
    }
}

} // namespace glyphsmith
