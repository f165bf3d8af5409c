// Finding the kind of game at a path and opening it. Each kind of game lives
// in its own files; this is the one place that chooses between them.

#include "gamedata/game_fonts.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "gamedata/ags_game_fonts.h"
#include "gamedata/sci_game.h"
#include "gamedata/utf8_paths.h"

namespace glyphsmith {

namespace fs = std::filesystem;

namespace {

constexpr const char* SciMapName = "resource.map";
// Some SCI2.1 games name their map so, and their volumes ressci.000, ...
constexpr const char* LaterSciMapName = "resmap.000";
constexpr int MaxFontNumber = 65535;

bool isSciMapName(const fs::path& path)
{
    std::string name = utf8Of(path.filename());
    std::ranges::transform(name, name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name == SciMapName || name == LaterSciMapName;
}

std::optional<fs::path> sciMapIn(const fs::path& folder)
{
    if (std::optional<fs::path> map = findInFolder(folder, SciMapName))
        return map;
    return findInFolder(folder, LaterSciMapName);
}

bool hasAgsGameName(const fs::path& path)
{
    std::string extension = utf8Of(path.extension());
    std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".ags" || extension == ".exe" || extension == ".dat";
}

bool isFolder(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(pathFromUtf8(path), error);
}

} // namespace

std::unique_ptr<GameFonts> openGame(const std::string& path, GameResult& error)
{
    error = {};
    const fs::path given = pathFromUtf8(path);
    if (isFolder(path)) {
        if (std::optional<fs::path> map = sciMapIn(given))
            return SciGame::open(given, *map, error);
        error.error = path + ": the folder holds no game this program reads (no " + SciMapName + ")";
        return nullptr;
    }
    if (isSciMapName(given)) {
        const fs::path folder = given.has_parent_path() ? given.parent_path() : fs::path(".");
        return SciGame::open(folder, given, error);
    }
    // An AGS game is one file: a data package, or an executable with one
    // appended. Files named as such are asked too, so that their refusal says
    // what is missing.
    if (looksLikeAgsGame(path) || hasAgsGameName(given))
        return openAgsGame(path, error);
    error.error = path + ": not a game this program reads";
    return nullptr;
}

bool looksLikeGame(const std::string& path)
{
    if (isFolder(path))
        return sciMapIn(pathFromUtf8(path)).has_value();
    return isSciMapName(pathFromUtf8(path)) || looksLikeAgsGame(path);
}

std::optional<GameFontReference> parseGameFontReference(const std::string& argument)
{
    const std::size_t colon = argument.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == argument.size())
        return std::nullopt;
    const std::string digits = argument.substr(colon + 1);
    if (digits.size() > 5 || !std::ranges::all_of(digits, [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    const int number = std::stoi(digits);
    if (number > MaxFontNumber)
        return std::nullopt;
    return GameFontReference{ argument.substr(0, colon), number };
}

} // namespace glyphsmith
