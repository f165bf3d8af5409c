#pragma once

// glyphsmith-convert --font FILE SIZE OUT and --font-info FILE: a font made
// from a desktop font file (TrueType, OpenType, BDF, PCF, .fon/.fnt), and what
// such a file holds. Which characters are taken: codes 0 to 127 by default,
// 128 to 255 as well through a code page (--codepage cp1251), or the codes of
// a list of Unicode ranges (--codes 32-126,0x400-0x44F).

#include <ostream>
#include <string>
#include <vector>

#include "font/font_file_import.h"

namespace glyphsmith {

struct FontFileOptions {
    bool infoOnly = false; // --font-info
    std::string file;
    int pixelSize = 0;
    std::string out;
    std::vector<CharacterMapping> characters = asciiCharacters();
    // Set when the arguments were refused for naming an unknown code page.
    bool unknownCodePage = false;
};

bool isFontFileOption(const std::string& argument);

// Reads "--font FILE SIZE OUT" or "--font-info FILE", each optionally followed
// by "--codepage CP" or "--codes RANGES". On wrong arguments returns false
// and sets `problem` for the usage message.
bool parseFontFileArguments(const std::vector<std::string>& arguments, FontFileOptions& options, std::string& problem);

// Imports the file into `font`, telling `err` why it failed or which asked
// characters the font lacks. False when the import failed.
bool importFromFontFile(BitmapFont& font, const FontFileOptions& options, FontFileReader& reader, std::ostream& err);

// Prints family, style, format, outline or bitmap, the stored sizes and how
// many of the asked characters the file has. Returns the process exit status.
int printFontFileInfo(const FontFileOptions& options, FontFileReader& reader, std::ostream& out, std::ostream& err);

} // namespace glyphsmith
