#pragma once

// UTF-8, the text of edit boxes, file names and the preview, in one place:
// reading characters out of it and writing them into it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace glyphsmith {

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

struct DecodedCharacter {
    char32_t value;
    std::size_t length; // bytes it takes
};

// The character that begins at byte `at` of `text`, or nullopt where the bytes
// there are no well-formed UTF-8 (a stray or cut sequence, an overlong form, a
// surrogate, or a value past U+10FFFF).
std::optional<DecodedCharacter> decodeUtf8At(std::string_view text, std::size_t at);

// Every character of `text`; each byte that begins no well-formed character
// becomes U+FFFD.
std::u32string decodeUtf8(std::string_view text);

// Appends `character`, which must be at most U+10FFFF and no surrogate.
void appendUtf8(std::string& text, char32_t character);

} // namespace glyphsmith
