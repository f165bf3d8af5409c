#pragma once

// Whole-glyph transforms behind the editor's U, D, L, R, Fill and Outline
// buttons. Plain functions on a Glyph: they know nothing of the dialog, so
// the dialog only has to repaint and set its flags after calling them.

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

// outlineGlyph on glyphs 0 to 127 in code order, sharing one scratch glyph.
void outlineAllGlyphs(BitmapFont& font, Glyph& scratch);

} // namespace glyphsmith
