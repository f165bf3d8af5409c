#include "convert_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <memory>
#include <string_view>
#include <utility>

#include "check_command.h"
#include "coverage_command.h"
#include "font/bitmap_font.h"
#include "font/engine_check.h"
#include "font/coverage.h"
#include "font/file_io.h"
#include "font/font_files.h"
#include "font/recode.h"
#include "font_dump.h"
#include "font_file_command.h"
#include "game_command.h"
#include "game_replace_command.h"
#include "platform/message_boxes.h"

namespace glyphsmith {

namespace {

constexpr std::string_view Usage =
    "usage: glyphsmith-convert IN OUT                  convert the font IN into OUT\n"
    "       glyphsmith-convert --dump IN               print the font IN as text\n"
    "       glyphsmith-convert --system-font POINTS OUT\n"
    "                                                  build a font from the system font\n"
    "                                                  at POINTS points (0: default size)\n"
    "       glyphsmith-convert --font FILE SIZE OUT [--codepage CP | --codes RANGES]\n"
    "                                                  build a font from a TrueType, OpenType, BDF,\n"
    "                                                  PCF or .fon/.fnt file at SIZE pixels (0: the\n"
    "                                                  file's first size, 16 for an outline font)\n"
    "       glyphsmith-convert --font-info FILE [--codepage CP | --codes RANGES]\n"
    "                                                  tell what the font file holds\n"
    "       glyphsmith-convert --check [--json] FILE...\n"
    "                                                  say whether the game engine loads each\n"
    "                                                  font as drawn, with changes, or not at all\n"
    "       glyphsmith-convert --recode FROM:TO [--drop-unmapped] IN OUT\n"
    "                                                  move the glyphs of codes 128 and up from\n"
    "                                                  one encoding to another: unicode or an\n"
    "                                                  8-bit code page (cp1251, koi8-r, ...)\n"
    "       glyphsmith-convert --list GAME             list the fonts inside a game: an SCI game's\n"
    "                                                  folder or resource.map, an AGS game's .ags,\n"
    "                                                  .dat or .exe file\n"
    "       glyphsmith-convert --replace GAME:N FONT   write FONT into the game as its font N: an\n"
    "                                                  SCI game gets a patch file, an AGS game's\n"
    "                                                  file is rewritten (the first time keeping\n"
    "                                                  the original as GAME.orig)\n"
    "       glyphsmith-convert --coverage TEXT FONT [--encoding ENC]\n"
    "                                                  list the characters of the UTF-8 text\n"
    "                                                  TEXT that FONT cannot draw (exit 1 when\n"
    "                                                  any); ENC: unicode or a code page, by\n"
    "                                                  default unicode for more than 256 codes,\n"
    "                                                  else cp1252\n"
    "       glyphsmith-convert --help                  show this text\n"
    "       glyphsmith-convert --version               show the program's version\n"
    "\n"
    "The format of each file follows its extension: .wfn is an AGS font,\n"
    ".bmp a glyph sheet, anything else (font.001, font.0, no extension) an SCI font.\n"
    "A .fon or .fnt file is read as an SCI font when its first byte is 0x87 or 0x07\n"
    "(a patch file such as 0.fon), else as a Windows font file (--font). OUT.fon\n"
    "is written as an SCI font, never over an existing file that is not one.\n"
    "--font takes codes 0 to 127 from the same Unicode characters; --codepage cp1251\n"
    "adds 128 to 255 as that code page has them, --codes 32-126,0x400-0x44F takes\n"
    "the codes of those Unicode characters instead.\n"
    "Wherever a font is read, GAME:N reads font N of a game (GAME:4, or\n"
    "C:\\games\\kq4:4): the font the game shows, its patch file when it has one.\n";

constexpr int MaxPoints = 65535; // the largest line height an SCI file can hold
// The largest text --coverage reads: far more than any game's script.
constexpr std::size_t MaxTextBytes = std::size_t { 256 } << 20;

// Messages a format shows of its own accord (a refusal) go to standard error,
// after `prefix`, which names the file like every other failure line.
class ErrorStreamMessages : public MessageBoxes {
public:
    explicit ErrorStreamMessages(std::ostream& err, std::string prefix = {}) : err_(err), prefix_(std::move(prefix)) {}
    MessageResult showMessage(std::string_view text, std::string_view, MessageButtons) override
    {
        err_ << prefix_ << text << '\n';
        return MessageResult::Ok;
    }

private:
    std::ostream& err_;
    std::string prefix_;
};

std::string extensionOf(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    return extension.empty() ? extension : extension.substr(1);
}

std::string titleOf(const std::string& path)
{
    return std::filesystem::path(path).stem().string();
}

int usageError(std::ostream& err, std::string_view problem)
{
    err << "glyphsmith-convert: " << problem << '\n' << Usage;
    return ConvertUsage;
}

// A name the program does not know: one line naming it and what is known,
// without the whole usage text, which would bury it.
int nameError(std::ostream& err, std::string_view problem)
{
    err << "glyphsmith-convert: " << problem << '\n';
    return ConvertUsage;
}

// Reads `path` into `font`, telling the user about any failure or warning.
bool readInto(BitmapFont& font, const std::string& path, FileServices services, std::ostream& err)
{
    if (isGameFontArgument(path))
        return readGameFont(font, path, err);
    const FontFormat format = formatToRead(formatForExtension(extensionOf(path), titleOf(path)), path);
    if (format == FontFormat::Ttf || format == FontFormat::FontFile) {
        // Opening one in the editor imports it at the height set beforehand;
        // here the size is given explicitly.
        err << "cannot read " << path
            << ": font files are imported at a size; use --font FILE SIZE OUT (or --system-font POINTS OUT)\n";
        return false;
    }
    ErrorStreamMessages named(err, "cannot read " + path + ": ");
    FileResult result = readFontFile(font, format, path, { named, services.systemFont });
    if (result.outcome == FileOutcome::Failed)
        err << "cannot read " << path << ": " << describe(result) << '\n';
    else if (!result.warning.empty())
        err << "warning: " << path << ": " << result.warning << '\n';
    return result.ok();
}

bool writeFrom(const BitmapFont& font, const std::string& path, FileServices services, std::ostream& err)
{
    ErrorStreamMessages named(err, "cannot write " + path + ": ");
    const FontFormat format = formatToWrite(formatForExtension(extensionOf(path), titleOf(path)), path);
    FileResult result = writeFontFile(font, format, path, { named, services.systemFont });
    if (result.outcome == FileOutcome::Failed)
        err << "cannot write " << path << ": " << describe(result) << '\n';
    // The file stays written even when its engine would refuse or change it:
    // whether to use it is the game maker's choice.
    if (result.ok())
        for (const std::string& line : engineWarnings(path))
            err << "warning: " << line << '\n';
    return result.ok();
}

bool parsePoints(const std::string& text, int& points)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, points);
    return error == std::errc() && stop == end && points >= 0 && points <= MaxPoints;
}

