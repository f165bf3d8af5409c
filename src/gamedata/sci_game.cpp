// An SCI game's folder: resource.map, the volumes it names, and the patch
// files beside them. A font is found through the map, its header read from
// its volume and checked against the map (type, number, sizes inside the
// file), and its bytes unpacked into exactly the size the header states. A
// patch file is the same resource with a two-byte header in front (the type
// with its top bit set, then the size of any further header); the interpreter
// takes it instead of the copy in the volumes.

#include "gamedata/sci_game.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "font/file_io.h"
#include "gamedata/utf8_paths.h"

namespace glyphsmith {

namespace fs = std::filesystem;

namespace {

constexpr int ViewType = 0;
// How many uncompressed views settle that a game's views are stored plain.
constexpr int ViewsTested = 10;
constexpr std::size_t MaxMapBytes = 1024 * 1024;
// The two bytes in front of a patch file's resource: its type (with the top
// bit set) and the size of any further header, none for a font.
constexpr std::uint8_t PatchHeader[] = { 0x80 | SciFontType, 0x00 };

std::string lowerCase(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string fileName(const fs::path& path) { return utf8Of(path.filename()); }

// Reads `length` bytes at `offset`; false when the file cannot be read or is shorter.
bool readRange(const fs::path& path, std::uint64_t offset, std::size_t length, std::vector<std::uint8_t>& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    file.seekg(static_cast<std::streamoff>(offset));
    bytes.resize(length);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length));
    return file.gcount() == static_cast<std::streamsize>(length);
}

std::uint64_t sizeOf(const fs::path& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

// Later games name their map resmap.000 and their volumes ressci.NNN.
std::string numberedName(const std::string& prefix, int volume)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s.%03d", prefix.c_str(), volume);
    return name;
}

} // namespace

std::optional<fs::path> findInFolder(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    const std::string wanted = lowerCase(name);
    for (const fs::directory_entry& item : fs::directory_iterator(folder, error))
        if (lowerCase(fileName(item.path())) == wanted)
            return item.path();
    return std::nullopt;
}

std::unique_ptr<SciGame> SciGame::open(const fs::path& folder, const fs::path& mapPath, GameResult& error)
{
    std::unique_ptr<SciGame> game(new SciGame);
    game->folder_ = folder;
    game->indexFolder();
    const std::string mapName = fileName(mapPath);
    game->volumePrefix_ = lowerCase(mapName).starts_with("resmap") ? "ressci" : "resource";

    std::vector<std::uint8_t> map;
    if (readWholeFile(utf8Of(mapPath), MaxMapBytes, map) != FileError::None) {
        error.error = mapName + ": the map cannot be read";
        return nullptr;
    }
    std::vector<SciMapEntry> entries;
    std::string problem;
    if (!readSciMap(map, [&](int volume) { return game->volumeExists(volume); }, game->mapLayout_, entries, problem)) {
        error.error = mapName + ": " + problem;
        return nullptr;
    }

    // The volume layout comes from the first volume there is, as in the interpreter.
    int firstVolume = -1;
    for (const SciMapEntry& entry : entries)
        if (game->volumeExists(entry.volume) && (firstVolume < 0 || entry.volume < firstVolume))
            firstVolume = entry.volume;
    if (firstVolume < 0) {
        error.error = mapName + ": none of the game's volume files (" + game->volumeName(0) + ", ...) is in the folder";
        return nullptr;
    }
    const fs::path firstPath = game->volumePath(firstVolume);
    std::vector<std::uint8_t> start;
    const auto wanted
        = static_cast<std::size_t>(std::min<std::uint64_t>(sizeOf(firstPath), VolumeDetectionBytes + 16));
    const std::optional<SciVolumeLayout> layout
        = readRange(firstPath, 0, wanted, start) ? detectVolumeLayout(start) : std::nullopt;
    if (!layout) {
        error.error = fileName(firstPath) + ": the volume's resource headers make no sense in any SCI layout";
        return nullptr;
    }
    game->volumeLayout_ = *layout;
    game->oldMethods_ = game->decideMethods(entries);

    switch (game->mapLayout_) {
    case SciMapLayout::Sci0:
        // SCI01 differs from SCI0 only in its scripts and vocabulary; the
        // files and their methods are the same.
        game->generation_ = game->oldMethods_ ? "SCI0/SCI01" : "SCI1 (early)";
        break;
    case SciMapLayout::Sci1Middle:
        game->generation_ = "SCI1 (middle)";
        break;
    case SciMapLayout::Sci1:
        game->generation_ = game->volumeLayout_ == SciVolumeLayout::Sci2 ? "SCI2" : "SCI1";
        break;
    case SciMapLayout::Sci11:
        game->generation_ = "SCI1.1";
        break;
    case SciMapLayout::Sci2:
        game->generation_ = game->volumeLayout_ == SciVolumeLayout::Sci3 ? "SCI3" : "SCI2.1";
        break;
    }

    // The older interpreters take the first entry of a resource, the later
    // ones the last.
    const bool firstWins = game->mapLayout_ == SciMapLayout::Sci0 || game->mapLayout_ == SciMapLayout::Sci1Middle;
    for (const SciMapEntry& entry : entries) {
        if (entry.type != SciFontType)
            continue;
        auto same = std::ranges::find_if(
            game->places_, [&](const FontPlace& p) { return p.entry.number == entry.number; });
        if (same != game->places_.end()) {
            if (!firstWins)
                *same = game->locate(entry);
            continue;
        }
        game->places_.push_back(game->locate(entry));
    }
    std::ranges::sort(game->places_, {}, [](const FontPlace& p) { return p.entry.number; });
    game->fonts_.resize(game->places_.size());
    for (std::size_t i = 0; i < game->places_.size(); ++i)
        game->describeFont(i);
    return game;
}

