#pragma once

// Which characters of a text a font cannot draw: what a translator checks a
// whole translation against before giving a font to the game.

#include <optional>
#include <string_view>
#include <vector>

#include "font/bitmap_font.h"
#include "font/text_encoding.h"

namespace glyphsmith {

struct UncoveredCharacter {
    char32_t character = 0;
    // Its code in the encoding; nullopt when the encoding has none.
    std::optional<int> code;
    int count = 0;     // how often the text uses it
    int firstLine = 0; // the line it first stands on, from 1

    bool operator==(const UncoveredCharacter&) const = default;
};

// The characters of the UTF-8 `text` the font cannot draw in `encoding`, in
// the order they first appear: those without a code, those whose code is past
// the font's last, and those whose glyph has no set pixel (a space needs
// none). Line ends and a byte order mark are no characters of the text;
// bytes that are not UTF-8 count as U+FFFD.
std::vector<UncoveredCharacter> uncoveredCharacters(const BitmapFont& font, std::string_view text, TextEncoding encoding);

// Why the font cannot draw it: "not in cp1250", "past the font's last code",
// "code 248 has an empty glyph".
std::string uncoveredReason(const UncoveredCharacter& uncovered, const BitmapFont& font, TextEncoding encoding);

// The encoding a font is checked in when none is named: Unicode for more than
// 256 codes, else cp1252.
TextEncoding defaultCheckEncoding(const BitmapFont& font);

} // namespace glyphsmith
