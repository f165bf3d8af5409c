#pragma once

// How both font file formats store a glyph's cells: one row after another, top
// row first, each row in rowBytes(width) bytes. Bit 7 of a byte is the leftmost
// of its eight columns. When the width is not a multiple of 8, the unused low
// bits of a row's last byte carry the glyph's own cells in those columns, so
// hidden cells survive a save and a load.

#include <cstddef>
#include <cstdint>
#include <span>

#include "font/bitmap_font.h"

namespace glyphsmith {

// Bytes per row for a glyph `width` columns wide (0 for width 0).
constexpr int rowBytes(int width) { return (width + 7) / 8; }

// Whether a width and height can be held by a Glyph, and so packed or unpacked.
constexpr bool fitsGlyph(int width, int height)
{
    return width >= 0 && width <= MaxGlyphSize && height >= 0 && height <= MaxGlyphSize;
}

// Bytes taken by all rows of a glyph of this size.
constexpr std::size_t packedSize(int width, int height)
{
    return static_cast<std::size_t>(height) * static_cast<std::size_t>(rowBytes(width));
}

// The most bytes the rows of one glyph can take (64 rows of 8 bytes).
inline constexpr std::size_t MaxPackedBytes = packedSize(MaxGlyphSize, MaxGlyphSize);

// Packs rows 0 to height - 1 of `glyph` into `out`, which must hold at least
// packedSize(width, height) bytes. Only the lowest bit of each cell is used.
// The glyph's width and height must lie in 0 to 64.
void packRows(const Glyph& glyph, std::span<std::uint8_t> out);

// Replaces every cell of `glyph` from packed rows: the cells of rows 0 to
// height - 1 in columns 0 to 8 * rowBytes(width) - 1 come from `rows`, each
// becoming 0 or 1, and every other cell becomes 0. The glyph's size is left
// alone. `rows` must hold at least packedSize(width, height) bytes; width and
// height must lie in 0 to 64.
void unpackRows(std::span<const std::uint8_t> rows, int width, int height, Glyph& glyph);

} // namespace glyphsmith
