#include "gamedata/ags_game_fonts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "font/file_io.h"
#include "font/file_io_calls.h"

namespace glyphsmith {

namespace {

// Games are read whole; a data package is far below this.
constexpr std::size_t MaxGameBytes = std::size_t { 2 } * 1024 * 1024 * 1024 - 1;

struct FontName {
    int number = 0;
    bool trueType = false;
};

// "agsfntN.wfn" or "agsfntN.ttf", case ignored.
std::optional<FontName> parseFontName(const std::string& name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    constexpr std::string_view prefix = "agsfnt";
    if (lower.size() < prefix.size() + 5 || lower.compare(0, prefix.size(), prefix) != 0)
        return std::nullopt;
    std::string extension = lower.substr(lower.size() - 4);
    std::string digits = lower.substr(prefix.size(), lower.size() - prefix.size() - 4);
    if ((extension != ".wfn" && extension != ".ttf") || digits.empty() || digits.size() > 4
        || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return FontName { std::stoi(digits), extension == ".ttf" };
}

std::string fileNameOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Anything at all of that name, even a file this process may not read.
bool nameTaken(const std::string& path)
{
    return saveCalls.inspect(path.c_str()) != SaveTarget::Missing;
}

} // namespace

std::string AgsGameFonts::gameName() const { return fileNameOf(path_); }

std::string AgsGameFonts::kindName() const
{
    return "AGS package version " + std::to_string(package_.version)
        + (package_.appended ? " (in an executable)" : "");
}

const std::vector<GameFont>& AgsGameFonts::fonts() const { return fonts_; }

std::string AgsGameFonts::savePath(int) const { return path_; }

GameResult AgsGameFonts::fail(const std::string& reason) const { return { gameName() + ": " + reason }; }

const AgsGameFonts::FontEntry* AgsGameFonts::findFont(int number) const
{
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        if (fonts_[i].number == number)
            return &entries_[i];
    }
    return nullptr;
}

GameResult AgsGameFonts::load()
{
    std::vector<std::uint8_t> file;
    if (FileError error = readWholeFile(path_, MaxGameBytes, file); error != FileError::None)
        return fail(describe(FileResult::failed(error)));
    return load(file);
}

GameResult AgsGameFonts::load(std::span<const std::uint8_t> file)
{
    std::string reason;
    std::optional<AgsPackage> package = readAgsPackage(file, reason);
    if (!package)
        return fail(reason);

    std::vector<std::pair<GameFont, FontEntry>> found;
    for (std::size_t i = 0; i < package->entries.size(); ++i) {
        const AgsPackageEntry& entry = package->entries[i];
        std::optional<FontName> name = parseFontName(entry.name);
        // The engine takes the first entry of a name; so does the listing.
        if (!name || package->find(entry.name) != static_cast<int>(i))
            continue;
        GameFont font;
        font.number = name->number;
        font.entryName = entry.name;
        font.storedSize = font.unpackedSize = entry.size;
        FontEntry bytes { i, {} };
        if (name->trueType) {
            font.openable = false;
            font.details = "TrueType";
        } else if (entry.part != 0) {
            font.openable = false;
            font.details = "in the package's other file " + package->parts[entry.part];
        } else {
            std::span<const std::uint8_t> data = agsEntryBytes(file, *package, i, reason);
            bytes.bytes.assign(data.begin(), data.end());
            font.details = "WFN";
        }
        found.emplace_back(std::move(font), std::move(bytes));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (a.first.number != b.first.number)
            return a.first.number < b.first.number;
        return !a.first.openable && b.first.openable && a.first.details == "TrueType";
    });
    fonts_.clear();
    entries_.clear();
    for (auto& [font, bytes] : found) {
        // A number taken by a .wfn and a .ttf at once: the engine loads the
        // TrueType one, so the listing keeps the first and skips the other.
        if (!fonts_.empty() && fonts_.back().number == font.number)
            continue;
        fonts_.push_back(std::move(font));
        entries_.push_back(std::move(bytes));
    }
    package_ = std::move(*package);
    return {};
}

