#include "font/row_packing.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "font/bit_transpose.h"
#include "font_samples.h"

namespace glyphsmith {
namespace {

// A straightforward bit-by-bit packing, row by row, to check the column-wise
// loops against; storedPart() is the same kind of reference for unpacking.
std::vector<std::uint8_t> packSlowly(const Glyph& glyph)
{
    std::vector<std::uint8_t> out;
    for (int y = 0; y < glyph.height; ++y) {
        for (int j = 0; j < rowBytes(glyph.width); ++j) {
            int byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                byte = byte * 2 + (glyph.cell(8 * j + bit, y) & 1);
            out.push_back(static_cast<std::uint8_t>(byte));
        }
    }
    return out;
}

std::vector<std::uint8_t> pack(const Glyph& glyph)
{
    std::vector<std::uint8_t> out(packedSize(glyph.width, glyph.height));
    packRows(glyph, out);
    return out;
}

TEST(RowPacking, MatchesTheBitByBitReferenceForEverySize)
{
    std::mt19937 random(12345);
    auto source = std::make_unique<Glyph>();
    for (std::uint64_t& column : source->pixels)
        column = (std::uint64_t{ random() } << 32) | random();

    for (int width = 0; width <= MaxGlyphSize; ++width) {
        for (int height : { 0, 1, 7, 33, 63, 64 }) {
            source->width = width;
            source->height = height;
            const std::vector<std::uint8_t> rows = pack(*source);
            ASSERT_EQ(rows, packSlowly(*source)) << width << " x " << height;

            // Unpacking replaces every cell, stale ones included, but not the size.
            auto back = std::make_unique<Glyph>();
            back->pixels.fill(~std::uint64_t{ 0 });
            back->width = back->height = 5;
            unpackRows(rows, width, height, *back);
            auto expected = std::make_unique<Glyph>(storedPart(*source));
            expected->width = expected->height = 5;
            ASSERT_EQ(*back, *expected) << width << " x " << height;
        }
    }
}

// Row words hold column x in bit x ^ 7; column words hold row y in bit y.
BitMatrix columnsSlowly(const BitMatrix& rows, int side)
{
    BitMatrix columns{};
    for (int x = 0; x < side; ++x)
        for (int y = 0; y < side; ++y)
            columns[x] |= ((rows[y] >> (x ^ 7)) & 1) << y;
    return columns;
}

TEST(BitTranspose, EveryCopyMatchesTheBitByBitReferenceBothWays)
{
    std::mt19937_64 random(99);
    for (const int side : { 8, 16, 32, 64 }) {
        const std::uint64_t corner = side == 64 ? ~std::uint64_t{ 0 } : (std::uint64_t{ 1 } << side) - 1;
        for (int trial = 0; trial < 20; ++trial) {
            BitMatrix rows{};
            for (int y = 0; y < side; ++y)
                rows[y] = random() & corner;
            const BitMatrix columns = columnsSlowly(rows, side);

            // Into a matrix of its own, and in place.
            BitMatrix fast;
            rowsToColumns(rows, fast, side);
            ASSERT_EQ(fast, columns) << side;
            columnsToRows(fast, fast, side);
            ASSERT_EQ(fast, rows) << side;

            BitMatrix portable;
            rowsToColumnsPortable(rows, portable, side);
            ASSERT_EQ(portable, columns) << side;
            columnsToRowsPortable(portable, portable, side);
            ASSERT_EQ(portable, rows) << side;
        }
    }
}

} // namespace
} // namespace glyphsmith
