#pragma once

// The fonts of a compiled AGS game: the entries agsfntN.wfn (and agsfntN.ttf,
// listed but not opened) of its data package, a file of its own or appended
// to the game's executable. Save writes the package back in its own version,
// keeping the first original beside it as NAME.orig.

#include <memory>
#include <string>
#include <vector>

#include "gamedata/ags_package.h"
#include "gamedata/game_fonts.h"

namespace glyphsmith {

class AgsGameFonts : public GameFonts {
public:
    std::string gameName() const override;
    std::string kindName() const override;
    const std::vector<GameFont>& fonts() const override;
    GameResult readFont(int number, BitmapFont& font) const override;
    std::string savePath(int number) const override;
    GameResult saveFont(int number, const BitmapFont& font) override;
    bool savesIntoGameFile() const override { return true; }
    GameResult fontFile(int number, std::vector<std::uint8_t>& bytes) const override;

private:
    friend std::unique_ptr<GameFonts> openAgsGame(const std::string& path, GameResult& error);
    struct FontEntry {
        std::size_t entry = 0;
        std::vector<std::uint8_t> bytes; // a WFN font's file, empty for the others
    };
    GameResult load();
    GameResult load(std::span<const std::uint8_t> file);
    GameResult fail(const std::string& reason) const;
    const FontEntry* findFont(int number) const;
    // Replaces font `number` with the bytes of a .wfn file as they are.
    GameResult saveFontBytes(int number, const std::vector<std::uint8_t>& wfn);

    std::string path_;
    AgsPackage package_;
    std::vector<GameFont> fonts_;
    std::vector<FontEntry> entries_; // in the order of fonts_
};

// Opens the AGS game at `path`; null with `error` set (naming the file) when
// it holds no package this program reads.
std::unique_ptr<GameFonts> openAgsGame(const std::string& path, GameResult& error);

// Whether the file at `path` starts with a package or ends with the signature
// of one (reads only those bytes).
bool looksLikeAgsGame(const std::string& path);

} // namespace glyphsmith
