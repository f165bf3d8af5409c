#pragma once

// Which file format a file is, chosen by its extension alone.

#include <string_view>

namespace glyphsmith {

enum class FontFormat {
    Bmp, // glyph sheet
    Ttf, // built from the system font; never read or written as a file
    Wfn, // AGS font file
    Sci, // SCI font file: every other extension, the empty one included
};

// `extension` is given without the dot. The whole text is compared with
// "bmp", "ttf" and "wfn" without regard to case; anything else is SCI.
FontFormat formatForExtension(std::string_view extension);

} // namespace glyphsmith
