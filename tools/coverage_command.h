#pragma once

// glyphsmith-convert --coverage TEXT FONT [--encoding ENC]: the characters of
// a UTF-8 text (a translation, a script) that the font cannot draw, each with
// how often it is used and the first line it stands on.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "font/bitmap_font.h"
#include "font/text_encoding.h"

namespace glyphsmith {

struct CoverageOptions {
    std::string textFile;
    std::string fontFile;
    // Nullopt: Unicode for a font of more than 256 codes, else cp1252.
    std::optional<TextEncoding> encoding;
    // Set when the arguments were refused for naming an unknown encoding.
    bool unknownEncoding = false;
};

bool isCoverageOption(const std::string& argument);

// Reads "--coverage TEXT FONT [--encoding ENC]". On wrong arguments returns
// false and sets `problem`.
bool parseCoverageArguments(const std::vector<std::string>& arguments, CoverageOptions& options, std::string& problem);

// Lists to `out` what `font` cannot draw of `text`, one character a line,
// then a line that sums up. Returns 0 when it draws everything, else 1.
int printCoverage(const BitmapFont& font, std::string_view text, TextEncoding encoding, std::ostream& out);

} // namespace glyphsmith
