#include "font/coverage.h"

#include <algorithm>
#include <map>

#include "font/utf8.h"

namespace glyphsmith {

namespace {

constexpr char32_t ByteOrderMark = 0xfeff;
constexpr int ByteCodes = 256;

bool drawable(const BitmapFont& font, char32_t character, std::optional<int> code)
{
    if (!code || *code >= font.codeCount())
        return false;
    if (character == ' ' || character == 0xa0) // a blank needs no ink
        return true;
    const Glyph& glyph = font.glyphs[*code];
    for (int x = 0; x < std::clamp<int>(glyph.width, 0, MaxGlyphSize); ++x)
        for (int y = 0; y < std::clamp<int>(glyph.height, 0, MaxGlyphSize); ++y)
            if (glyph.cell(x, y))
                return true;
    return false;
}

} // namespace

std::vector<UncoveredCharacter> uncoveredCharacters(const BitmapFont& font, std::string_view text, TextEncoding encoding)
{
    std::vector<UncoveredCharacter> uncovered;
    std::map<char32_t, std::size_t> found; // character -> index in `uncovered`
    std::map<char32_t, bool> checked;      // character -> drawable
    int line = 1;
    for (char32_t character : decodeUtf8(text)) {
        if (character == '\n') {
            ++line;
            continue;
        }
        if (character == '\r' || character == ByteOrderMark)
            continue;
        const std::optional<int> code = codeOf(encoding, character);
        const auto [known, added] = checked.try_emplace(character, false);
        if (added)
            known->second = drawable(font, character, code);
        if (known->second)
            continue;
        const auto [entry, first] = found.try_emplace(character, uncovered.size());
        if (first)
            uncovered.push_back({ character, code, 0, line });
        ++uncovered[entry->second].count;
    }
    return uncovered;
}

std::string uncoveredReason(const UncoveredCharacter& uncovered, const BitmapFont& font, TextEncoding encoding)
{
    if (!uncovered.code) // in Unicode: a character past U+FFFF, which no font's codes reach
        return encoding.page ? "not in " + encodingName(encoding) : "past the last code a font can hold";
    if (*uncovered.code >= font.codeCount())
        return "past the font's last code";
    return "code " + std::to_string(*uncovered.code) + " has an empty glyph";
}

TextEncoding defaultCheckEncoding(const BitmapFont& font)
{
    return font.codeCount() > ByteCodes ? TextEncoding {} : TextEncoding { findCodePage("cp1252") };
}

} // namespace glyphsmith
