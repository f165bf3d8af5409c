#include "font/row_packing.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace glyphsmith {
namespace {

// Straightforward bit-by-bit versions of the packing, row by row, to check the
// column-wise loops against.
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

void unpackSlowly(const std::vector<std::uint8_t>& rows, int width, int height, Glyph& glyph)
{
    glyph.pixels.fill(0);
    std::size_t next = 0;
    for (int y = 0; y < height; ++y)
        for (int j = 0; j < rowBytes(width); ++j, ++next)
            for (int bit = 0; bit < 8; ++bit)
                glyph.cell(8 * j + bit, y) = (rows[next] >> (7 - bit)) & 1;
}

std::vector<std::uint8_t> pack(const Glyph& glyph)
{
    std::vector<std::uint8_t> out(packedSize(glyph.width, glyph.height));
    packRows(glyph, out);
    return out;
}

TEST(RowPacking, RowBytesRoundsTheWidthUpToWholeBytes)
{
    const std::pair<int, int> cases[] = { { 0, 0 }, { 1, 1 }, { 8, 1 }, { 9, 2 }, { 56, 7 }, { 57, 8 }, { 64, 8 } };
    for (auto [width, bytes] : cases)
        EXPECT_EQ(rowBytes(width), bytes) << "width " << width;
    EXPECT_EQ(packedSize(10, 3), 6u);
    EXPECT_EQ(packedSize(0, 64), 0u);
}

TEST(RowPacking, LeftmostColumnIsTheHighBitAndCellsBeyondTheWidthAreKept)
{
    // Width 5 with cells in columns 0, 5, 6 and 7: the last three lie beyond
    // the width but still go into the byte.
    auto glyph = std::make_unique<Glyph>();
    glyph->width = 5;
    glyph->height = 1;
    for (int x : { 0, 5, 6, 7 })
        glyph->cell(x, 0) = 1;
    EXPECT_EQ(pack(*glyph), std::vector<std::uint8_t>{ 0x87 });

    auto back = std::make_unique<Glyph>();
    unpackRows(std::vector<std::uint8_t>{ 0x87 }, 5, 1, *back);
    EXPECT_EQ(back->pixels, glyph->pixels);
}

TEST(RowPacking, PacksTheTenByTwoExampleRows)
{
    auto glyph = std::make_unique<Glyph>();
    glyph->width = 10;
    glyph->height = 2;
    glyph->cell(0, 0) = 1;
    glyph->cell(9, 1) = 1;
    EXPECT_EQ(pack(*glyph), (std::vector<std::uint8_t>{ 0x80, 0x00, 0x00, 0x40 }));
}

TEST(RowPacking, UsesOnlyTheLowestBitOfACell)
{
    auto glyph = std::make_unique<Glyph>();
    glyph->width = 8;
    glyph->height = 1;
    glyph->cell(0, 0) = 2;  // low bit clear
    glyph->cell(1, 0) = 3;  // low bit set
    glyph->cell(7, 0) = -1; // low bit set
    EXPECT_EQ(pack(*glyph), std::vector<std::uint8_t>{ 0x41 });
}

TEST(RowPacking, MatchesTheBitByBitReferenceForEverySize)
{
    std::mt19937 random(12345);
    auto source = std::make_unique<Glyph>();
    for (std::int32_t& cell : source->pixels)
        cell = static_cast<std::int32_t>(random() % 4);

    for (int width = 0; width <= MaxGlyphSize; ++width) {
        for (int height : { 0, 1, 7, 33, 63, 64 }) {
            source->width = width;
            source->height = height;
            const std::vector<std::uint8_t> rows = pack(*source);
            ASSERT_EQ(rows, packSlowly(*source)) << width << " x " << height;

            auto fast = std::make_unique<Glyph>();
            auto slow = std::make_unique<Glyph>();
            fast->pixels.fill(7);
            slow->pixels.fill(7);
            unpackRows(rows, width, height, *fast);
            unpackSlowly(rows, width, height, *slow);
            ASSERT_EQ(fast->pixels, slow->pixels) << width << " x " << height;
        }
    }
}

TEST(RowPacking, UnpackingReplacesEveryCellButNotTheSize)
{
    auto glyph = std::make_unique<Glyph>();
    glyph->pixels.fill(5);
    glyph->width = 3;
    glyph->height = 4;
    const std::vector<std::uint8_t> rows = { 0xff, 0x00 };
    unpackRows(rows, 10, 1, *glyph);

    EXPECT_EQ(glyph->width, 3);
    EXPECT_EQ(glyph->height, 4);
    for (int x = 0; x < MaxGlyphSize; ++x)
        for (int y = 0; y < MaxGlyphSize; ++y)
            ASSERT_EQ(glyph->cell(x, y), y == 0 && x < 8 ? 1 : 0) << x << ", " << y;
}

} // namespace
} // namespace glyphsmith
