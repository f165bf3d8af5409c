#include <gtest/gtest.h>

#include "ags_package_builder.h"
#include "font/file_io_calls.h"
#include "gamedata/ags_game_fonts.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

using test::Bytes;
using test::bytesOf;

// A font whose letter A is a 5 x 7 block with one cell set per `mark`.
BitmapFont sampleFont(int mark)
{
    BitmapFont font;
    Glyph& a = font.glyphs['A'];
    a.width = 5;
    a.height = 7;
    a.cell(mark % 5, mark % 7) = true;
    return font;
}

Bytes wfnOf(const BitmapFont& font)
{
    Bytes bytes;
    EXPECT_TRUE(font.writeWfnBytes(bytes).ok());
    return bytes;
}

std::vector<test::TestEntry> gameEntries()
{
    return { { "ac2game.dta", bytesOf("the game itself") }, { "agsfnt0.wfn", wfnOf(sampleFont(1)) },
        { "agsfnt1.ttf", bytesOf("a TrueType font") }, { "AGSFNT2.WFN", wfnOf(sampleFont(2)) },
        { "agsfnt.wfn", bytesOf("no number") }, { "speech.vox", bytesOf("words") } };
}

std::unique_ptr<GameFonts> openOrFail(const std::string& path)
{
    GameResult error;
    std::unique_ptr<GameFonts> game = openAgsGame(path, error);
    EXPECT_TRUE(game) << error.error;
    return game;
}

TEST(AgsGameFonts, ListsTheFontEntriesOfAPackage)
{
    TestFolder folder;
    folder.write("mygame.exe", test::appendToStub(test::makePackage(21, gameEntries()), 21));
    EXPECT_TRUE(looksLikeAgsGame(folder.path("mygame.exe")));
    auto game = openOrFail(folder.path("mygame.exe"));
    ASSERT_TRUE(game);
    EXPECT_EQ(game->gameName(), "mygame.exe");
    EXPECT_EQ(game->kindName(), "AGS package version 21 (in an executable)");
    EXPECT_EQ(game->savePath(0), folder.path("mygame.exe"));
    const auto& fonts = game->fonts();
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].entryName, "agsfnt0.wfn");
    EXPECT_EQ(fonts[0].details, "WFN");
    EXPECT_EQ(fonts[0].storedSize, wfnOf(sampleFont(1)).size());
    EXPECT_EQ(fonts[1].number, 1);
    EXPECT_EQ(fonts[1].details, "TrueType");
    EXPECT_FALSE(fonts[1].openable);
    EXPECT_EQ(fonts[2].entryName, "AGSFNT2.WFN");

    BitmapFont font;
    ASSERT_TRUE(game->readFont(2, font).ok());
    EXPECT_TRUE(font.glyphs['A'].cell(2, 2));
    EXPECT_EQ(game->readFont(1, font).error, "mygame.exe: font 1 (agsfnt1.ttf) cannot be opened: TrueType");
    EXPECT_EQ(game->readFont(7, font).error, "mygame.exe: the game has no font 7");
}

TEST(AgsGameFonts, RefusesFilesWithoutAPackageNamingThem)
{
    TestFolder folder;
    folder.write("notes.txt", bytesOf("just some notes"));
    EXPECT_FALSE(looksLikeAgsGame(folder.path("notes.txt")));
    EXPECT_FALSE(looksLikeAgsGame(folder.path("missing.ags")));
    GameResult error;
    EXPECT_FALSE(openAgsGame(folder.path("notes.txt"), error));
    EXPECT_EQ(error.error, "notes.txt: holds no AGS data package");
    EXPECT_FALSE(openAgsGame(folder.path("missing.ags"), error));
    EXPECT_EQ(error.error.substr(0, 13), "missing.ags: ");
}

TEST(AgsGameFonts, SaveReplacesTheFontAndKeepsTheFirstOriginalOnce)
{
    for (int version : { 6, 10, 11, 15, 20, 21, 30 }) {
        SCOPED_TRACE(version);
        TestFolder folder;
        const Bytes original = test::makePackage(version, gameEntries());
        folder.write("game.ags", original);
        auto game = openOrFail(folder.path("game.ags"));
        ASSERT_TRUE(game);

        ASSERT_TRUE(game->saveFont(0, sampleFont(3)).ok());
        ASSERT_TRUE(game->saveFont(2, sampleFont(4)).ok());
        EXPECT_EQ(folder.read("game.ags.orig"), original);

        std::string error;
        const Bytes saved = folder.read("game.ags");
        std::optional<AgsPackage> package = readAgsPackage(saved, error);
        ASSERT_TRUE(package) << error;
        EXPECT_EQ(package->version, version);
        for (std::size_t i = 0; i < gameEntries().size(); ++i) {
            std::span<const std::uint8_t> bytes = agsEntryBytes(saved, *package, i, error);
            Bytes expected = i == 1 ? wfnOf(sampleFont(3)) : i == 3 ? wfnOf(sampleFont(4)) : gameEntries()[i].bytes;
            EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), expected) << i;
        }
        // A game opened again reads what was saved.
        BitmapFont font;
        ASSERT_TRUE(openOrFail(folder.path("game.ags"))->readFont(0, font).ok());
        EXPECT_TRUE(font.glyphs['A'].cell(3, 3));
    }
}

// Each save call passes to the system; the first write of the game file
// itself flips a byte, as a failing disk might.
class AgsSaveOnABadDisk : public ::testing::Test {
protected:
    AgsSaveOnABadDisk()
    {
        writes = 0;
        saveCalls.write = [](FileHandle file, const std::uint8_t* bytes, std::size_t size) {
            if (++writes != 2)
                return system.write(file, bytes, size);
            Bytes damaged(bytes, bytes + size);
            damaged.back() ^= 1;
            return system.write(file, damaged.data(), size);
        };
    }
    ~AgsSaveOnABadDisk() override { saveCalls = system; }
    static inline SaveCalls system = saveCalls;
    static inline int writes = 0;
};

TEST_F(AgsSaveOnABadDisk, ASaveThatDoesNotReadBackLeavesTheGameAsItWas)
{
    TestFolder folder;
    const Bytes original = test::makePackage(30, gameEntries());
    folder.write("game.ags", original);
    auto game = openOrFail(folder.path("game.ags"));
    ASSERT_TRUE(game);
    GameResult result = game->saveFont(0, sampleFont(3));
    EXPECT_EQ(result.error, "game.ags: the saved package did not read back as written; the game file was put back as it was");
    EXPECT_EQ(folder.read("game.ags"), original);
    EXPECT_EQ(folder.read("game.ags.orig"), original);
}

} // namespace
} // namespace glyphsmith
