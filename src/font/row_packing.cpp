#include "font/row_packing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>
#include <utility>

#include "font/bit_transpose.h"

namespace glyphsmith {

// A glyph keeps its cells as column words (bit y of pixels[x] is row y), a
// file as rows of bytes. Moving between the two transposes a square matrix
// of bits whole words at a time (bit_transpose.h), which moves 64 cells an
// operation where a loop over cells moves one. The matrix is only as large
// as the glyph needs (8, 16, 32 or 64 words), so a small glyph costs little.

namespace {

// The side of the smallest square bit matrix that holds `columns` x `rows` cells.
int matrixSide(int columns, int rows)
{
    const int side = std::max(columns, rows);
    return side <= 8 ? 8 : static_cast<int>(std::bit_ceil(static_cast<unsigned>(side)));
}

// The first `Bytes` bytes at `from`, byte j in bits 8j to 8j + 7.
template <int Bytes>
std::uint64_t loadRow(const std::uint8_t* from)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t word = 0;
        std::memcpy(&word, from, Bytes);
        return word;
    } else {
        std::uint64_t word = 0;
        for (int j = 0; j < Bytes; ++j)
            word |= std::uint64_t{ from[j] } << (8 * j);
        return word;
    }
}

template <int Bytes>
void storeRow(std::uint64_t word, std::uint8_t* to)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(to, &word, Bytes);
    } else {
        for (int j = 0; j < Bytes; ++j)
            to[j] = static_cast<std::uint8_t>(word >> (8 * j));
    }
}

// Swaps bit c of byte r with bit r of byte c: an 8 x 8 transpose within one word.
std::uint64_t transposeBytes(std::uint64_t x)
{
    std::uint64_t t = (x ^ (x >> 7)) & 0x00aa00aa00aa00aau;
    x ^= t ^ (t << 7);
    t = (x ^ (x >> 14)) & 0x0000cccc0000ccccu;
    x ^= t ^ (t << 14);
    t = (x ^ (x >> 28)) & 0x00000000f0f0f0f0u;
    return x ^ t ^ (t << 28);
}

// Clears two words per step, each step written out. Left as a loop, the
// clearing became a string instruction whose start-up cost more than the
// rest of a small glyph's unpacking.
template <std::size_t... Pair>
void clearWords(std::uint64_t* words, std::index_sequence<Pair...>)
{
    using TwoWords = std::uint64_t __attribute__((vector_size(16)));
    constexpr TwoWords Zero{};
    (std::memcpy(words + 2 * Pair, &Zero, sizeof Zero), ...);
}

// Glyphs up to 8 wide, the most common, have a byte a row: eight rows fit one
// word and one 8 x 8 transpose within it turns them into eight byte-long
// pieces of the column words. The other column words are clear.
void unpackNarrow(std::span<const std::uint8_t> rows, int height, Glyph& glyph)
{
    std::uint64_t* columns = glyph.pixels.data();
    clearWords(columns, std::make_index_sequence<MaxGlyphSize / 2>{});
    for (int top = 0; top < height; top += 8) {
        const int count = std::min(8, height - top);
        // Eight bytes are read at once where the span holds them, and the
        // bytes past the glyph's rows masked off.
        std::uint64_t block = 0;
        if (rows.size() >= static_cast<std::size_t>(top) + 8) {
            block = loadRow<8>(rows.data() + top);
            if (count < 8)
                block &= (std::uint64_t{ 1 } << (8 * count)) - 1;
        } else {
            for (int r = 0; r < count; ++r)
                block |= std::uint64_t{ rows[static_cast<std::size_t>(top + r)] } << (8 * r);
        }
        // Byte b of the result is column 7 - b, its bit r row top + r.
        block = transposeBytes(block);
        for (int b = 0; b < 8; ++b)
            columns[7 - b] |= ((block >> (8 * b)) & 0xff) << top;
    }
}

template <int Bytes>
void unpackStride(const std::uint8_t* rows, int height, Glyph& glyph)
{
    // The rows are gathered on the stack, so the glyph itself is written once.
    BitMatrix matrix{};
    for (int y = 0; y < height; ++y)
        matrix[static_cast<std::size_t>(y)] = loadRow<Bytes>(rows + static_cast<std::ptrdiff_t>(y) * Bytes);
    rowsToColumns(matrix, glyph.pixels, matrixSide(8 * Bytes, height));
}

template <int Bytes>
void packStride(const Glyph& glyph, int height, std::uint8_t* out)
{
    constexpr int Columns = 8 * Bytes;
    const int side = matrixSide(Columns, height);
    // Cells below the corner (hidden rows) stay out of the transpose.
    const std::uint64_t rows = side == MaxGlyphSize ? ~std::uint64_t{ 0 } : (std::uint64_t{ 1 } << side) - 1;
    BitMatrix matrix{};
    for (int x = 0; x < Columns; ++x)
        matrix[static_cast<std::size_t>(x)] = glyph.pixels[static_cast<std::size_t>(x)] & rows;
    columnsToRows(matrix, matrix, side);
    for (int y = 0; y < height; ++y)
        storeRow<Bytes>(matrix[static_cast<std::size_t>(y)], out + static_cast<std::ptrdiff_t>(y) * Bytes);
}

template <int Bytes = 1>
void unpackAnyStride(int stride, const std::uint8_t* rows, int height, Glyph& glyph)
{
    if constexpr (Bytes <= 8) {
        if (stride == Bytes)
            unpackStride<Bytes>(rows, height, glyph);
        else
            unpackAnyStride<Bytes + 1>(stride, rows, height, glyph);
    }
}

template <int Bytes = 1>
void packAnyStride(int stride, const Glyph& glyph, int height, std::uint8_t* out)
{
    if constexpr (Bytes <= 8) {
        if (stride == Bytes)
            packStride<Bytes>(glyph, height, out);
        else
            packAnyStride<Bytes + 1>(stride, glyph, height, out);
    }
}

} // namespace

void packRows(const Glyph& glyph, std::span<std::uint8_t> out)
{
    assert(fitsGlyph(glyph.width, glyph.height));
    assert(out.size() >= packedSize(glyph.width, glyph.height));
    if (glyph.width > 0 && glyph.height > 0)
        packAnyStride(rowBytes(glyph.width), glyph, glyph.height, out.data());
}

void unpackRows(std::span<const std::uint8_t> rows, int width, int height, Glyph& glyph)
{
    assert(fitsGlyph(width, height));
    assert(rows.size() >= packedSize(width, height));
    if (width == 0 || height == 0)
        glyph.pixels.fill(0);
    else if (width <= 8)
        unpackNarrow(rows, height, glyph);
    else
        unpackAnyStride<2>(rowBytes(width), rows.data(), height, glyph);
}

} // namespace glyphsmith
