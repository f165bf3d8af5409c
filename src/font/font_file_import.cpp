#include "font/font_file_import.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace glyphsmith {

namespace {

// Reads one number of a range list: decimal, or hexadecimal after "0x".
bool parseCode(std::string_view text, long& value)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value, base);
    return !text.empty() && error == std::errc() && stop == end;
}

// Copies the drawn bitmap into the glyph's cell: the origin is the cell's
// left edge on the baseline, `ascent` rows below the cell's top. Ink outside
// the cell (an italic overhang, a bearing left of the origin) is cut off, as
// it would be when the engine draws the glyph in its box.
void placeInCell(const DrawnCharacter& drawn, int ascent, int lineHeight, Glyph& glyph)
{
    glyph.clear();
    glyph.width = std::max(drawn.advance, 0);
    glyph.height = lineHeight;
    for (int row = 0; row < drawn.height; ++row) {
        const int y = ascent - drawn.top + row;
        if (y < 0 || y >= lineHeight)
            continue;
        for (int column = 0; column < drawn.width; ++column) {
            const int x = drawn.left + column;
            if (x >= 0 && x < glyph.width && drawn.ink[static_cast<std::size_t>(row) * drawn.width + column])
                glyph.cell(x, y) = true;
        }
    }
}

std::string missingWarning(const std::vector<CharacterMapping>& missing)
{
    constexpr std::size_t Named = 16;
    std::string text = "The font has no glyph for " + std::to_string(missing.size()) + " of the characters asked for";
    for (std::size_t i = 0; i < missing.size() && i < Named; ++i)
        text += (i == 0 ? ": " : ", ") + codePointName(missing[i].codePoint);
    if (missing.size() > Named)
        text += ", ...";
    return text + "; they are left empty.";
}

} // namespace

std::vector<CharacterMapping> asciiCharacters()
{
    std::vector<CharacterMapping> characters;
    for (int code = 0; code < GlyphCount; ++code)
        characters.push_back({ code, static_cast<char32_t>(code) });
    return characters;
}

std::vector<CharacterMapping> codePageCharacters(const CodePage& page)
{
    std::vector<CharacterMapping> characters = asciiCharacters();
    for (int byte = 128; byte < 256; ++byte)
        if (std::optional<char32_t> character = unicodeOf(page, static_cast<std::uint8_t>(byte)))
            characters.push_back({ byte, *character });
    return characters;
}

std::optional<std::vector<CharacterMapping>> parseCodeRanges(std::string_view ranges, std::string& problem)
{
    std::vector<CharacterMapping> characters;
    while (true) {
        const std::size_t comma = ranges.find(',');
        const std::string_view item = ranges.substr(0, comma);
        const std::size_t dash = item.find('-');
        long low = 0;
        long high = 0;
        const bool parsed = dash == std::string_view::npos
            ? parseCode(item, low) && parseCode(item, high)
            : parseCode(item.substr(0, dash), low) && parseCode(item.substr(dash + 1), high);
        if (!parsed || low > high) {
            problem = "'" + std::string(item) + "' is not a code or a range of codes such as 32-126 or 0x400-0x44F";
            return std::nullopt;
        }
        if (high >= MaxCodeCount) {
            problem = "codes go up to " + std::to_string(MaxCodeCount - 1);
            return std::nullopt;
        }
        for (long code = low; code <= high; ++code)
            characters.push_back({ static_cast<int>(code), static_cast<char32_t>(code) });
        if (comma == std::string_view::npos)
            return characters;
        ranges.remove_prefix(comma + 1);
    }
}

FontFileImport importFontFile(BitmapFont& font, FontFileReader& reader, const FontFileRequest& request)
{
    FontFileImport import;
    std::unique_ptr<FontFace> face = reader.openFace(request.path, request.pixelSize, import.result);
    if (!face)
        return import;
    const FaceLine line = face->line();
    const int lineHeight = line.ascent + line.descent;
    if (lineHeight >= MaxGlyphSize || line.ascent < 0 || line.descent < 0) {
        import.result = FileResult::failed(FileError::LineTooHigh);
        return import;
    }

    int highestCode = GlyphCount - 1;
    for (const CharacterMapping& mapping : request.characters)
        highestCode = std::max(highestCode, mapping.code);
    BitmapFont built;
    built.clear();
    built.setCodeCount(highestCode + 1);
    built.lineHeight = lineHeight;

    DrawnCharacter drawn;
    for (const CharacterMapping& mapping : request.characters) {
        if (mapping.code < 0 || mapping.code >= MaxCodeCount || mapping.codePoint == 0)
            continue;
        const bool drew = face->drawCharacter(mapping.codePoint, drawn)
            && drawn.ink.size() >= static_cast<std::size_t>(std::max(drawn.width, 0)) * std::max(drawn.height, 0);
        if (!drew) {
            if (!isControlCharacter(mapping.codePoint))
                import.missing.push_back(mapping);
            continue;
        }
        if (drawn.advance >= MaxGlyphSize) {
            // A control character may be given the width of a tab stop; it
            // draws nothing, so it stays empty rather than fail the font.
            if (isControlCharacter(mapping.codePoint))
                continue;
            import.result = FileResult::failed(FileError::GlyphCellTooLarge, mapping.code);
            import.missing.clear();
            return import;
        }
        placeInCell(drawn, line.ascent, lineHeight, built.glyphs[mapping.code]);
    }
    // Copied rather than moved, so that a font of the same size keeps its
    // storage and pointers the editor holds into it stay valid.
    font = built;
    import.result = FileResult::done();
    if (!import.missing.empty())
        import.result.warning = missingWarning(import.missing);
    return import;
}

bool isControlCharacter(char32_t codePoint)
{
    return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

std::string codePointName(char32_t codePoint)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

} // namespace glyphsmith
