#include "font/bitmap_font.h"

#include <algorithm>

namespace glyphsmith {

void Glyph::clear()
{
    height = 0;
    width = 0;
    pixels.fill(0);
}

bool Glyph::isEmpty() const
{
    return width == 0 && height == 0 && std::ranges::all_of(pixels, [](std::uint64_t column) { return column == 0; });
}

BitmapFont::BitmapFont()
    : glyphs(GlyphCount)
{
    clear();
    for (Glyph& glyph : glyphs) {
        glyph.height = 1;
        glyph.width = 1;
    }
}

void BitmapFont::setCodeCount(int count)
{
    glyphs.resize(static_cast<std::size_t>(std::clamp(count, GlyphCount, MaxCodeCount)));
}

void BitmapFont::clear()
{
    lineHeight = 0;
    sciHeader = {};
    for (Glyph& glyph : glyphs)
        glyph.clear();
}

GridCellSize BitmapFont::gridCellSize() const
{
    int widest = 0;
    int tallest = 0;
    for (const Glyph& glyph : glyphs) {
        widest = std::max(widest, static_cast<int>(glyph.width));
        tallest = std::max(tallest, static_cast<int>(glyph.height));
    }
    return { std::max(widest + 2, 8), std::max(tallest + 2, 8) };
}

} // namespace glyphsmith
