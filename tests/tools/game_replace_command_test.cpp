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
    const std::string plain = folder.path("plain.exe");
    folder.write("plain.exe", test::bytesOf("MZ and no game"));
    const std::string usage = "glyphsmith-convert: --replace takes GAME:N and a font file\n";
    const std::vector<std::tuple<std::vector<std::string>, int, std::string>> rows = {
        { { "--replace", exe, sci }, ConvertUsage, usage },
        { { "--replace", exe + ":0" }, ConvertUsage, usage },
        { { "--replace", exe + ":1", sci }, ConvertFailed,
            "cannot replace " + exe + ":1: game.exe: the game has no WFN font 1 to replace\n" },
        { { "--replace", plain + ":0", sci }, ConvertFailed, "cannot replace " + plain + ":0: plain.exe: holds no AGS data package\n" },
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

// Through the generic game side: --list, GAME:N as an input, --dump and --check.
TEST(ConvertAgsGame, ListsItsFontsAndReadsOneLikeAFontFile)
{
    TestFolder folder;
    BitmapFont font;
    font.glyphs['A'].width = 3;
    font.glyphs['A'].height = 5;
    test::Bytes wfn;
    ASSERT_TRUE(font.writeWfnBytes(wfn).ok());
    folder.write("game.ags", test::makePackage(30, { { "agsfnt0.wfn", wfn }, { "agsfnt1.ttf", test::bytesOf("outline") } }));
    const std::string game = folder.path("game.ags");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runConvert({ "--list", game }, out, err), ConvertOk) << err.str();
    const std::string size = std::to_string(wfn.size());
    EXPECT_EQ(out.str(), "font 0 (agsfnt0.wfn): WFN; " + size + " bytes stored, " + size
            + " unpacked; 128 codes, line height 5\n"
              "font 1 (agsfnt1.ttf): TrueType; 7 bytes stored, 7 unpacked\n");
    EXPECT_EQ(convert({ game + ":0", folder.path("out.wfn") }).first, ConvertOk);
    EXPECT_EQ(folder.read("out.wfn"), wfn);
    out.str("");
    EXPECT_EQ(runConvert({ "--dump", game + ":0" }, out, err), ConvertOk);
    EXPECT_NE(out.str().find("glyph 65 3 5\n"), std::string::npos);
    out.str("");
    EXPECT_EQ(runConvert({ "--check", game + ":0" }, out, err), ConvertOk) << err.str();
    EXPECT_EQ(out.str(), game + ":0: AGS: loads\n");
}

} // namespace
} // namespace glyphsmith