GameResult AgsGameFonts::readFont(int number, BitmapFont& font) const
{
    const FontEntry* entry = findFont(number);
    if (!entry)
        return fail("the game has no font " + std::to_string(number));
    const std::string& name = package_.entries[entry->entry].name;
    const GameFont& listed = fonts_[static_cast<std::size_t>(entry - entries_.data())];
    if (!listed.openable)
        return fail("font " + std::to_string(number) + " (" + name + ") cannot be opened: " + listed.details);
    FileResult read = font.readWfnBytes(entry->bytes);
    if (!read.ok())
        return fail("font " + std::to_string(number) + " (" + name + "): " + describe(read));
    return {};
}

GameResult AgsGameFonts::fontFile(int number, std::vector<std::uint8_t>& bytes) const
{
    const FontEntry* entry = findFont(number);
    if (!entry || !fonts_[static_cast<std::size_t>(entry - entries_.data())].openable)
        return fail("the game has no WFN font " + std::to_string(number));
    bytes = entry->bytes;
    return {};
}

GameResult AgsGameFonts::saveFont(int number, const BitmapFont& font)
{
    std::vector<std::uint8_t> wfn;
    FileResult written = font.writeWfnBytes(wfn);
    if (!written.ok())
        return fail("font " + std::to_string(number) + " cannot be written: " + describe(written));
    return saveFontBytes(number, wfn);
}

GameResult AgsGameFonts::saveFontBytes(int number, const std::vector<std::uint8_t>& wfn)
{
    const FontEntry* font = findFont(number);
    if (!font || !fonts_[static_cast<std::size_t>(font - entries_.data())].openable)
        return fail("the game has no WFN font " + std::to_string(number) + " to replace");
    const std::string entryName = package_.entries[font->entry].name;

    // The file is read again: the save starts from what is on the disk now.
    std::vector<std::uint8_t> file;
    if (FileError error = readWholeFile(path_, MaxGameBytes, file); error != FileError::None)
        return fail(describe(FileResult::failed(error)));
    std::string reason;
    std::optional<AgsPackage> package = readAgsPackage(file, reason);
    if (!package)
        return fail(reason);
    int index = package->find(entryName);
    if (index < 0)
        return fail("the package no longer holds " + entryName);

    std::vector<AgsReplacement> replacements { { static_cast<std::size_t>(index), wfn } };
    std::vector<std::uint8_t> rebuilt;
    if (!rebuildAgsPackage(file, *package, replacements, rebuilt, reason)
        || !checkAgsRebuild(file, *package, replacements, rebuilt, reason))
        return fail(reason);

    // The first save keeps the game as it came; later saves leave that copy alone.
    const std::string original = path_ + ".orig";
    if (!nameTaken(original)) {
        if (FileResult kept = saveFile(original, file); !kept.ok())
            return fail("the original could not be kept as " + fileNameOf(original) + ": " + describe(kept));
    }
    if (FileResult saved = saveFile(path_, rebuilt); !saved.ok())
        return fail(describe(saved));

    // Read back what the disk holds; anything else puts the old file back.
    std::vector<std::uint8_t> reread;
    FileError error = readWholeFile(path_, MaxGameBytes, reread);
    if (error != FileError::None || reread != rebuilt) {
        FileResult restored = saveFile(path_, file);
        return fail(std::string("the saved package did not read back as written; ")
            + (restored.ok() ? "the game file was put back as it was" : "the original is in " + fileNameOf(original)));
    }
    return load(reread);
}

std::unique_ptr<GameFonts> openAgsGame(const std::string& path, GameResult& error)
{
    auto game = std::unique_ptr<AgsGameFonts>(new AgsGameFonts());
    game->path_ = path;
    error = game->load();
    if (!error.ok())
        return nullptr;
    return game;
}

bool looksLikeAgsGame(const std::string& path)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(openForReading(path.c_str()), &std::fclose);
    if (!file)
        return false;
    char head[5] = {};
    if (std::fread(head, 1, sizeof head, file.get()) == sizeof head && std::memcmp(head, "CLIB\x1a", 5) == 0)
        return true;
    char tail[12] = {};
    return std::fseek(file.get(), -12, SEEK_END) == 0 && std::fread(tail, 1, sizeof tail, file.get()) == sizeof tail
        && std::memcmp(tail, "CLIB\x01\x02\x03\x04SIGE", 12) == 0;
}

} // namespace glyphsmith
