#include "editor/glyph_transforms.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace glyphsmith {

namespace {

// Width and height are 0 to 64 in every glyph the program makes; clamping
// them here keeps a damaged value from reaching cells outside the grid.
int usedExtent(std::int32_t size)
{
    return std::clamp<int>(size, 0, MaxGlyphSize);
}

int grownExtent(std::int32_t size)
{
    return std::min(usedExtent(size) + 2, MaxGlyphSize);
}

// The bits of rows 0 to rows - 1 of a column word.
std::uint64_t lowRows(int rows)
{
    return rows >= MaxGlyphSize ? ~std::uint64_t{ 0 } : (std::uint64_t{ 1 } << rows) - 1;
}

} // namespace

// Each shift below returns early on an empty area: the rotation would
// otherwise park the kept cell at row or column -1, outside the glyph.

void shiftGlyphUp(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    if (w == 0 || h == 0)
        return;
    for (int x = 0; x < w; ++x) {
        const std::int32_t top = glyph.cell(x, 0);
        for (int y = 0; y < h - 1; ++y)
            glyph.cell(x, y) = glyph.cell(x, y + 1);
        glyph.cell(x, h - 1) = top;
    }
}

void shiftGlyphDown(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    if (w == 0 || h == 0)
        return;
    for (int x = 0; x < w; ++x) {
        const std::int32_t bottom = glyph.cell(x, h - 1);
        for (int y = h - 1; y > 0; --y)
            glyph.cell(x, y) = glyph.cell(x, y - 1);
        glyph.cell(x, 0) = bottom;
    }
}

void shiftGlyphLeft(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    if (w == 0 || h == 0)
        return;
    for (int y = 0; y < h; ++y) {
        const std::int32_t leftmost = glyph.cell(0, y);
        for (int x = 0; x < w - 1; ++x)
            glyph.cell(x, y) = glyph.cell(x + 1, y);
        glyph.cell(w - 1, y) = leftmost;
    }
}

void shiftGlyphRight(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    if (w == 0 || h == 0)
        return;
    for (int y = 0; y < h; ++y) {
        const std::int32_t rightmost = glyph.cell(w - 1, y);
        for (int x = w - 1; x > 0; --x)
            glyph.cell(x, y) = glyph.cell(x - 1, y);
        glyph.cell(0, y) = rightmost;
    }
}

void fillGlyph(Glyph& glyph)
{
    glyph.pixels.fill(glyph.cell(0, 0) ? 0 : ~std::uint64_t{ 0 });
}

void outlineGlyph(Glyph& glyph, Glyph& scratch)
{
    // Grow by one pixel on every side, within the 64 x 64 grid.
    const int W = grownExtent(glyph.width);
    const int H = grownExtent(glyph.height);
    glyph.width = W;
    glyph.height = H;

    // Each column is a word whose bit y is row y; only rows 0 to H - 1 take
    // part, and the cells below them are kept as they are.
    const std::uint64_t rows = lowRows(H);

    // The two new bottom rows and right columns may still hold cells from
    // before an earlier shrink; clear them so they take no part. When the
    // growth was capped this clears the glyph's own last two rows or columns.
    for (int x = 0; x < W; ++x)
        glyph.pixels[x] &= ~(rows & ~lowRows(H - 2));
    glyph.pixels[W - 1] &= ~rows;
    glyph.pixels[W - 2] &= ~rows;

    // Mask: each set cell (j, k) of the glyph before the shift below marks
    // the 3 x 3 block (j .. j + 2, k .. k + 2), which is centred on the place
    // the cell takes after the shift: a column spread over three rows, then
    // merged into three scratch columns.
    scratch.clear();
    for (int j = 0; j <= W - 3; ++j) {
        const std::uint64_t set = glyph.pixels[j] & lowRows(H - 2);
        const std::uint64_t spread = set | (set << 1) | (set << 2);
        for (int dx = 0; dx < 3; ++dx)
            scratch.pixels[j + dx] |= spread;
    }

    // Move the picture one right and one down, leaving row 0 and column 0
    // clear. Columns are walked from the right so each one is read before it
    // is overwritten.
    for (int c = W - 1; c > 0; --c)
        glyph.pixels[c] = (glyph.pixels[c] & ~rows) | ((glyph.pixels[c - 1] << 1) & rows);
    glyph.pixels[0] &= ~rows;

    // Keep the mask where there is no old pixel.
    for (int x = 0; x < W; ++x)
        glyph.pixels[x] = (glyph.pixels[x] & ~rows) | (~glyph.pixels[x] & scratch.pixels[x] & rows);
}

