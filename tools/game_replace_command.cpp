#include "game_replace_command.h"

#include <memory>

#include "convert_command.h"
#include "font/engine_check.h"
#include "game_command.h"
#include "gamedata/game_fonts.h"

namespace glyphsmith {

int runGameReplace(const std::vector<std::string>& arguments, const FontFileLoader& readFont, std::ostream& err)
{
    std::optional<GameFontReference> reference;
    if (arguments.size() == 3)
        reference = parseGameFontReference(arguments[1]);
    if (!reference || arguments[2].empty() || arguments[2].starts_with('-')) {
        err << "glyphsmith-convert: --replace takes GAME:N and a font file\n";
        return ConvertUsage;
    }
    auto font = std::make_unique<BitmapFont>();
    if (!readFont(*font, arguments[2]))
        return ConvertFailed;

    GameResult result;
    std::unique_ptr<GameFonts> game = openGame(reference->game, result);
    if (game)
        result = game->saveFont(reference->number, *font);
    if (!result.ok()) {
        err << "cannot replace " << arguments[1] << ": " << result.error << '\n';
        return ConvertFailed;
    }
    // The game is written either way; a font its engine shows otherwise is worth a word.
    std::vector<EngineCheck> checks;
    std::string error;
    checkGameFont(arguments[1], checks, error);
    for (const EngineCheck& check : checks) {
        if (check.verdict != EngineVerdict::Loads)
            err << "warning: " << engineCheckLine(arguments[1], check) << '\n';
    }
    return ConvertOk;
}

} // namespace glyphsmith
