#pragma once

// The 8-bit code page a system without one of its own (Linux) stands for: the
// one Windows would use as its ANSI code page for the locale's language, so
// that a translator's fonts open as they would on a Windows machine set to
// the same language.

#include <string>
#include <string_view>

namespace glyphsmith {

// The code page for a POSIX locale name ("cs_CZ.UTF-8", "ru", "C"): from its
// language, the letters before '_', '.' or '@'; cp1252 for every language
// not listed (English and the other Western European ones, "C", "POSIX", "").
std::string codePageForLocale(std::string_view locale);

// The locale that decides it: the first set of LC_ALL, LC_CTYPE and LANG.
std::string environmentLocale();

} // namespace glyphsmith
