#pragma once

// The guides of letter mode: a baseline and an x-height line drawn over the
// enlarged glyph. They are the user's aid, not part of the font: each font
// file keeps its own in the program's settings. Each is a row boundary
// counted from the glyph's top (a line under row n - 1 is n); 0 is none.

#include <string>
#include <string_view>

namespace glyphsmith {

struct LetterGuides {
    int baseline = 0;
    int xHeight = 0;
    bool operator==(const LetterGuides&) const = default;
};

// The name of the setting that holds the guides of the font file at `path`.
// The path is hashed, so the name holds no character a settings store
// might treat as a separator.
std::string guidesSettingName(std::string_view path);

// "baseline x-height", and back; text that is not two numbers from 0 to 64
// reads as no guides.
std::string formatGuides(const LetterGuides& guides);
LetterGuides parseGuides(std::string_view text);

} // namespace glyphsmith
