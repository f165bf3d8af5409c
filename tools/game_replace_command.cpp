#include "game_replace_command.h"

#include <memory>

#include "convert_command.h"
#include "font/engine_check.h"
#include "gamedata/ags_game_fonts.h"
#include "gamedata/game_fonts.h"

namespace glyphsmith {

namespace {

// FIXME: parseGameFontReference (game_fonts.h) is built with the generic
// side of the game layer; until then "GAME:N" is split here the same way,
// at the last colon followed by a whole number.
std::optional<GameFontReference> splitGameReference(const std::string& argument)
{
    const std::size_t colon = argument.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == argument.size() || argument.size() - colon > 6)
        return std::nullopt;
    GameFontReference reference { argument.substr(0, colon), 0 };
    for (std::size_t i = colon + 1; i < argument.size(); ++i) {
        if (argument[i] < '0' || argument[i] > '9')
            return std::nullopt;
        reference.number = reference.number * 10 + (argument[i] - '0');
    }
    return reference;
}

} // namespace

int runGameReplace(const std::vector<std::string>& arguments, const FontFileLoader& readFont, std::ostream& err)
{
    std::optional<GameFontReference> reference;
    if (arguments.size() == 3)
        reference = splitGameReference(arguments[1]);
    if (!reference || arguments[2].empty() || arguments[2].starts_with('-')) {
        err << "glyphsmith-convert: --replace takes GAME:N and a font file\n";
        return ConvertUsage;
    }
    auto font = std::make_unique<BitmapFont>();
    if (!readFont(*font, arguments[2]))
        return ConvertFailed;

    GameResult result;
    std::unique_ptr<GameFonts> game = openAgsGame(reference->game, result);
    if (game)
        result = game->saveFont(reference->number, *font);
    if (!result.ok()) {
        err << "cannot replace " << arguments[1] << ": " << result.error << '\n';
        return ConvertFailed;
    }
    // The game is written either way; a font its engine shows otherwise is worth a word.
    std::vector<std::uint8_t> wfn;
    if (font->writeWfnBytes(wfn).ok()) {
        EngineCheck check = checkWithAgs(wfn);
        if (check.verdict != EngineVerdict::Loads)
            err << "warning: " << engineCheckLine(arguments[1], check) << '\n';
    }
    return ConvertOk;
}

} // namespace glyphsmith