void SciGame::indexFolder()
{
    files_.clear();
    std::error_code error;
    for (const fs::directory_entry& item : fs::directory_iterator(folder_, error))
        files_.emplace(lowerCase(fileName(item.path())), item.path());
}

fs::path SciGame::volumePath(int volume) const
{
    auto found = files_.find(volumeName(volume));
    return found != files_.end() ? found->second : folder_ / volumeName(volume);
}

std::string SciGame::volumeName(int volume) const
{
    return numberedName(volumePrefix_, volume);
}

bool SciGame::volumeExists(int volume) const { return files_.contains(volumeName(volume)); }

bool SciGame::decideMethods(const std::vector<SciMapEntry>& entries)
{
    // Only the six-byte maps come from the time the method numbers changed.
    if (mapLayout_ != SciMapLayout::Sci0 && mapLayout_ != SciMapLayout::Sci1Middle)
        return false;
    int plainViews = 0;
    for (const SciMapEntry& entry : entries) {
        if (entry.type != ViewType)
            continue;
        const FontPlace view = locate(entry);
        if (!view.header)
            continue;
        if (view.header->method != 0)
            return view.header->method == 1;
        if (++plainViews == ViewsTested)
            break;
    }
    return false;
}

SciGame::FontPlace SciGame::locate(const SciMapEntry& entry) const
{
    FontPlace place{ entry, std::nullopt, {} };
    const std::string what = (entry.type == SciFontType ? "font " : "resource ") + std::to_string(entry.number);
    const fs::path volume = volumePath(entry.volume);
    if (!volumeExists(entry.volume)) {
        place.problem = volumeName(entry.volume) + ": the volume file of " + what + " is missing";
        return place;
    }
    const std::uint64_t size = sizeOf(volume);
    std::vector<std::uint8_t> bytes;
    SciVolumeHeader header;
    if (std::uint64_t{ entry.offset } + headerSize(volumeLayout_) > size
        || !readRange(volume, entry.offset, headerSize(volumeLayout_), bytes)
        || !readResourceHeader(bytes, volumeLayout_, header)) {
        place.problem = fileName(volume) + ": " + what + " is stored past the end of the file";
        return place;
    }
    if (header.type != entry.type || header.number != entry.number) {
        place.problem = fileName(volume) + ": the map places " + what + " where another resource is";
        return place;
    }
    if (entry.offset + headerSize(volumeLayout_) + std::uint64_t{ header.storedSize } > size) {
        place.problem = fileName(volume) + ": " + what + " is stored past the end of the file";
        return place;
    }
    place.header = header;
    return place;
}

std::string SciGame::patchName(int number) const
{
    // The interpreters that read six-byte maps look for "font.004", the later ones for "4.fon".
    char name[32];
    if (mapLayout_ == SciMapLayout::Sci0 || mapLayout_ == SciMapLayout::Sci1Middle)
        std::snprintf(name, sizeof name, "font.%03d", number);
    else
        std::snprintf(name, sizeof name, "%d.fon", number);
    return name;
}

std::optional<fs::path> SciGame::patchPath(int number) const
{
    auto found = files_.find(patchName(number));
    if (found == files_.end())
        return std::nullopt;
    return found->second;
}

void SciGame::describeFont(std::size_t index)
{
    const FontPlace& place = places_[index];
    GameFont& font = fonts_[index];
    font.number = place.entry.number;
    font.entryName = patchName(font.number);
    font.details = generation_;
    if (place.header) {
        font.details += ", " + compressionName(compressionFor(place.header->method, oldMethods_), place.header->method);
        font.storedSize = place.header->storedSize;
        font.unpackedSize = place.header->unpackedSize;
    } else {
        font.details += ", damaged";
    }
    if (patchPath(font.number))
        font.details += ", patched";
}

