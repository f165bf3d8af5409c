#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "gamedata/game_fonts.h"
#include "gamedata/sci_game_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

namespace fs = std::filesystem;

// A view whose method tells the reader which meaning methods 1 and 2 have.
SampleResource view(int method) { return { 0, 0, 0, method, Bytes(4, 0), 10, {} }; }

struct GameCase {
    const char* generation;
    SciMapLayout map;
    SciVolumeLayout volume;
    std::vector<SampleResource> resources;
    std::vector<std::string> compressions; // of the fonts, by number
};

std::vector<GameCase> gameCases()
{
    const BitmapFont a = sampleFont(1);
    const BitmapFont b = sampleFont(2);
    using C = SciCompression;
    using M = SciMapLayout;
    using V = SciVolumeLayout;
    return {
        { "SCI0/SCI01", M::Sci0, V::Sci0,
            { view(1), sampleFontResource(0, a, C::None, 0), sampleFontResource(1, b, C::Lzw, 1),
                sampleFontResource(2, a, C::Huffman, 2, 1) },
            { "stored", "LZW", "Huffman" } },
        { "SCI1 (early)", M::Sci0, V::Sci0, { view(2), sampleFontResource(1, a, C::Huffman, 1), sampleFontResource(2, b, C::Lzw1, 2) },
            { "Huffman", "LZW (COMP3)" } },
        { "SCI1 (middle)", M::Sci1Middle, V::Sci0,
            { view(2), sampleFontResource(3, a, C::Lzw1, 2, 1), sampleFontResource(4, b, C::None, 0, 0) },
            { "LZW (COMP3)", "stored" } },
        { "SCI1", M::Sci1, V::Sci1, { view(2), sampleFontResource(0, a, C::None, 0), sampleFontResource(4, b, C::Lzw1, 2, 1) },
            { "stored", "LZW (COMP3)" } },
        { "SCI1.1", M::Sci11, V::Sci11,
            { view(18), sampleFontResource(0, a, C::None, 0), sampleFontResource(4, b, C::Dcl, 18) },
            { "stored", "DCL implode" } },
        { "SCI2", M::Sci1, V::Sci2, { sampleFontResource(4, a, C::Lzs, 32), sampleFontResource(5, b, C::None, 0) },
            { "STACpack", "stored" } },
        { "SCI2.1", M::Sci2, V::Sci2, { sampleFontResource(4, b, C::Lzs, 32), sampleFontResource(5, a, C::None, 0) },
            { "STACpack", "stored" } },
        // The method field of SCI3 volumes means nothing; the sizes tell.
        { "SCI3", M::Sci2, V::Sci3, { sampleFontResource(4, b, C::Lzs, 7), sampleFontResource(5, a, C::None, 7) },
            { "STACpack", "stored" } },
    };
}

TEST(SciGame, ListsAndReadsTheFontsOfEveryGeneration)
{
    for (const GameCase& game : gameCases()) {
        TestFolder folder;
        writeSciGame(folder.path(""), game.map, game.volume, game.resources);
        GameResult result;
        std::unique_ptr<GameFonts> opened = openGame(folder.path("resource.map"), result);
        ASSERT_TRUE(opened) << game.generation << ": " << result.error;
        EXPECT_EQ(opened->kindName(), game.generation);
        std::vector<const SampleResource*> fonts;
        for (const SampleResource& r : game.resources)
            if (r.type == SciFontType)
                fonts.push_back(&r);
        std::ranges::sort(fonts, {}, [](const SampleResource* r) { return r->number; });
        ASSERT_EQ(opened->fonts().size(), fonts.size()) << game.generation;
        for (std::size_t i = 0; i < fonts.size(); ++i) {
            const GameFont& listed = opened->fonts()[i];
            EXPECT_EQ(listed.number, fonts[i]->number);
            EXPECT_EQ(listed.details, std::string(game.generation) + ", " + game.compressions[i]);
            EXPECT_EQ(listed.storedSize, fonts[i]->stored.size());
            EXPECT_EQ(listed.unpackedSize, fonts[i]->unpackedSize);
            BitmapFont read;
            ASSERT_TRUE(opened->readFont(listed.number, read).ok()) << game.generation << " font " << listed.number;
            EXPECT_EQ(fontResource(read), fonts[i]->unpacked) << game.generation << " font " << listed.number;
        }
    }
}

} // namespace
} // namespace glyphsmith

