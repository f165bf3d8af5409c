#pragma once

// The converter and the fonts inside games: `--list GAME` lists them, and
// "GAME:N" names font N of a game wherever a font file may be given.

#include <ostream>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "font/engine_check.h"

namespace glyphsmith {

// Whether `argument` is "GAME:N" with GAME a game this program reads (a
// file that happens to have such a name is still a file).
bool isGameFontArgument(const std::string& argument);

// Reads font N of the game into `font`, telling `err` why when it cannot.
bool readGameFont(BitmapFont& font, const std::string& argument, std::ostream& err);

// The engine checks of font N as the game holds it. Empty `error` on success.
void checkGameFont(const std::string& argument, std::vector<EngineCheck>& checks, std::string& error);

// --list GAME: one line per font. Returns the process exit status: 1 when the
// game cannot be opened or one of its fonts cannot be read.
int runList(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace glyphsmith
