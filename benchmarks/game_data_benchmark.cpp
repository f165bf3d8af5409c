// Times what opening a font inside an SCI game costs: reading its map,
// telling the layout of its volumes, listing its fonts and unpacking one, for
// a game of 1,000 resources (the target: under 50 ms in the release build).
// The games are made on the spot with the tests' packers: an SCI0 game with
// LZW and an SCI1.1 game with DCL implode, each about 2 MB of volumes.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "gamedata/game_fonts.h"
#include "gamedata/sci_game_samples.h"

namespace glyphsmith {
namespace {

constexpr int ResourceCount = 1000;
constexpr int FontCount = 10;

// A folder holding one game, removed when done.
class GameFolder {
public:
    GameFolder(SciMapLayout map, SciVolumeLayout volume, SciCompression compression, int method)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "glyphsmith-game-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            return;
        root_ = pattern;
        std::vector<SampleResource> resources;
        for (int i = 0; i < ResourceCount - FontCount; ++i) {
            // Views, pictures and scripts stored plain, of a few kilobytes each.
            const auto size = static_cast<std::uint32_t>(1000 + (i * 97) % 3000);
            resources.push_back({ i % 3, i / 3, 0, 0, Bytes(size, static_cast<std::uint8_t>(i)), size, {} });
        }
        // The first view is packed like the fonts, as the games' views are;
        // in the six-byte maps that tells what the method numbers mean.
        SampleResource view = sampleFontResource(0, sampleFont(0), compression, method);
        view.type = 0;
        resources.front() = view;
        for (int f = 0; f < FontCount; ++f)
            resources.push_back(sampleFontResource(f, sampleFont(f), compression, method));
        writeSciGame(root_, map, volume, resources);
    }
    ~GameFolder()
    {
        std::error_code ignored;
        if (!root_.empty())
            std::filesystem::remove_all(root_, ignored);
    }
    const std::string& path() const { return root_; }

private:
    std::string root_;
};

void listAndOpen(
    benchmark::State& state, SciMapLayout map, SciVolumeLayout volume, SciCompression compression, int method)
{
    GameFolder game(map, volume, compression, method);
    if (game.path().empty()) {
        state.SkipWithError("cannot make a folder for the game");
        return;
    }
    BitmapFont font;
    for (auto _ : state) {
        GameResult result;
        std::unique_ptr<GameFonts> opened = openGame(game.path(), result);
        if (!opened || opened->fonts().size() != FontCount || !opened->readFont(4, font).ok()) {
            state.SkipWithError("the game did not open");
            return;
        }
        benchmark::DoNotOptimize(font.glyphs.data());
    }
}

void BM_ListSci0GameAndOpenLzwFont(benchmark::State& state)
{
    listAndOpen(state, SciMapLayout::Sci0, SciVolumeLayout::Sci0, SciCompression::Lzw, 1);
}
BENCHMARK(BM_ListSci0GameAndOpenLzwFont)->Unit(benchmark::kMillisecond);

void BM_ListSci11GameAndOpenDclFont(benchmark::State& state)
{
    listAndOpen(state, SciMapLayout::Sci11, SciVolumeLayout::Sci11, SciCompression::Dcl, 18);
}
BENCHMARK(BM_ListSci11GameAndOpenDclFont)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace glyphsmith
