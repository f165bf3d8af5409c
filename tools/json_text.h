#pragma once

// Small pieces of JSON text for the converter's machine-readable output,
// written by hand: the output is flat enough to need no library.

#include <string>
#include <string_view>

namespace glyphsmith {

// `text` as a JSON string, quotes included. Quotes, backslashes and control
// characters are escaped; bytes that are not valid UTF-8 (a file name may
// hold any bytes) become U+FFFD, so the result is always valid JSON.
std::string jsonString(std::string_view text);

} // namespace glyphsmith
