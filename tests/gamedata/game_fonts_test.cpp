#include <gtest/gtest.h>

#include <filesystem>

#include "gamedata/game_fonts.h"
#include "gamedata/sci_game_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

TEST(GameFonts, AFontOfAGameIsNamedAsGameColonNumber)
{
    struct Case {
        const char* argument;
        std::optional<std::pair<std::string, int>> expected;
    };
    const Case cases[] = {
        { "kq4:4", std::pair<std::string, int>{ "kq4", 4 } },
        { "C:\\games\\kq4:12", std::pair<std::string, int>{ "C:\\games\\kq4", 12 } },
        { "/games/a:b/resource.map:0", std::pair<std::string, int>{ "/games/a:b/resource.map", 0 } },
        { "C:\\fonts\\font.004", std::nullopt },
        { "kq4:", std::nullopt },
        { ":4", std::nullopt },
        { "kq4:4x", std::nullopt },
        { "kq4:65536", std::nullopt },
        { "font.004", std::nullopt },
    };
    for (const Case& c : cases) {
        const auto reference = parseGameFontReference(c.argument);
        ASSERT_EQ(reference.has_value(), c.expected.has_value()) << c.argument;
        if (reference) {
            EXPECT_EQ(reference->game, c.expected->first) << c.argument;
            EXPECT_EQ(reference->number, c.expected->second) << c.argument;
        }
    }
}

TEST(GameFonts, AGameIsAFolderWithAResourceMapOrTheMapItself)
{
    TestFolder folder;
    EXPECT_FALSE(looksLikeGame(folder.path("")));
    writeSciGame(folder.path(""), SciMapLayout::Sci0, SciVolumeLayout::Sci0,
        { sampleFontResource(0, sampleFont(1), SciCompression::None, 0) });
    EXPECT_TRUE(looksLikeGame(folder.path("")));
    EXPECT_TRUE(looksLikeGame(folder.path("resource.map")));
    EXPECT_TRUE(looksLikeGame(folder.path("RESOURCE.MAP")));
    EXPECT_FALSE(looksLikeGame(folder.path("resource.000")));
    GameResult result;
    EXPECT_FALSE(openGame(folder.path("resource.000"), result));
    EXPECT_EQ(result.error, folder.path("resource.000") + ": not a game this program reads");
}

TEST(GameFonts, LaterGamesNameTheirMapResmapAndTheirVolumesRessci)
{
    TestFolder folder;
    writeSciGame(folder.path(""), SciMapLayout::Sci2, SciVolumeLayout::Sci2,
        { sampleFontResource(4, sampleFont(1), SciCompression::Lzs, 32) });
    std::filesystem::rename(folder.path("resource.map"), folder.path("RESMAP.000"));
    std::filesystem::rename(folder.path("resource.000"), folder.path("RESSCI.000"));
    EXPECT_TRUE(looksLikeGame(folder.path("")));
    GameResult result;
    auto game = openGame(folder.path(""), result);
    ASSERT_TRUE(game) << result.error;
    BitmapFont font;
    ASSERT_TRUE(game->readFont(4, font).ok());
    EXPECT_EQ(font, sampleFont(1));
    EXPECT_EQ(game->savePath(4), (std::filesystem::path(folder.path("")) / "4.fon").string());
}

} // namespace
} // namespace glyphsmith
