#include "font_file_command.h"

#include <charconv>

#include "font/code_pages.h"
#include "font/text_encoding.h"

namespace glyphsmith {

namespace {

constexpr int MaxPixelSize = 65535;

bool parseSize(const std::string& text, int& size)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, size);
    return error == std::errc() && stop == end && size >= 0 && size <= MaxPixelSize;
}

std::string characterList(const std::vector<CharacterMapping>& characters)
{
    std::string text;
    for (const CharacterMapping& mapping : characters)
        text += (text.empty() ? "" : ", ") + codePointName(mapping.codePoint) + " (code " + std::to_string(mapping.code)
            + ")";
    return text;
}

} // namespace

bool isFontFileOption(const std::string& argument) { return argument == "--font" || argument == "--font-info"; }

bool parseFontFileArguments(const std::vector<std::string>& arguments, FontFileOptions& options, std::string& problem)
{
    options.infoOnly = arguments[0] == "--font-info";
    const std::size_t files = options.infoOnly ? 2 : 4;
    if (arguments.size() != files && arguments.size() != files + 2) {
        problem = options.infoOnly ? "--font-info takes a font file, then optionally --codepage CP or --codes RANGES"
                                   : "--font takes a font file, a size in pixels and one file, then optionally "
                                     "--codepage CP or --codes RANGES";
        return false;
    }
    for (std::size_t i = 1; i < files; ++i) {
        if (arguments[i].empty() || arguments[i].starts_with('-')) {
            problem = "unexpected argument '" + arguments[i] + "'";
            return false;
        }
    }
    options.file = arguments[1];
    if (!options.infoOnly) {
        if (!parseSize(arguments[2], options.pixelSize)) {
            problem = "the size must be a whole number of pixels from 0 to 65535";
            return false;
        }
        options.out = arguments[3];
    }
    if (arguments.size() == files)
        return true;
    const std::string& option = arguments[files];
    const std::string& value = arguments[files + 1];
    if (option == "--codepage") {
        const CodePage* page = findCodePage(value);
        if (!page) {
            problem = unknownEncodingText(value, false);
            options.unknownCodePage = true;
            return false;
        }
        options.characters = codePageCharacters(*page);
        return true;
    }
    if (option == "--codes") {
        std::optional<std::vector<CharacterMapping>> ranges = parseCodeRanges(value, problem);
        if (ranges)
            options.characters = std::move(*ranges);
        return ranges.has_value();
    }
    problem = "unexpected argument '" + option + "'";
    return false;
}

bool importFromFontFile(BitmapFont& font, const FontFileOptions& options, FontFileReader& reader, std::ostream& err)
{
    const FontFileImport import = importFontFile(font, reader, { options.file, options.pixelSize, options.characters });
    if (!import.result.ok()) {
        err << "cannot read " << options.file << ": " << describe(import.result) << '\n';
        return false;
    }
    if (!import.missing.empty())
        err << "warning: " << options.file << ": the font has no glyph for " << import.missing.size()
            << " of the characters asked for, left empty: " << characterList(import.missing) << '\n';
    return true;
}

int printFontFileInfo(const FontFileOptions& options, FontFileReader& reader, std::ostream& out, std::ostream& err)
{
    FileResult error;
    std::unique_ptr<FontFace> face = reader.openFace(options.file, options.pixelSize, error);
    if (!face) {
        err << "cannot read " << options.file << ": " << describe(error) << '\n';
        return 1;
    }
    const FontFileInfo info = face->info();
    out << "family: " << info.family << "\nstyle: " << info.style << "\nformat: " << info.format
        << "\nkind: " << (info.kind == FontFileKind::Outline ? "outline" : "bitmap") << "\nfaces: " << info.faces
        << "\nsizes:";
    if (info.strikes.empty())
        out << " any";
    for (int pixels : info.strikes)
        out << ' ' << pixels;
    std::vector<CharacterMapping> missing;
    std::size_t asked = 0;
    for (const CharacterMapping& mapping : options.characters) {
        if (isControlCharacter(mapping.codePoint))
            continue;
        ++asked;
        if (!face->hasCharacter(mapping.codePoint))
            missing.push_back(mapping);
    }
    out << "\ncharacters: " << asked - missing.size() << " of " << asked << " asked (control characters not counted)\n";
    if (!missing.empty())
        out << "missing: " << characterList(missing) << '\n';
    return out.flush() ? 0 : 1;
}

} // namespace glyphsmith
