#include "font/font_format.h"

#include <algorithm>

namespace glyphsmith {

namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view lowercase)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(text, lowercase, [&](char a, char b) { return lower(a) == b; });
}

} // namespace

FontFormat formatForExtension(std::string_view extension)
{
    if (equalsIgnoringCase(extension, "bmp"))
        return FontFormat::Bmp;
    if (equalsIgnoringCase(extension, "ttf"))
        return FontFormat::Ttf;
    if (equalsIgnoringCase(extension, "wfn"))
        return FontFormat::Wfn;
    return FontFormat::Sci;
}

} // namespace glyphsmith
