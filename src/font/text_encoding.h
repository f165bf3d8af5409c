#pragma once

// What the codes of a font stand for: Unicode code points, or the bytes of
// one 8-bit code page (codes 0 to 127 ASCII, 128 to 255 the page's own). The
// font files say nothing of it; the game, or the user, decides.

#include <optional>
#include <string>
#include <string_view>

#include "font/code_pages.h"

namespace glyphsmith {

// Unicode where `page` is null, otherwise that code page.
struct TextEncoding {
    const CodePage* page = nullptr;
    bool operator==(const TextEncoding&) const = default;
};

// The character code `code` of a font in `encoding` stands for; nullopt for
// a byte the code page leaves undefined and for codes above 255 of a code page.
std::optional<char32_t> characterOf(TextEncoding encoding, int code);

// The code of `character` in a font in `encoding`, if it has one.
std::optional<int> codeOf(TextEncoding encoding, char32_t character);

// "unicode" (in any case) or a code page as findCodePage reads its name.
std::optional<TextEncoding> parseEncoding(std::string_view name);

// "unicode" or the code page's name.
std::string encodingName(TextEncoding encoding);

// The one line that refuses an unknown name, with every known one:
// "unknown encoding 'cp9999'; known: unicode, cp437, ...". Without
// `withUnicode` it speaks of a code page and leaves unicode out.
std::string unknownEncodingText(std::string_view name, bool withUnicode = true);

} // namespace glyphsmith
