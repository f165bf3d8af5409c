#include "font/code_pages.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "font/code_page_tables.h"

namespace glyphsmith {

namespace {

// The name in lower case without '-', '_', '.' and blanks: "Windows-1251" -> "windows1251".
std::string compact(std::string_view name)
{
    std::string out;
    for (char c : name) {
        if (c == '-' || c == '_' || c == '.' || c == ' ')
            continue;
        out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

// The number after `prefix`, when `text` is the prefix followed by digits only.
std::optional<int> numberAfter(std::string_view text, std::string_view prefix)
{
    if (!text.starts_with(prefix) || text.size() == prefix.size())
        return std::nullopt;
    int number = 0;
    const char* first = text.data() + prefix.size();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || *first == '0')
        return std::nullopt;
    return number;
}

// The part of ISO 8859 that latin1 to latin10 name.
constexpr int LatinParts[] = { 1, 2, 3, 4, 9, 10, 13, 14, 15, 16 };

// The compact name of the page's own spelling that `name` (compact) stands for.
std::string canonicalOf(const std::string& name)
{
    if (name == "macintosh" || name == "mac")
        return "macroman";
    if (const auto latin = numberAfter(name, "latin"); latin && *latin >= 1 && *latin <= 10)
        return "iso8859" + std::to_string(LatinParts[*latin - 1]);
    if (const auto part = numberAfter(name, "8859"))
        return "iso8859" + std::to_string(*part);
    for (const std::string_view prefix : { "windows", "win" })
        if (const auto number = numberAfter(name, prefix); number && (*number == 874 || *number >= 1250))
            return "cp" + std::to_string(*number);
    for (const std::string_view prefix : { "ibm", "dos" })
        if (const auto number = numberAfter(name, prefix); number && *number < 1000 && *number != 874)
            return "cp" + std::to_string(*number);
    if (const auto number = numberAfter(name, ""))
        return "cp" + std::to_string(*number);
    return name;
}

} // namespace

const CodePage* findCodePage(std::string_view name)
{
    const std::string wanted = canonicalOf(compact(name));
    for (const CodePage& page : codePageTables()) {
        if (compact(page.name) == wanted)
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
