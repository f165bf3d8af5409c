#pragma once

// What the editor keeps of the range of glyphs selected in the overview
// (range_commands.cpp).

#include <utility>
#include <vector>

#include "editor/glyph_range.h"
#include "font/bitmap_font.h"

namespace glyphsmith {

struct RangeState {
    GlyphRange glyphs;
    // The copied glyphs, each with its distance from the first copied code.
    std::vector<std::pair<int, Glyph>> clipboard;
    // The range's widths when the Spacing box took the focus.
    std::vector<int> widths;
    // Set while the editor itself writes the size boxes for the range.
    bool showingBoxes = false;
};

} // namespace glyphsmith
