#pragma once

// The game whose font the editor has open (game_commands.cpp).

#include <memory>

#include "gamedata/game_fonts.h"

namespace glyphsmith {

struct EditedGameFont {
    // Null when the font came from a file of its own.
    std::unique_ptr<GameFonts> game;
    // The font's number in the game.
    int number = 0;
    // The user has agreed to replace the font's patch, or this session wrote it.
    bool patchMayBeReplaced = false;
};

} // namespace glyphsmith
