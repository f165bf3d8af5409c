#include "game_command.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "gamedata/game_fonts.h"

namespace glyphsmith {

namespace {

constexpr int ListOk = 0;
constexpr int ListFailed = 1;
constexpr int ListUsage = 2;

// Opens the game of a "GAME:N" argument; null with `error` set when it cannot.
std::unique_ptr<GameFonts> openReferencedGame(const std::string& argument, int& number, std::string& error)
{
    const std::optional<GameFontReference> reference = parseGameFontReference(argument);
    GameResult result;
    std::unique_ptr<GameFonts> game = reference ? openGame(reference->game, result) : nullptr;
    if (!game) {
        error = result.error.empty() ? argument + ": not a font of a game" : result.error;
        return nullptr;
    }
    number = reference->number;
    return game;
}

bool namesWfn(const std::string& name)
{
    std::string lower = name;
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.ends_with(".wfn");
}

} // namespace

bool isGameFontArgument(const std::string& argument)
{
    const std::optional<GameFontReference> reference = parseGameFontReference(argument);
    return reference && looksLikeGame(reference->game);
}

bool readGameFont(BitmapFont& font, const std::string& argument, std::ostream& err)
{
    int number = 0;
    std::string error;
    std::unique_ptr<GameFonts> game = openReferencedGame(argument, number, error);
    GameResult result = game ? game->readFont(number, font) : GameResult{ error };
    if (!result.ok())
        err << "cannot read " << argument << ": " << result.error << '\n';
    return result.ok();
}

void checkGameFont(const std::string& argument, std::vector<EngineCheck>& checks, std::string& error)
{
    checks.clear();
    int number = 0;
    std::unique_ptr<GameFonts> game = openReferencedGame(argument, number, error);
    if (!game)
        return;
    const auto listed = std::ranges::find(game->fonts(), number, &GameFont::number);
    std::vector<std::uint8_t> file;
    GameResult result = listed == game->fonts().end() ? GameResult{ "the game has no font " + std::to_string(number) }
                                                      : game->fontFile(number, file);
    if (!result.ok()) {
        error = result.error;
        return;
    }
    // The game's engine reads the font as the file its listing names.
    checks.push_back(namesWfn(listed->entryName) ? checkWithAgs(file) : checkWithScummVm(file));
}

int runList(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.size() != 2 || arguments[1].empty() || arguments[1].starts_with('-')) {
        err << "glyphsmith-convert: --list takes one game (an SCI game's folder or resource.map, an AGS game's file)\n";
        return ListUsage;
    }
    GameResult opened;
    std::unique_ptr<GameFonts> game = openGame(arguments[1], opened);
    if (!game) {
        err << "cannot list: " << opened.error << '\n';
        return ListFailed;
    }
    int status = ListOk;
    for (const GameFont& listed : game->fonts()) {
        out << "font " << listed.number << " (" << listed.entryName << "): " << listed.details << "; "
            << listed.storedSize << " bytes stored, " << listed.unpackedSize << " unpacked";
        auto font = std::make_unique<BitmapFont>();
        GameResult read = listed.openable ? game->readFont(listed.number, *font) : GameResult{};
        if (!listed.openable)
            out << '\n';
        else if (read.ok())
            out << "; " << font->codeCount() << " codes, line height " << font->lineHeight << '\n';
        else {
            out << "; cannot be read\n";
            err << "cannot read font " << listed.number << " of " << arguments[1] << ": " << read.error << '\n';
            status = ListFailed;
        }
    }
    if (game->fonts().empty())
        err << arguments[1] << ": the game holds no fonts\n";
    return status;
}

} // namespace glyphsmith