namespace glyphsmith {
namespace {

// An SCI1.1 game with fonts 0 (stored) and 4 (DCL), as most translators meet them.
std::unique_ptr<GameFonts> openSci11Game(const TestFolder& folder)
{
    writeSciGame(folder.path(""), SciMapLayout::Sci11, SciVolumeLayout::Sci11,
        { view(18), sampleFontResource(0, sampleFont(1), SciCompression::None, 0),
            sampleFontResource(4, sampleFont(2), SciCompression::Dcl, 18) });
    GameResult result;
    return openGame(folder.path(""), result);
}

TEST(SciGame, APatchBesideTheGameIsMarkedAndIsWhatOpens)
{
    TestFolder folder;
    writeSciGame(folder.path(""), SciMapLayout::Sci0, SciVolumeLayout::Sci0,
        { view(1), sampleFontResource(1, sampleFont(1), SciCompression::Lzw, 1) });
    // The systems the games came from ignore case, and so does the reader.
    ASSERT_TRUE(sampleFont(3).writeSci(folder.path("FONT.001")).ok());
    GameResult result;
    auto game = openGame(folder.path(""), result);
    ASSERT_TRUE(game) << result.error;
    EXPECT_EQ(game->fonts()[0].details, "SCI0/SCI01, LZW, patched");
    EXPECT_EQ(game->fonts()[0].entryName, "font.001");
    BitmapFont read;
    ASSERT_TRUE(game->readFont(1, read).ok());
    EXPECT_EQ(read, sampleFont(3));
    EXPECT_EQ(game->savePath(1), folder.path("FONT.001"));
}

TEST(SciGame, SavingWritesThePatchTheGameLoadsAndLeavesTheGameFilesAlone)
{
    TestFolder folder;
    auto game = openSci11Game(folder);
    ASSERT_TRUE(game);
    std::map<std::string, std::pair<Bytes, fs::file_time_type>> before;
    for (const std::string& name : folder.entries())
        before[name] = { folder.read(name), fs::last_write_time(folder.path(name)) };

    BitmapFont font;
    ASSERT_TRUE(game->readFont(4, font).ok());
    font.glyphs['A'].cell(0, 0) = !font.glyphs['A'].cell(0, 0);
    font.lineHeight = 12;
    EXPECT_EQ(game->savePath(4), (fs::path(folder.path("")) / "4.fon").string());
    ASSERT_TRUE(game->saveFont(4, font).ok());

    BitmapFont patch;
    ASSERT_TRUE(patch.readSci(folder.path("4.fon")).ok());
    EXPECT_EQ(patch, font);
    EXPECT_EQ(game->fonts()[1].details, "SCI1.1, DCL implode, patched");
    GameResult reopened;
    auto again = openGame(folder.path("resource.map"), reopened);
    BitmapFont read;
    ASSERT_TRUE(again && again->readFont(4, read).ok());
    EXPECT_EQ(read, font);
    for (const auto& [name, state] : before) {
        EXPECT_EQ(folder.read(name), state.first) << name;
        EXPECT_EQ(fs::last_write_time(folder.path(name)), state.second) << name;
    }
}

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

TEST(SciGame, RefusesDamagedGamesNamingTheFileAndTheFont)
{
    const Bytes font0 = fontResource(sampleFont(1));
    struct Case {
        const char* name;
        std::function<void(const TestFolder&)> make;
        std::string openError; // empty when the game opens and font 4 fails to read
        std::string readError;
    };
    auto sci0 = [](std::vector<SampleResource> resources) {
        return [resources](const TestFolder& f) {
            writeSciGame(f.path(""), SciMapLayout::Sci0, SciVolumeLayout::Sci0, resources);
        };
    };
    auto sci1 = [](std::vector<SampleResource> resources) {
        return [resources](const TestFolder& f) {
            writeSciGame(f.path(""), SciMapLayout::Sci1, SciVolumeLayout::Sci1, resources);
        };
    };
    auto font4 = [](int method, Bytes stored, std::uint32_t size, int volume = 0) {
        return SampleResource{ SciFontType, 4, volume, method, std::move(stored), size, {} };
    };
    auto then = [](auto make, std::function<void(const TestFolder&)> change) {
        return [make, change](const TestFolder& f) { make(f); change(f); };
    };
    const Case cases[] = {
        { "a map pointing past its volume",
            then(sci0({ view(1), font4(0, font0, static_cast<std::uint32_t>(font0.size())) }),
                [](const TestFolder& f) { f.write("resource.000", cut(f.read("resource.000"), 14)); }),
            "", "resource.000: font 4 is stored past the end of the file" },
        { "a stored size past the end of the volume",
            then(sci0({ view(1), font4(0, font0, static_cast<std::uint32_t>(font0.size())) }),
                [](const TestFolder& f) { f.write("resource.000", cut(f.read("resource.000"), 200)); }),
            "", "resource.000: font 4 is stored past the end of the file" },
        { "a missing volume file",
            then(sci1({ view(1), font4(0, font0, static_cast<std::uint32_t>(font0.size()), 2) }),
                [](const TestFolder& f) { fs::remove(f.path("resource.002")); }),
            "",
            "resource.002: the volume file of font 4 is missing" },
        { "an unknown method", sci1({ view(1), font4(7, Bytes(8, 0), 9) }), "",
            "resource.000: font 4 is stored with a compression method this program does not know (7)" },
        { "damaged compressed data", sci0({ view(1), font4(1, Bytes(8, 0xff), 60) }), "",
            "resource.000: font 4: the compressed data holds a code that means nothing there" },
        { "a font that is no font", sci0({ view(1), font4(0, Bytes(8, 0x11), 8) }), "",
            "resource.000: font 4 is no font this program reads" },
        { "a map that does not parse", [](const TestFolder& f) { f.write("resource.map", Bytes{ 1, 2, 3, 4, 5 }); },
            "resource.map: the file is no resource map", "" },
        { "no volume at all",
            then(sci0({ view(1), font4(0, font0, static_cast<std::uint32_t>(font0.size())) }),
                [](const TestFolder& f) { fs::remove(f.path("resource.000")); }),
            "resource.map: none of the game's volume files (resource.000, ...) is in the folder", "" },
    };
    for (const Case& c : cases) {
        TestFolder folder;
        c.make(folder);
        GameResult result;
        auto game = openGame(folder.path(""), result);
        if (!c.openError.empty()) {
            EXPECT_FALSE(game) << c.name;
            EXPECT_EQ(result.error, c.openError) << c.name;
            continue;
        }
        ASSERT_TRUE(game) << c.name << ": " << result.error;
        BitmapFont font = sampleFont(5);
        result = game->readFont(4, font);
        EXPECT_EQ(result.error.substr(0, c.readError.size()), c.readError) << c.name;
        EXPECT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(font, sampleFont(5)) << c.name;
    }
}

} // namespace
} // namespace glyphsmith
