#include <gtest/gtest.h>

#include <sstream>

#include "convert_command.h"
#include "gamedata/ags_package_builder.h"
#include "gamedata/ags_game_fonts.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

using test::Bytes;

struct ReplaceRun {
    int status;
    std::string err;
};

ReplaceRun convert(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = runConvert(arguments, out, err);
    EXPECT_EQ(out.str(), "");
    return { status, err.str() };
}

TEST(ConvertReplace, WritesAFontFileIntoTheGameAndKeepsTheOriginal)
{
    TestFolder folder;
    BitmapFont old;
    Bytes oldWfn;
    ASSERT_TRUE(old.writeWfnBytes(oldWfn).ok());
    const Bytes game = test::appendToStub(
        test::makePackage(21, { { "ac2game.dta", test::bytesOf("game") }, { "agsfnt0.wfn", oldWfn } }), 21);
    folder.write("game.exe", game);
    BitmapFont font;
    font.glyphs['x'].width = 6;
    font.glyphs['x'].cell(5, 0) = true;
    ASSERT_TRUE(font.writeSci(folder.path("font.001")).ok());

    ReplaceRun run = convert({ "--replace", folder.path("game.exe") + ":0", folder.path("font.001") });
    EXPECT_EQ(run.status, ConvertOk) << run.err;
    EXPECT_EQ(folder.read("game.exe.orig"), game);
    GameResult error;
    std::unique_ptr<GameFonts> reopened = openAgsGame(folder.path("game.exe"), error);
    ASSERT_TRUE(reopened) << error.error;
    BitmapFont read;
    ASSERT_TRUE(reopened->readFont(0, read).ok());
    EXPECT_EQ(read.glyphs['x'].width, 6);
    EXPECT_TRUE(read.glyphs['x'].cell(5, 0));
}

TEST(ConvertReplace, ReportsWrongArgumentsAndFailures)
{
    TestFolder folder;
    folder.write("game.ags", test::makePackage(30, { { "agsfnt0.ttf", test::bytesOf("outline") } }));
    BitmapFont font;
    ASSERT_TRUE(font.writeWfn(folder.path("new.wfn")).ok());
    const std::string game = folder.path("game.ags");
    const std::string wfn = folder.path("new.wfn");
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> rows = {
        { { "--replace", game, wfn }, ConvertUsage, "glyphsmith-convert: --replace takes GAME:N and a font file\n" },
        { { "--replace", game + ":0" }, ConvertUsage, "glyphsmith-convert: --replace takes GAME:N and a font file\n" },
        { { "--replace", game + ":0", wfn }, ConvertFailed,
            "cannot replace " + game + ":0: game.ags: the game has no WFN font 0 to replace\n" },
        { { "--replace", wfn + ":1", wfn }, ConvertFailed,
            "cannot replace " + wfn + ":1: new.wfn: holds no AGS data package\n" },
        { { "--replace", game + ":0", folder.path("missing.wfn") }, ConvertFailed, "cannot read " + folder.path("missing.wfn") },
    };
    for (const auto& [arguments, status, message] : rows) {
        ReplaceRun run = convert(arguments);
        EXPECT_EQ(run.status, status) << message;
        EXPECT_EQ(run.err.substr(0, message.size()), message);
    }
    EXPECT_FALSE(folder.exists("game.ags.orig"));
}

} // namespace
} // namespace glyphsmith
