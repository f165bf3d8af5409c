#pragma once

// The converter's text form of a font, made for diffing in build scripts:
//
//   line-height N
//   glyph C W H        one block for each code C from 0 to 127
//   ROW                H lines of W characters, '#' set and '.' clear
//
// Cells outside a glyph's width and height are not shown.

#include <ostream>

#include "font/bitmap_font.h"

namespace glyphsmith {

void dumpFont(const BitmapFont& font, std::ostream& out);

} // namespace glyphsmith