void flipGlyphHorizontal(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const std::uint64_t rows = lowRows(usedExtent(glyph.height));
    for (int x = 0; x < w / 2; ++x) {
        std::uint64_t& left = glyph.pixels[x];
        std::uint64_t& right = glyph.pixels[w - 1 - x];
        const std::uint64_t differ = (left ^ right) & rows;
        left ^= differ;
        right ^= differ;
    }
}

namespace {

// The low `rows` bits of a column word in reverse order; the rest are 0.
std::uint64_t reversedRows(std::uint64_t column, int rows)
{
    if (rows == 0)
        return 0;
    std::uint64_t reversed = column;
    reversed = ((reversed >> 1) & 0x5555555555555555ULL) | ((reversed & 0x5555555555555555ULL) << 1);
    reversed = ((reversed >> 2) & 0x3333333333333333ULL) | ((reversed & 0x3333333333333333ULL) << 2);
    reversed = ((reversed >> 4) & 0x0f0f0f0f0f0f0f0fULL) | ((reversed & 0x0f0f0f0f0f0f0f0fULL) << 4);
    reversed = ((reversed >> 8) & 0x00ff00ff00ff00ffULL) | ((reversed & 0x00ff00ff00ff00ffULL) << 8);
    reversed = ((reversed >> 16) & 0x0000ffff0000ffffULL) | ((reversed & 0x0000ffff0000ffffULL) << 16);
    reversed = (reversed >> 32) | (reversed << 32);
    // Bit 63 - y now holds row y; move row rows - 1 down to bit 0.
    return reversed >> (MaxGlyphSize - rows);
}

// The used area as a fresh glyph of `width` x `height`, cell (x, y) taken
// from the old glyph's cell `from(x, y)`.
template <typename From>
void remap(Glyph& glyph, int width, int height, From from)
{
    Glyph turned;
    turned.width = width;
    turned.height = height;
    for (int x = 0; x < width; ++x) {
        std::uint64_t column = 0;
        for (int y = 0; y < height; ++y) {
            const auto [oldX, oldY] = from(x, y);
            column |= ((glyph.pixels[oldX] >> oldY) & 1) << y;
        }
        turned.pixels[x] = column;
    }
    glyph = turned;
}

} // namespace

void flipGlyphVertical(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    const std::uint64_t rows = lowRows(h);
    for (int x = 0; x < w; ++x)
        glyph.pixels[x] = (glyph.pixels[x] & ~rows) | reversedRows(glyph.pixels[x], h);
}

void rotateGlyphClockwise(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    // Old pixel (x, y) lands at (h - 1 - y, x).
    remap(glyph, h, w, [h](int x, int y) { return std::pair { y, h - 1 - x }; });
}

void rotateGlyphAnticlockwise(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const int h = usedExtent(glyph.height);
    // Old pixel (x, y) lands at (y, w - 1 - x).
    remap(glyph, h, w, [w](int x, int y) { return std::pair { w - 1 - y, x }; });
}

void rotateGlyphHalfTurn(Glyph& glyph)
{
    flipGlyphHorizontal(glyph);
    flipGlyphVertical(glyph);
}

void invertGlyph(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const std::uint64_t rows = lowRows(usedExtent(glyph.height));
    for (int x = 0; x < w; ++x)
        glyph.pixels[x] ^= rows;
}

void boldGlyph(Glyph& glyph)
{
    const int w = usedExtent(glyph.width);
    const std::uint64_t rows = lowRows(usedExtent(glyph.height));
    if (w == 0 || rows == 0)
        return;
    if ((glyph.pixels[w - 1] & rows) != 0 && w < MaxGlyphSize) {
        glyph.pixels[w] &= ~rows;
        glyph.width = w + 1;
    }
    // From the right, so each column is widened from its old left neighbour.
    for (int x = usedExtent(glyph.width) - 1; x > 0; --x)
        glyph.pixels[x] |= glyph.pixels[x - 1] & rows;
}

void outlineAllGlyphs(BitmapFont& font, Glyph& scratch)
{
    for (Glyph& glyph : font.glyphs)
        outlineGlyph(glyph, scratch);
}

} // namespace glyphsmith
