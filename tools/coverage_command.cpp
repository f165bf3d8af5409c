#include "coverage_command.h"

#include <cstdio>

#include "font/coverage.h"
#include "font/utf8.h"

namespace glyphsmith {

namespace {

std::string characterName(char32_t character)
{
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(character));
    std::string name = number;
    // Control characters and blanks are named by their number only.
    if (character > ' ' && !(character >= 0x7f && character <= 0xa0)) {
        name += ' ';
        appendUtf8(name, character);
    }
    return name;
}

} // namespace

bool isCoverageOption(const std::string& argument) { return argument == "--coverage"; }

bool parseCoverageArguments(const std::vector<std::string>& arguments, CoverageOptions& options, std::string& problem)
{
    if (arguments.size() != 3 && arguments.size() != 5) {
        problem = "--coverage takes a text file and a font file, then optionally --encoding ENC";
        return false;
    }
    for (std::size_t i = 1; i < 3; ++i) {
        if (arguments[i].empty() || arguments[i].starts_with('-')) {
            problem = "unexpected argument '" + arguments[i] + "'";
            return false;
        }
    }
    options.textFile = arguments[1];
    options.fontFile = arguments[2];
    if (arguments.size() == 3)
        return true;
    if (arguments[3] != "--encoding") {
        problem = "unexpected argument '" + arguments[3] + "'";
        return false;
    }
    options.encoding = parseEncoding(arguments[4]);
    if (!options.encoding) {
        problem = unknownEncodingText(arguments[4]);
        options.unknownEncoding = true;
        return false;
    }
    return true;
}

int printCoverage(const BitmapFont& font, std::string_view text, TextEncoding encoding, std::ostream& out)
{
    const std::vector<UncoveredCharacter> uncovered = uncoveredCharacters(font, text, encoding);
    for (const UncoveredCharacter& entry : uncovered)
        out << characterName(entry.character) << ": " << entry.count << (entry.count == 1 ? " time" : " times")
            << ", first on line " << entry.firstLine << "; " << uncoveredReason(entry, font, encoding) << '\n';
    if (uncovered.empty()) {
        out << "the font draws every character of the text in " << encodingName(encoding) << '\n';
        return 0;
    }
    out << uncovered.size() << (uncovered.size() == 1 ? " character" : " characters")
        << " of the text the font cannot draw in " << encodingName(encoding) << '\n';
    return 1;
}

} // namespace glyphsmith
