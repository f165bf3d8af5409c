#include "font/row_packing.h"

#include <algorithm>
#include <cassert>

namespace glyphsmith {

// Both loops walk the cells column by column, the order they are stored in,
// so the 16 KB grid is touched sequentially; the packed bytes are small and
// stay in cache whatever order they are visited in.

void packRows(const Glyph& glyph, std::span<std::uint8_t> out)
{
    const int width = glyph.width;
    const int height = glyph.height;
    assert(width >= 0 && width <= MaxGlyphSize && height >= 0 && height <= MaxGlyphSize);
    const int stride = rowBytes(width);
    assert(out.size() >= packedSize(width, height));

    std::uint8_t* rows = out.data();
    std::fill_n(rows, packedSize(width, height), std::uint8_t{ 0 });
    for (int x = 0; x < stride * 8; ++x) {
        const std::int32_t* column = &glyph.pixels[static_cast<std::size_t>(x) * MaxGlyphSize];
        std::uint8_t* target = rows + x / 8;
        const int shift = 7 - x % 8;
        for (int y = 0; y < height; ++y)
            target[y * stride] |= static_cast<std::uint8_t>((column[y] & 1) << shift);
    }
}

void unpackRows(std::span<const std::uint8_t> rows, int width, int height, Glyph& glyph)
{
    assert(width >= 0 && width <= MaxGlyphSize && height >= 0 && height <= MaxGlyphSize);
    const int stride = rowBytes(width);
    assert(rows.size() >= packedSize(width, height));

    for (int x = 0; x < stride * 8; ++x) {
        std::int32_t* column = &glyph.pixels[static_cast<std::size_t>(x) * MaxGlyphSize];
        const std::uint8_t* source = rows.data() + x / 8;
        const int shift = 7 - x % 8;
        for (int y = 0; y < height; ++y)
            column[y] = (source[y * stride] >> shift) & 1;
    }
}

} // namespace glyphsmith
