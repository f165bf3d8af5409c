#pragma once

// The shapes the letter-mode tools draw, as plain functions on a Glyph. Each
// draws only inside the glyph's used width x height area: points outside it
// are skipped, so a shape dragged past an edge is cut there.

#include "font/bitmap_font.h"

namespace glyphsmith {

// The tools of letter mode, chosen by Alt+1 to Alt+6 or the tool buttons.
enum class DrawingTool { Pencil, Line, Rectangle, FilledRectangle, FloodFill, Select };

// A cell of a glyph's grid; either coordinate may lie outside the glyph.
struct GlyphPoint {
    int x = 0;
    int y = 0;
    bool operator==(const GlyphPoint&) const = default;
};

// The end of a line from `from` towards `to` turned to the nearest of the
// horizontal, vertical and 45-degree directions (the line tool with Shift).
GlyphPoint constrainedEnd(GlyphPoint from, GlyphPoint to);

// Gives `value` to the cells of the straight line from `from` to `to`, both
// ends included: one cell per step along the longer axis.
void drawLine(Glyph& glyph, GlyphPoint from, GlyphPoint to, bool value);

// The rectangle with corners `a` and `b` (either way round): its border, or
// with `filled` every cell in it.
void drawRectangle(Glyph& glyph, GlyphPoint a, GlyphPoint b, bool filled, bool value);

// Gives `value` to the cell at `start` and every cell of the same value joined
// to it up, down, left or right within the used area.
void floodFill(Glyph& glyph, GlyphPoint start, bool value);

} // namespace glyphsmith
