#pragma once

// The fonts of an SCI game: its resource.map (resmap.000 in some later games)
// and volumes, and the patch files
// beside them that the interpreter loads in preference to its own copies.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gamedata/game_fonts.h"
#include "gamedata/sci_resource_map.h"
#include "gamedata/sci_volume.h"

namespace glyphsmith {

// The largest font we unpack; real fonts are a few kilobytes, and the 16-bit
// sizes of the older volumes stop at 64 KB anyway.
inline constexpr std::uint32_t MaxSciFontBytes = 4 * 1024 * 1024;

// The file name the interpreter looks for in `folder` when it looks for
// `name` (compared without regard to case, as on the systems the games ran
// on); nullopt when there is none.
std::optional<std::filesystem::path> findInFolder(const std::filesystem::path& folder, const std::string& name);

class SciGame : public GameFonts {
public:
    // Opens the game in `folder`, whose resource.map is `mapPath`.
    static std::unique_ptr<SciGame> open(const std::filesystem::path& folder, const std::filesystem::path& mapPath,
        GameResult& error);

    std::string gameName() const override;
    std::string kindName() const override { return generation_; }
    const std::vector<GameFont>& fonts() const override { return fonts_; }
    GameResult readFont(int number, BitmapFont& font) const override;
    std::string savePath(int number) const override;
    GameResult saveFont(int number, const BitmapFont& font) override;
    GameResult fontFile(int number, std::vector<std::uint8_t>& bytes) const override;

    // The font's bytes as the game has them (without a patch header), from
    // its patch when there is one. Empty with `error` set when they cannot be had.
    std::vector<std::uint8_t> fontResource(int number, GameResult& error) const;

private:
    struct FontPlace {
        SciMapEntry entry;
        std::optional<SciVolumeHeader> header; // nullopt when it cannot be read
        std::string problem;                     // why not, naming the file
    };

    SciGame() = default;
    void indexFolder();
    std::string volumeName(int volume) const;
    std::filesystem::path volumePath(int volume) const;
    bool volumeExists(int volume) const;
    bool decideMethods(const std::vector<SciMapEntry>& entries);
    FontPlace locate(const SciMapEntry& entry) const;
    std::string patchName(int number) const;
    std::optional<std::filesystem::path> patchPath(int number) const;
    void describeFont(std::size_t index);
    const FontPlace* place(int number) const;

    std::filesystem::path folder_;
    std::map<std::string, std::filesystem::path> files_; // lower-case name -> file
    std::string volumePrefix_;                           // "resource" or "ressci"
    SciMapLayout mapLayout_ = SciMapLayout::Sci0;
    SciVolumeLayout volumeLayout_ = SciVolumeLayout::Sci0;
    bool oldMethods_ = false;
    std::string generation_;
    std::vector<FontPlace> places_;
    std::vector<GameFont> fonts_;
};

} // namespace glyphsmith
