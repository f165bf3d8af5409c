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

bool endsWithIgnoringCase(std::string_view name, std::string_view lowercaseEnding)
{
    return name.size() >= lowercaseEnding.size()
        && equalsIgnoringCase(name.substr(name.size() - lowercaseEnding.size()), lowercaseEnding);
}

FontFormat formatForExtension(std::string_view extension, std::string_view title)
{
    if (equalsIgnoringCase(extension, "bmp"))
        return FontFormat::Bmp;
    if (equalsIgnoringCase(extension, "ttf"))
        return FontFormat::Ttf;
    if (equalsIgnoringCase(extension, "wfn"))
        return FontFormat::Wfn;
    for (std::string_view fontFile : { "otf", "ttc", "bdf", "pcf", "fon", "fnt" })
        if (equalsIgnoringCase(extension, fontFile))
            return FontFormat::FontFile;
    if (equalsIgnoringCase(extension, "gz") && endsWithIgnoringCase(title, ".pcf"))
        return FontFormat::FontFile;
    return FontFormat::Sci;
}

} // namespace glyphsmith
