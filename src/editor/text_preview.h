#pragma once

// The text preview: a line of text set in the font as the game engines set
// it. Glyphs stand side by side, each advanced by its own width, on a line as
// high as the font's line height; the line is shown at its true size and at
// twice that size, one above the other. Each character is drawn with the glyph
// of its code in the font's encoding; a character the encoding or the font
// lacks shows as a red frame that takes room of its own. Right to left (for
// Hebrew and Arabic code pages, or when asked) the line is drawn from the
// right: the first character rightmost, as a game that reverses such text does.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "font/bitmap_font.h"
#include "font/text_encoding.h"
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

// Whether the font holds a glyph for `code`: it lies below the font's code
// count and its glyph is not the empty 0 x 0 one.
bool fontHolds(const BitmapFont& font, int code);

// The codes of `text` in `encoding`, in order; -1 for a character it lacks.
std::vector<int> previewCodes(std::u32string_view text, TextEncoding encoding);

// The characters of `text` the font cannot show in `encoding`, each once, in
// the order they first appear.
std::u32string missingCharacters(const BitmapFont& font, std::u32string_view text, TextEncoding encoding);

// Width of the frame that stands for a missing character, on a line
// `lineHeight` high.
int missingMarkerWidth(int lineHeight);

// The picture of the glyphs of `codes` (-1: missing) set in `font`, at 1x
// with the 2x line below it, the first code leftmost or, right to left,
// rightmost. A `baseline` above 0 (the row boundary the letter-mode guide
// stands on) is drawn under the letters of both lines, so words show on the
// same baseline as the guide in the editor.
IndexedPicture layOutTextPreview(
    const BitmapFont& font, std::span<const int> codes, bool rightToLeft = false, int baseline = 0);
// The same for a text in Unicode.
IndexedPicture layOutTextPreview(const BitmapFont& font, std::u32string_view text, int baseline = 0);

} // namespace glyphsmith
