#include <gtest/gtest.h>

#include <sstream>

#include "convert_command.h"
#include "gamedata/ags_game_fonts.h"
#include "gamedata/ags_package_builder.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

std::pair<int, std::string> convert(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    int status = runConvert(arguments, out, err);
    EXPECT_EQ(out.str(), "");
    return { status, err.str() };
}

TEST(ConvertReplace, WritesAFontOfAnyFormatIntoTheGameOrSaysWhyNot)
{
    TestFolder folder;
    const test::Bytes game = test::appendToStub(test::makePackage(21, { { "agsfnt0.wfn", test::bytesOf("old") },
        { "agsfnt1.ttf", test::bytesOf("outline") } }), 21);
    folder.write("game.exe", game);
    BitmapFont font;
    font.glyphs['x'].width = 6;
    font.glyphs['x'].cell(5, 0) = true;
    ASSERT_TRUE(font.writeSci(folder.path("font.001")).ok());
    const std::string exe = folder.path("game.exe");
    const std::string sci = folder.path("font.001");
    const std::string usage = "glyphsmith-convert: --replace takes GAME:N and a font file\n";
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> rows = {
        { { "--replace", exe, sci }, ConvertUsage, usage },
        { { "--replace", exe + ":0" }, ConvertUsage, usage },
        { { "--replace", exe + ":1", sci }, ConvertFailed,
            "cannot replace " + exe + ":1: game.exe: the game has no WFN font 1 to replace\n" },
        { { "--replace", sci + ":0", sci }, ConvertFailed, "cannot replace " + sci + ":0: font.001: holds no AGS data package\n" },
        { { "--replace", exe + ":0", folder.path("missing.wfn") }, ConvertFailed, "cannot read " + folder.path("missing.wfn") },
        { { "--replace", exe + ":0", sci }, ConvertOk, "" },
    };
    for (const auto& [arguments, status, message] : rows) {
        auto [code, err] = convert(arguments);
        EXPECT_EQ(code, status) << message;
        EXPECT_EQ(err.substr(0, message.size()), message);
        // Only the replace that worked made the copy of the original.
        EXPECT_EQ(folder.exists("game.exe.orig"), status == ConvertOk);
    }
    EXPECT_EQ(folder.read("game.exe.orig"), game);
    GameResult error;
    std::unique_ptr<GameFonts> replaced = openAgsGame(exe, error);
    ASSERT_TRUE(replaced) << error.error;
    BitmapFont read;
    ASSERT_TRUE(replaced->readFont(0, read).ok());
    EXPECT_TRUE(read.glyphs['x'].cell(5, 0));
}

} // namespace
} // namespace glyphsmith
