#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <memory>

namespace glyphsmith {
namespace {

TEST(BitmapFont, StartsWithOneByOneClearGlyphsAndLineHeightZero)
{
    auto font = std::make_unique<BitmapFont>();
    EXPECT_EQ(font->lineHeight, 0);
    for (const Glyph& glyph : font->glyphs) {
        EXPECT_EQ(glyph.width, 1);
        EXPECT_EQ(glyph.height, 1);
        for (int cell : glyph.pixels)
            ASSERT_EQ(cell, 0);
    }
}

TEST(BitmapFont, ClearLeavesEveryGlyphZeroByZeroWithNoCellSet)
{
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 9;
    font->glyphs[65].width = 7;
    font->glyphs[65].cell(63, 63) = 1;
    font->clear();
    EXPECT_EQ(font->lineHeight, 0);
    for (const Glyph& glyph : font->glyphs)
        EXPECT_EQ(glyph, Glyph{});
}

TEST(Glyph, CellsAreStoredColumnByColumn)
{
    Glyph glyph;
    glyph.cell(1, 0) = 1;
    glyph.cell(0, 1) = 1;
    glyph.cell(63, 62) = 1;
    EXPECT_EQ(glyph.pixels[64], 1);
    EXPECT_EQ(glyph.pixels[1], 1);
    EXPECT_EQ(glyph.pixels[63 * 64 + 62], 1);
    EXPECT_EQ(glyph.pixels[62 * 64 + 63], 0);
}

TEST(BitmapFont, GridCellIsLargestGlyphPlusTwoButAtLeastEight)
{
    auto font = std::make_unique<BitmapFont>();
    EXPECT_EQ(font->gridCellSize().width, 8);
    EXPECT_EQ(font->gridCellSize().height, 8);

    font->glyphs[3].width = 6; // 6 + 2 is still the minimum
    font->glyphs[90].height = 7;
    EXPECT_EQ(font->gridCellSize().width, 8);
    EXPECT_EQ(font->gridCellSize().height, 9);

    font->glyphs[127].width = 64;
    font->glyphs[0].height = 64;
    EXPECT_EQ(font->gridCellSize().width, 66);
    EXPECT_EQ(font->gridCellSize().height, 66);

    font->clear(); // an all-empty font still gets the minimum
    EXPECT_EQ(font->gridCellSize().width, 8);
    EXPECT_EQ(font->gridCellSize().height, 8);
}

} // namespace
} // namespace glyphsmith
