#include "font/recode.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace glyphsmith {

namespace {

constexpr int ByteCodes = 256;

// The character code `code` of a font in `encoding` stands for, if any.
std::optional<char32_t> characterOf(TextEncoding encoding, int code)
{
    if (!encoding.page)
        return static_cast<char32_t>(code);
    if (code >= ByteCodes)
        return std::nullopt;
    return unicodeOf(*encoding.page, static_cast<std::uint8_t>(code));
}

// The code of `character` in a font in `encoding`, if it has one.
std::optional<int> codeOf(TextEncoding encoding, char32_t character)
{
    if (!encoding.page)
        return character < static_cast<char32_t>(MaxCodeCount) ? std::optional<int>(static_cast<int>(character)) : std::nullopt;
    const std::optional<std::uint8_t> byte = byteOf(*encoding.page, character);
    return byte ? std::optional<int>(*byte) : std::nullopt;
}

} // namespace

std::vector<int> recodeFont(const BitmapFont& in, TextEncoding from, TextEncoding to, BitmapFont& out)
{
    std::vector<int> unmapped;
    std::vector<std::pair<int, int>> moves; // (from code, to code) of the glyphs above 127
    int highest = GlyphCount - 1;
    for (int code = GlyphCount; code < in.codeCount(); ++code) {
        if (in.glyphs[code].isEmpty())
            continue;
        const std::optional<char32_t> character = characterOf(from, code);
        const std::optional<int> target = character ? codeOf(to, *character) : std::nullopt;
        if (!target) {
            unmapped.push_back(code);
            continue;
        }
        moves.emplace_back(code, *target);
        highest = std::max(highest, *target);
    }

    out.lineHeight = in.lineHeight;
    out.sciHeader = in.sciHeader;
    out.setCodeCount(to.page ? ByteCodes : highest + 1);
    std::copy_n(in.glyphs.begin(), GlyphCount, out.glyphs.begin());
    std::for_each(out.glyphs.begin() + GlyphCount, out.glyphs.end(), [](Glyph& glyph) { glyph.clear(); });
    for (const auto& [source, target] : moves)
        out.glyphs[target] = in.glyphs[source];
    return unmapped;
}

} // namespace glyphsmith
