#pragma once

// Which file format a file is, chosen by its extension alone.

#include <string_view>

namespace glyphsmith {

enum class FontFormat {
    Bmp,      // glyph sheet
    Ttf,      // a TrueType file, imported through the font-file reader; where that
              // cannot read it, built from the system font instead
    Wfn,      // AGS font file
    FontFile, // another desktop font file (.otf, .ttc, .bdf, .pcf, .pcf.gz, .fon, .fnt): read only;
              // a .fon or .fnt file may also be an SCI font, as its content
              // says (font_files.h)
    Sci,      // SCI font file: every other extension, the empty one included
};

// `extension` is given without the dot, `title` is the name before it. The
// whole extension is compared without regard to case with "bmp", "ttf",
// "wfn" and the font-file extensions; anything else is SCI. The title matters
// only for compressed PCF fonts: extension "gz" after a title ending in ".pcf".
FontFormat formatForExtension(std::string_view extension, std::string_view title = {});

// True when `name` ends with `lowercaseEnding` (".fon"), compared without
// regard to case.
bool endsWithIgnoringCase(std::string_view name, std::string_view lowercaseEnding);

} // namespace glyphsmith
