#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <memory>

namespace glyphsmith {
namespace {

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
