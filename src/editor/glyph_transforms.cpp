#include "editor/glyph_transforms.h"

#include <algorithm>
#include <array>
#include <cstdint>

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
    const std::int32_t value = glyph.cell(0, 0) == 0 ? 1 : 0;
    glyph.pixels.fill(value);
}

void outlineGlyph(Glyph& glyph, Glyph& scratch)
{
    // Grow by one pixel on every side, within the 64 x 64 grid.
    const int W = grownExtent(glyph.width);
    const int H = grownExtent(glyph.height);
    glyph.width = W;
    glyph.height = H;

    // The two new bottom rows and right columns may still hold cells from
    // before an earlier shrink; clear them so they take no part. When the
    // growth was capped this clears the glyph's own last two rows or columns.
    for (int x = 0; x < W; ++x) {
        glyph.cell(x, H - 1) = 0;
        glyph.cell(x, H - 2) = 0;
    }
    for (int y = 0; y < H; ++y) {
        glyph.cell(W - 1, y) = 0;
        glyph.cell(W - 2, y) = 0;
    }

    // Mask: each set cell (j, k) of the glyph before the shift below marks
    // the 3 x 3 block (j .. j + 2, k .. k + 2), which is centred on the place
    // the cell takes after the shift. Built a column at a time without
    // branches: the column's cells are spread over three rows, then that
    // spread is merged into three scratch columns.
    scratch.clear();
    for (int j = 0; j <= W - 3; ++j) {
        std::array<std::int32_t, MaxGlyphSize> spread {};
        for (int k = 0; k <= H - 3; ++k) {
            const std::int32_t set = glyph.cell(j, k) != 0 ? 1 : 0;
            spread[k] |= set;
            spread[k + 1] |= set;
            spread[k + 2] |= set;
        }
        for (int dx = 0; dx < 3; ++dx)
            for (int y = 0; y < H; ++y)
                scratch.cell(j + dx, y) |= spread[y];
    }

    // Move the picture one right and one down. Columns are walked from the
    // right so each one is read before it is overwritten; a column is copied
    // from its left neighbour, so source and target never overlap.
    for (int c = W - 1; c > 0; --c)
        std::copy_n(&glyph.cell(c - 1, 0), H - 1, &glyph.cell(c, 1));
    for (int x = 0; x < W; ++x)
        glyph.cell(x, 0) = 0;
    for (int y = 0; y < H; ++y)
        glyph.cell(0, y) = 0;

    // Keep the mask where there is no old pixel. '&' rather than '&&' keeps
    // a branch per cell out of the loop, which random pictures mispredict.
    for (int x = 0; x < W; ++x)
        for (int y = 0; y < H; ++y) {
            const std::int32_t free = glyph.cell(x, y) == 0;
            const std::int32_t marked = scratch.cell(x, y) != 0;
            glyph.cell(x, y) = free & marked;
        }
}

void outlineAllGlyphs(BitmapFont& font, Glyph& scratch)
{
    for (Glyph& glyph : font.glyphs)
        outlineGlyph(glyph, scratch);
}

} // namespace glyphsmith
