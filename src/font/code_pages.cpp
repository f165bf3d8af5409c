#include "font/code_pages.h"

#include <algorithm>

#include "font/code_page_tables.h"

namespace glyphsmith {

namespace {

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

const CodePage* findCodePage(std::string_view name)
{
    for (const CodePage& page : codePageTables()) {
        if (sameIgnoringCase(page.name, name))
            return &page;
    }
    return nullptr;
}

std::optional<char32_t> unicodeOf(const CodePage& page, std::uint8_t byte)
{
    if (byte < 128)
        return byte;
    const char16_t code = page.upperHalf[byte - 128];
    if (code == 0)
        return std::nullopt;
    return code;
}

std::optional<std::uint8_t> byteOf(const CodePage& page, char32_t character)
{
    if (character < 128)
        return static_cast<std::uint8_t>(character);
    const auto found = std::find(page.upperHalf.begin(), page.upperHalf.end(), character);
    if (found == page.upperHalf.end())
        return std::nullopt;
    return static_cast<std::uint8_t>(128 + (found - page.upperHalf.begin()));
}

std::vector<std::string_view> codePageNames()
{
    std::vector<std::string_view> names;
    for (const CodePage& page : codePageTables())
        names.push_back(page.name);
    return names;
}

} // namespace glyphsmith
