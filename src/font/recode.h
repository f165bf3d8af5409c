#pragma once

// Moving a font's glyphs between an 8-bit code page and Unicode: an 8-bit
// game draws byte b with glyph b, a game in Unicode mode draws a character
// with the glyph of its code point. Codes 0 to 127 mean the same in both.

#include <vector>

#include "font/bitmap_font.h"
#include "font/code_pages.h"

namespace glyphsmith {

// One side of a recoding: a code page, or Unicode where `page` is null.
struct TextEncoding {
    const CodePage* page = nullptr;
};

// Builds `out` from `in`: codes 0 to 127 stay where they are, and every other
// glyph moves to the code its character has in `to`. A 0 x 0 glyph with no set
// cell is no glyph and needs no place. Returns, in ascending order, the codes
// of `in` whose glyph has no place in `to` (an undefined byte, a character
// the target code page lacks, a code above 255 of an 8-bit font); those
// glyphs are left out of `out`. An 8-bit result holds 256 codes; a Unicode
// result runs to its highest drawn code, at least 128. The line height and the
// SCI resource header are kept.
std::vector<int> recodeFont(const BitmapFont& in, TextEncoding from, TextEncoding to, BitmapFont& out);

} // namespace glyphsmith
