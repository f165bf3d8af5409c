#pragma once

// The edits of the end-to-end editor sessions, applied straight to a font:
// what the sessions' saved files must hold. The sessions play them as a user
// on letters A (65), B (66) and C (67) of a start font:
//   A: type 65, click pixel (0, 0), drag along row 0 to x 3, R, D, Copy;
//   B: type 66, Fill, Undo, Paste, Undo, Outline (every glyph);
//   C: type 67, width "<" twice.

#include "editor/glyph_transforms.h"
#include "font/bitmap_font.h"

namespace glyphsmith {

inline void applySessionEdits(BitmapFont& font)
{
    Glyph& letter = font.glyphs[65];
    const bool painted = !letter.cell(0, 0);
    for (int x = 0; x < 4; ++x)
        letter.cell(x, 0) = painted;
    shiftGlyphRight(letter);
    shiftGlyphDown(letter);
    font.glyphs[66] = letter;
    Glyph scratch;
    outlineAllGlyphs(font, scratch);
    font.glyphs[67].width -= 2;
}

} // namespace glyphsmith