// Builds the font from the system font at `points` points, as opening a .ttf
// file in the editor does with the Height box set to that size.
bool importSystemFont(BitmapFont& font, int points, const SystemFontSource& source, MessageBoxes& messages,
    std::ostream& err)
{
    SystemFontRenderer* renderer = source ? source() : nullptr;
    font.lineHeight = points;
    FileResult result = renderer ? font.importSystemFont({}, *renderer, messages)
                                 : FileResult::failed(FileError::NoSystemFont);
    if (!result.ok())
        err << "cannot build a font from the system font at " << points << " points: " << describe(result) << '\n';
    return result.ok();
}

// The import's closing notice speaks of the editor's height indicator, which
// means nothing here; a converter run is told only about real problems.
class QuietMessages : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view, std::string_view, MessageButtons) override { return MessageResult::Ok; }
};

std::string codeList(const std::vector<int>& codes)
{
    std::string list;
    for (int code : codes)
        list += (list.empty() ? "" : ", ") + std::to_string(code);
    return list;
}

// --recode FROM:TO [--drop-unmapped] IN OUT, with --drop-unmapped anywhere after FROM:TO.
int runRecode(std::vector<std::string> arguments, FileServices services, std::ostream& err)
{
    const auto drop = std::ranges::find(arguments, "--drop-unmapped");
    const bool dropUnmapped = drop != arguments.end();
    if (dropUnmapped)
        arguments.erase(drop);
    if (arguments.size() != 4)
        return usageError(err, "--recode takes FROM:TO and two files");
    for (std::size_t i = 2; i < arguments.size(); ++i)
        if (arguments[i].empty() || arguments[i].starts_with('-'))
            return usageError(err, "unexpected argument '" + arguments[i] + "'");
    const std::string& pair = arguments[1];
    const std::size_t colon = pair.find(':');
    if (colon == std::string::npos)
        return usageError(err, "FROM:TO must name two encodings, each unicode or an 8-bit code page");
    const std::string_view names[] = { std::string_view(pair).substr(0, colon), std::string_view(pair).substr(colon + 1) };
    for (std::string_view name : names)
        if (!parseEncoding(name))
            return nameError(err, unknownEncodingText(name));
    const TextEncoding from = *parseEncoding(names[0]);
    const TextEncoding to = *parseEncoding(names[1]);

    const std::string& in = arguments[2];
    const std::string& out = arguments[3];
    auto font = std::make_unique<BitmapFont>();
    if (!readInto(*font, in, services, err))
        return ConvertFailed;
    auto recoded = std::make_unique<BitmapFont>();
    const std::vector<int> unmapped = recodeFont(*font, from, to, *recoded);
    if (!unmapped.empty()) {
        const std::string codes = "the glyphs of codes " + codeList(unmapped) + " have no place in " + encodingName(to);
        if (!dropUnmapped) {
            err << "cannot recode " << in << ": " << codes << " (--drop-unmapped leaves them out)\n";
            return ConvertFailed;
        }
        err << "dropped from " << in << ": " << codes << '\n';
    }
    return writeFrom(*recoded, out, services, err) ? ConvertOk : ConvertFailed;
}

