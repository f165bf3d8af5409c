#pragma once

// The fonts held inside a compiled game: an SCI game's resource map and
// volumes, or an AGS game's data package (alone or appended to its
// executable). The editor and the converter reach games only through this
// interface; each kind of game implements it in its own files.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "font/bitmap_font.h"

namespace glyphsmith {

// One font of a game, as a listing shows it.
struct GameFont {
    int number = 0;                 // the number the game knows it by (SCI resource number, AGS font number)
    std::string entryName;          // the game's own name for it: "font.004", "agsfnt0.wfn"
    std::string details;            // the rest of its listing line: generation, compression, sizes, "patched", "TrueType"
    std::uint64_t storedSize = 0;   // bytes it takes in the game's files
    std::uint64_t unpackedSize = 0; // bytes of the font itself
    bool openable = true;           // false for fonts listed but never opened (an AGS TrueType font)
};

// What a game operation reports: empty `error` for success, otherwise one
// line that names the file and the resource, for example
// "resource.001: font 4 is stored past the end of the file".
struct GameResult {
    std::string error;
    bool ok() const { return error.empty(); }
};

class GameFonts {
public:
    virtual ~GameFonts() = default;

    // The game as a caption names it: its folder ("KQ4") or file ("mygame.ags").
    virtual std::string gameName() const = 0;
    // The kind of game found, for listings: "SCI0/SCI01", "SCI1.1", "AGS package version 21", ...
    virtual std::string kindName() const = 0;
    virtual const std::vector<GameFont>& fonts() const = 0;

    // Reads font `number` into `font`. On failure `font` is left unchanged.
    virtual GameResult readFont(int number, BitmapFont& font) const = 0;

    // The file that Save writes for font `number`: the patch file the game
    // loads in preference to its own copy (SCI), or the package itself (AGS).
    virtual std::string savePath(int number) const = 0;
    // Saves `font` as font `number` where the game will load it, atomically.
    // The game's own files are replaced only where that is the way the game
    // takes a font (an AGS package), and then the original is kept first.
    virtual GameResult saveFont(int number, const BitmapFont& font) = 0;

    // Whether Save rewrites the game's own file (an AGS package, whose
    // original is kept first) rather than writing a file of its own.
    virtual bool savesIntoGameFile() const { return false; }

    // The font as a file of its own, byte for byte as the game's engine
    // reads it, named as `entryName` says (an SCI patch file, a .wfn): what
    // the engine checks look at. Kinds of game that cannot give one say so.
    virtual GameResult fontFile(int number, std::vector<std::uint8_t>& bytes) const
    {
        (void)number;
        bytes.clear();
        return { gameName() + ": the fonts of this kind of game cannot be taken out as files" };
    }
};

// Opens the game at `path`: a folder or a resource.map (SCI), a data package
// or an executable with one appended (AGS). Returns null with `error` set,
// naming the file, when the path holds no game this program reads.
std::unique_ptr<GameFonts> openGame(const std::string& path, GameResult& error);

// Whether `path` looks like a game at all (cheap: names and signatures only),
// so that callers can choose between a game and a font file before reading.
bool looksLikeGame(const std::string& path);

// A font inside a game named on a command line as "GAME:N". Splits at the
// last colon when what follows is a whole number (so "C:\games\kq4:4" works);
// nullopt when `argument` is not of that form.
struct GameFontReference {
    std::string game;
    int number = 0;
};
std::optional<GameFontReference> parseGameFontReference(const std::string& argument);

} // namespace glyphsmith
