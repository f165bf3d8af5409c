#pragma once

// Whole-glyph transforms behind the editor's U, D, L, R, Fill and Outline
// buttons and its flip, rotate, invert and bold keys. Plain functions on a
// Glyph: they know nothing of the dialog, so the dialog only has to repaint
// and set its flags after calling them.

#include "font/bitmap_font.h"

namespace glyphsmith {

// Rotate the used width x height area by one cell. The row or column pushed
// out at one edge comes back in at the opposite edge. Cells outside the used
// area are neither read nor moved, and a glyph with no used area (width or
// height 0) is left as it is.
void shiftGlyphUp(Glyph& glyph);
void shiftGlyphDown(Glyph& glyph);
void shiftGlyphLeft(Glyph& glyph);
void shiftGlyphRight(Glyph& glyph);

// Inverts cell (0, 0) and gives all 4096 cells of the grid that new value, so
// the whole grid is filled when that cell was clear and emptied when it was
// set. Width and height stay as they are.
void fillGlyph(Glyph& glyph);

// Replaces the glyph by the one-pixel ring around its set pixels (diagonal
// neighbours included): the glyph grows by 2 in each direction, at most to
// 64, and its old pixels move one right and one down and become clear. When
// the growth is capped, the last two columns or rows of the grown glyph are
// cleared first, so old pixels there take no part. `scratch` is overwritten:
// afterwards it is 0 x 0 and its cells hold the ring's 3 x 3 mask.
// It must be a glyph other than `glyph`.
void outlineGlyph(Glyph& glyph, Glyph& scratch);

// Mirror the used width x height area left to right, or top to bottom.
// Cells outside the used area are kept.
void flipGlyphHorizontal(Glyph& glyph);
void flipGlyphVertical(Glyph& glyph);

// Turn the used area a quarter turn clockwise or anticlockwise: width and
// height swap. Only the turned area is left in the grid; every other cell is
// cleared, since the old cells beyond the edges would no longer line up.
void rotateGlyphClockwise(Glyph& glyph);
void rotateGlyphAnticlockwise(Glyph& glyph);
// A half turn of the used area; cells outside it are kept.
void rotateGlyphHalfTurn(Glyph& glyph);

// Set every clear cell of the used area and clear every set one; cells
// outside it are kept.
void invertGlyph(Glyph& glyph);

// Every set pixel also sets the pixel to its right. When a pixel of the last
// column is set the glyph grows one column (at most to 64) to make room; the
// new column starts clear. A glyph 64 wide loses what would go past the grid.
void boldGlyph(Glyph& glyph);

// outlineGlyph on glyphs 0 to 127 in code order, sharing one scratch glyph.
void outlineAllGlyphs(BitmapFont& font, Glyph& scratch);

} // namespace glyphsmith
