#pragma once

// glyphsmith-convert --replace GAME:N FONT: writes a font into a compiled
// game as its font N, where the game loads it.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "font/bitmap_font.h"

namespace glyphsmith {

// Reads a font file named on the command line, telling the user of any failure.
using FontFileLoader = std::function<bool(BitmapFont& font, const std::string& path)>;

// `arguments` starts with "--replace". Returns the converter's exit status.
int runGameReplace(const std::vector<std::string>& arguments, const FontFileLoader& readFont, std::ostream& err);

} // namespace glyphsmith
