#pragma once
// The C library's iconv, the reference for the code page tables (Linux only).
#include <iconv.h>
#include <optional>

namespace glyphsmith {

// The code point iconv gives byte `byte` of code page `page`; nullopt where it refuses the byte.
inline std::optional<char32_t> iconvUnicodeOf(const char* page, int byte)
{
    iconv_t converter = iconv_open("UTF-32LE", page);
    char in = static_cast<char>(byte);
    char32_t out = 0;
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const bool converted = converter != reinterpret_cast<iconv_t>(-1)
        && iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    return converted && outLeft == 0 ? std::optional(out) : std::nullopt;
}

} // namespace glyphsmith