const SciGame::FontPlace* SciGame::place(int number) const
{
    auto found = std::ranges::find_if(places_, [&](const FontPlace& p) { return p.entry.number == number; });
    return found == places_.end() ? nullptr : &*found;
}

std::string SciGame::gameName() const
{
    const fs::path absolute = fs::absolute(folder_).lexically_normal();
    std::string name = fileName(absolute);
    if (name.empty())
        name = fileName(absolute.parent_path());
    return name;
}

std::vector<std::uint8_t> SciGame::fontResource(int number, GameResult& error) const
{
    const FontPlace* font = place(number);
    if (!font) {
        error.error = "the game has no font " + std::to_string(number);
        return {};
    }
    // The interpreter loads the patch instead of its own copy, so that is
    // the font the game shows.
    if (const std::optional<fs::path> patch = patchPath(number)) {
        std::vector<std::uint8_t> bytes;
        if (readWholeFile(utf8Of(*patch), MaxSciFontBytes, bytes) != FileError::None || bytes.size() < 2
            || bytes[0] != PatchHeader[0] || std::size_t{ bytes[1] } + 2 > bytes.size()) {
            error.error = fileName(*patch) + ": the patch of font " + std::to_string(number) + " cannot be read";
            return {};
        }
        return { bytes.begin() + 2 + bytes[1], bytes.end() };
    }
    if (!font->header) {
        error.error = font->problem;
        return {};
    }
    const SciVolumeHeader& header = *font->header;
    const fs::path volume = volumePath(font->entry.volume);
    const std::string what = fileName(volume) + ": font " + std::to_string(number);
    const SciCompression compression = compressionFor(header.method, oldMethods_);
    if (compression == SciCompression::Unknown || compression == SciCompression::Lzw1View
        || compression == SciCompression::Lzw1Picture) {
        error.error = what + " is stored with a compression method this program does not know ("
            + std::to_string(header.method) + ")";
        return {};
    }
    if (header.unpackedSize > MaxSciFontBytes || header.storedSize > MaxSciFontBytes) {
        error.error = what + " is larger than any font can be";
        return {};
    }
    std::vector<std::uint8_t> stored;
    if (!readRange(volume, font->entry.offset + headerSize(volumeLayout_), header.storedSize, stored)) {
        error.error = what + " is stored past the end of the file";
        return {};
    }
    std::vector<std::uint8_t> unpacked;
    if (UnpackError problem = unpackResource(compression, stored, header.unpackedSize, unpacked);
        problem != UnpackError::None) {
        error.error = what + ": " + describe(problem);
        return {};
    }
    return unpacked;
}

GameResult SciGame::fontFile(int number, std::vector<std::uint8_t>& bytes) const
{
    GameResult result;
    std::vector<std::uint8_t> resource = fontResource(number, result);
    bytes.clear();
    if (result.ok()) {
        bytes.assign(std::begin(PatchHeader), std::end(PatchHeader));
        bytes.insert(bytes.end(), resource.begin(), resource.end());
    }
    return result;
}

GameResult SciGame::readFont(int number, BitmapFont& font) const
{
    std::vector<std::uint8_t> file;
    GameResult result = fontFile(number, file);
    if (!result.ok())
        return result;
    if (FileResult read = font.readSciBytes(file); !read.ok()) {
        const std::optional<fs::path> patch = patchPath(number);
        const std::string source = patch ? fileName(*patch) : fileName(volumePath(place(number)->entry.volume));
        result.error = source + ": font " + std::to_string(number) + " is no font this program reads ("
            + describe(read) + ")";
    }
    return result;
}

std::string SciGame::savePath(int number) const
{
    return utf8Of(patchPath(number).value_or(folder_ / patchName(number)));
}

GameResult SciGame::saveFont(int number, const BitmapFont& font)
{
    GameResult result;
    if (!place(number)) {
        result.error = "the game has no font " + std::to_string(number);
        return result;
    }
    // The SCI writer's file is the patch file: the resource with its patch
    // header in front. Only the patch is written; the map and volumes never are.
    std::vector<std::uint8_t> bytes;
    FileResult written = font.writeSciBytes(bytes);
    const std::string path = savePath(number);
    if (written.ok())
        written = saveFile(path, bytes);
    if (!written.ok()) {
        result.error = fileName(path) + ": " + describe(written);
        return result;
    }
    indexFolder();
    for (std::size_t i = 0; i < places_.size(); ++i)
        describeFont(i);
    return result;
}

} // namespace glyphsmith