// --coverage: reads the text and the font, then lists what the font lacks.
int runCoverage(const CoverageOptions& options, std::ostream& err, std::ostream& out)
{
    std::vector<std::uint8_t> bytes;
    if (const FileError error = readWholeFile(options.textFile, MaxTextBytes, bytes); error != FileError::None) {
        err << "cannot read " << options.textFile << ": " << describe(FileResult::failed(error)) << '\n';
        return ConvertFailed;
    }
    const std::string text(bytes.begin(), bytes.end());
    ErrorStreamMessages messages(err);
    auto font = std::make_unique<BitmapFont>();
    if (!readInto(*font, options.fontFile, FileServices { messages }, err))
        return ConvertFailed;
    return printCoverage(*font, text, options.encoding.value_or(defaultCheckEncoding(*font)), out);
}

} // namespace

int runConvert(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
    const SystemFontSource& systemFont, FontFileReader* fontFiles)
{
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << Usage;
        return ConvertOk;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out << "glyphsmith-convert " << GLYPHSMITH_VERSION << '\n';
        return ConvertOk;
    }
    const std::string mode = arguments.empty() || !arguments[0].starts_with('-') ? "" : arguments[0];
    if (isCheckOption(mode)) {
        CheckOptions options;
        std::string problem;
        if (!parseCheckArguments(arguments, options, problem))
            return usageError(err, problem);
        return runCheck(options, out, err);
    }
    if (isFontFileOption(mode)) {
        FontFileOptions options;
        std::string problem;
        if (!parseFontFileArguments(arguments, options, problem))
            return options.unknownCodePage ? nameError(err, problem) : usageError(err, problem);
        if (!fontFiles) {
            err << "cannot read " << options.file << ": font files cannot be read in this build\n";
            return ConvertFailed;
        }
        if (options.infoOnly)
            return printFontFileInfo(options, *fontFiles, out, err) == 0 ? ConvertOk : ConvertFailed;
        ErrorStreamMessages messages(err);
        auto font = std::make_unique<BitmapFont>();
        if (!importFromFontFile(*font, options, *fontFiles, err))
            return ConvertFailed;
        return writeFrom(*font, options.out, { messages }, err) ? ConvertOk : ConvertFailed;
    }
    if (mode == "--list")
        return runList(arguments, out, err);
    if (mode == "--replace") {
        ErrorStreamMessages messages(err);
        return runGameReplace(arguments, [&](BitmapFont& font, const std::string& path) {
            return readInto(font, path, { messages }, err);
        }, err);
    }
    if (isCoverageOption(mode)) {
        CoverageOptions options;
        std::string problem;
        if (!parseCoverageArguments(arguments, options, problem))
            return options.unknownEncoding ? nameError(err, problem) : usageError(err, problem);
        return runCoverage(options, err, out);
    }
    if (mode == "--recode") {
        ErrorStreamMessages messages(err);
        return runRecode(arguments, FileServices{ messages }, err);
    }
    const std::size_t expected = mode == "--system-font" ? 3 : 2;
    if (mode != "" && mode != "--dump" && mode != "--system-font")
        return usageError(err, "unknown option '" + mode + "'");
    if (arguments.size() != expected)
        return usageError(err, mode == "--dump" ? "--dump takes one file"
                : mode == "--system-font"       ? "--system-font takes a point size and one file"
                                                : "expected two files");
    for (std::size_t i = mode.empty() ? 0 : 1; i < arguments.size(); ++i)
        if (arguments[i].empty() || arguments[i].starts_with('-'))
            return usageError(err, "unexpected argument '" + arguments[i] + "'");

    ErrorStreamMessages messages(err);
    FileServices services{ messages };
    auto font = std::make_unique<BitmapFont>();

    if (mode == "--dump") {
        if (!readInto(*font, arguments[1], services, err))
            return ConvertFailed;
        dumpFont(*font, out);
        // A full disk or a file-size limit shows only once the text is
        // flushed; a dump cut short must not pass for a whole one.
        if (!out.flush()) {
            err << "cannot write the dump of " << arguments[1] << " to standard output\n";
            return ConvertFailed;
        }
        return ConvertOk;
    }
    if (mode == "--system-font") {
        int points = 0;
        if (!parsePoints(arguments[1], points))
            return usageError(err, "the point size must be a whole number from 0 to 65535");
        QuietMessages notice;
        if (!importSystemFont(*font, points, systemFont, notice, err))
            return ConvertFailed;
        return writeFrom(*font, arguments[2], services, err) ? ConvertOk : ConvertFailed;
    }
    if (!readInto(*font, arguments[0], services, err))
        return ConvertFailed;
    return writeFrom(*font, arguments[1], services, err) ? ConvertOk : ConvertFailed;
}

} // namespace glyphsmith
