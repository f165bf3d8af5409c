#pragma once

// The text preview: a line of text set in the font as the game engines set
// it. Glyphs stand side by side, each advanced by its own width, on a line as
// high as the font's line height; the line is shown at its true size and at
// twice that size, one above the other. A character the font does not hold
// shows as a red frame that takes room of its own.

#include <string>
#include <string_view>

#include "font/bitmap_font.h"
#include "font/utf8.h"
#include "platform/window_system.h"

namespace glyphsmith {

// The palette of the preview picture.
enum PreviewColour : std::uint8_t {
    PreviewBackground, // around the lines
    PreviewPaper,      // the line itself and a glyph's clear pixels
    PreviewInk,        // a glyph's set pixels
    PreviewMarker,     // the frame that stands for a missing character
    PreviewGuide,      // the baseline, where the line's paper shows
};

// Space around and between the two lines, in picture pixels.
inline constexpr int PreviewMargin = 4;

// Whether the font holds a glyph for `character`: its code lies below the
// font's code count and its glyph is not the empty 0 x 0 one.
bool fontHolds(const BitmapFont& font, char32_t character);

// Width of the frame that stands for a missing character, on a line
// `lineHeight` high.
int missingMarkerWidth(int lineHeight);

// The picture of `text` set in `font`, at 1x with the 2x line below it. A
// `baseline` above 0 (the row boundary the letter-mode guide stands on) is
// drawn under the letters of both lines, so words show on the same baseline
// as the guide in the editor.
IndexedPicture layOutTextPreview(const BitmapFont& font, std::u32string_view text, int baseline = 0);

} // namespace glyphsmith
