#pragma once

// Pixels lifted out of a glyph by the rectangular selection of letter mode.
// While they float they can be moved anywhere, off the glyph's edges too;
// the glyph shows them laid over what was under them, and pixels beyond the
// edges are kept, so moving them back brings them back. Only putting the
// selection down (composing it one last time and forgetting it) drops them.

#include "editor/drawing_tools.h"
#include "font/bitmap_font.h"

namespace glyphsmith {

struct FloatingPixels {
    // The glyph with the lifted area cleared.
    Glyph under;
    // The lifted pixels: a glyph of the selection's size.
    Glyph pixels;
    // Where the top-left pixel lies in the glyph.
    GlyphPoint at;

    // True when glyph cell (x, y) lies in the selection.
    bool covers(int x, int y) const
    {
        return x >= at.x && y >= at.y && x < at.x + pixels.width && y < at.y + pixels.height;
    }
};

// Lifts the rectangle with corners `a` and `b` (either way round), cut to the
// glyph's used area; null size when nothing of it lies in that area.
FloatingPixels liftPixels(const Glyph& glyph, GlyphPoint a, GlyphPoint b);

// The glyph as shown: `under` with the lifted pixels laid over it, set and
// clear alike, wherever they fall inside the used area.
Glyph composed(const FloatingPixels& floating);

} // namespace glyphsmith
