#include <gtest/gtest.h>

#include <sstream>

#include "convert_command.h"
#include "font/bitmap_font.h"
#include "gamedata/sci_game_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

struct ConvertResult {
    int status;
    std::string out;
    std::string err;
};

ConvertResult convert(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runConvert(arguments, out, err);
    return { status, out.str(), err.str() };
}

// An SCI0 game with font 0 stored, font 1 packed with LZW and patched, and a
// font 4 whose packed data is damaged.
void writeGame(const TestFolder& folder)
{
    SampleResource broken{ SciFontType, 4, 0, 1, Bytes(8, 0xff), 60, {} };
    writeSciGame(folder.path(""), SciMapLayout::Sci0, SciVolumeLayout::Sci0,
        { { 0, 0, 0, 1, Bytes(4, 0), 10, {} }, sampleFontResource(0, sampleFont(1), SciCompression::None, 0),
            sampleFontResource(1, sampleFont(2), SciCompression::Lzw, 1), broken });
    BitmapFont patch = sampleFont(3);
    patch.lineHeight = 11;
    ASSERT_TRUE(patch.writeSci(folder.path("font.001")).ok());
}

TEST(ConverterGames, ListShowsEveryFontWithWhatOpensAndSaysWhichCannotBeRead)
{
    TestFolder folder;
    writeGame(folder);
    const std::size_t size0 = fontResource(sampleFont(1)).size();
    const ConvertResult run = convert({ "--list", folder.path("") });
    EXPECT_EQ(run.status, 1);
    const std::string expected = "font 0 (font.000): SCI0/SCI01, stored; " + std::to_string(size0) + " bytes stored, "
        + std::to_string(size0) + " unpacked; 128 codes, line height 9\n"
        + "font 1 (font.001): SCI0/SCI01, LZW, patched; ";
    EXPECT_EQ(run.out.substr(0, expected.size()), expected);
    EXPECT_NE(run.out.find("unpacked; 128 codes, line height 11\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("font 4 (font.004): SCI0/SCI01, LZW; 8 bytes stored, 60 unpacked; cannot be read\n"),
        std::string::npos)
        << run.out;
    EXPECT_EQ(run.err, "cannot read font 4 of " + folder.path("")
            + ": resource.000: font 4: the compressed data holds a code that means nothing there\n");
}

TEST(ConverterGames, AGameFontIsAnInputLikeAnyFontFile)
{
    TestFolder folder;
    writeGame(folder);
    const std::string game = folder.path("resource.map");
    EXPECT_EQ(convert({ game + ":0", folder.path("out.wfn") }).status, 0);
    BitmapFont font;
    ASSERT_TRUE(font.readWfn(folder.path("out.wfn")).ok());
    EXPECT_EQ(font.glyphs, sampleFont(1).glyphs);

    ASSERT_EQ(convert({ game + ":1", folder.path("copy.001") }).status, 0);
    ASSERT_TRUE(font.readSci(folder.path("copy.001")).ok());
    EXPECT_EQ(font.lineHeight, 11); // the patch, which is what the game shows

    const ConvertResult dump = convert({ "--dump", game + ":0" });
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out.substr(0, 22), "line-height 9\nglyph 0 ");

    const ConvertResult check = convert({ "--check", game + ":0" });
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, game + ":0: ScummVM: loads\n");

    const ConvertResult missing = convert({ game + ":7", folder.path("x.wfn") });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "cannot read " + game + ":7: the game has no font 7\n");
    EXPECT_FALSE(folder.exists("x.wfn"));
}

} // namespace
} // namespace glyphsmith
