#include "font/text_encoding.h"

#include "font/bitmap_font.h"

namespace glyphsmith {

namespace {

constexpr int ByteCodes = 256;

} // namespace

std::optional<char32_t> characterOf(TextEncoding encoding, int code)
{
    if (code < 0)
        return std::nullopt;
    if (!encoding.page)
        return static_cast<char32_t>(code);
    if (code >= ByteCodes)
        return std::nullopt;
    return unicodeOf(*encoding.page, static_cast<std::uint8_t>(code));
}

std::optional<int> codeOf(TextEncoding encoding, char32_t character)
{
    if (!encoding.page)
        return character < static_cast<char32_t>(MaxCodeCount) ? std::optional<int>(static_cast<int>(character)) : std::nullopt;
    const std::optional<std::uint8_t> byte = byteOf(*encoding.page, character);
    return byte ? std::optional<int>(*byte) : std::nullopt;
}

std::optional<TextEncoding> parseEncoding(std::string_view name)
{
    std::string lower;
    for (char c : name)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower == "unicode")
        return TextEncoding{};
    if (const CodePage* page = findCodePage(name))
        return TextEncoding{ page };
    return std::nullopt;
}

std::string encodingName(TextEncoding encoding)
{
    return encoding.page ? std::string(encoding.page->name) : "unicode";
}

std::string unknownEncodingText(std::string_view name, bool withUnicode)
{
    std::string text = std::string("unknown ") + (withUnicode ? "encoding" : "code page") + " '" + std::string(name)
        + "'; known: " + (withUnicode ? "unicode" : "");
    for (std::string_view page : codePageNames())
        text += (text.ends_with(": ") ? "" : ", ") + std::string(page);
    return text;
}

} // namespace glyphsmith
