#include "convert_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "font/bitmap_font.h"
#ifdef _WIN32
#include "fontfile/gdi_font_file.h"
#else
#include "fontfile/freetype_font_file.h"
#endif
#include "platform/system_font_renderer.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

struct ConvertRun {
    int status;
    std::string out;
    std::string err;
};

// Each build's own font-file reader, and a font file for it from a Debian
// package: Windows reads no PCF, so it builds from DejaVu Sans.
#ifdef _WIN32
GdiFontFileReader fontFileReader;
const std::string DejaVuSans = "Z:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string SourceFont = DejaVuSans;
#else
FreeTypeFontFileReader fontFileReader;
const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string SourceFont = "/usr/share/fonts/X11/misc/10x20.pcf.gz";
#endif
FontFileReader* const fontFiles = &fontFileReader;

ConvertRun convert(std::vector<std::string> arguments, const SystemFontSource& systemFont = {})
{
    std::ostringstream out;
    std::ostringstream err;
    int status = runConvert(arguments, out, err, systemFont, fontFiles);
    return { status, out.str(), err.str() };
}

// Draws every character as a white box of 3 x 4 with one inked pixel, or has
// no font at all.
class FakeSystemFont : public SystemFontRenderer {
public:
    bool available = true;
    int pointsAsked = -1;
    int boxHeight = 4;

    bool selectFont(int points) override
    {
        pointsAsked = points;
        return available;
    }
    void drawCharacter(int, RenderSquare& square) override
    {
        square.fill(Rgb{ 0, 0, 255 });
        for (int y = 0; y < std::min(boxHeight, RenderSquareSize); ++y)
            for (int x = 0; x < 3; ++x)
                square[x + RenderSquareSize * y] = Rgb{ 255, 255, 255 };
        square[0] = Rgb{ 0, 0, 0 };
    }
};

TEST(Convert, TurnsTheStartStateWfnIntoSciAndBackByteForByte)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->writeWfn(folder.path("start.wfn")).ok());
    ConvertRun toSci = convert({ folder.path("start.wfn"), folder.path("0.fon") });
    EXPECT_EQ(toSci.status, ConvertOk) << toSci.err;
    const std::vector<std::uint8_t> sci = folder.read("0.fon");
    EXPECT_EQ(std::vector(sci.begin(), sci.begin() + 2), (std::vector<std::uint8_t>{ 0x87, 0 }));
    EXPECT_EQ(sci[6], 1); // line height: the tallest glyph of the WFN file

    ConvertRun back = convert({ folder.path("0.fon"), folder.path("again.WFN") });
    EXPECT_EQ(back.status, ConvertOk) << back.err;
    EXPECT_EQ(folder.read("again.WFN"), folder.read("start.wfn"));
    EXPECT_TRUE(toSci.out.empty());
    EXPECT_TRUE(toSci.err.empty());
}

TEST(Convert, RewritesTheFontShapesGamesShipByteForByte)
{
    // SCI fonts with a glyph taller than the line height and an empty glyph 5.
    auto sci = [](int count, std::uint8_t type = 0x87, std::uint8_t extra = 0) {
        BitmapFont font;
        font.setCodeCount(count);
        font.lineHeight = 8;
        font.glyphs[65] = Glyph{ .height = 10, .width = 7 };
        font.glyphs[5].clear();
        font.sciHeader = { type, std::vector<std::uint8_t>(extra, 0xEE) };
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(font.writeSciBytes(bytes).ok());
        return bytes;
    };
    const std::vector<std::uint8_t> plain = sci(128);
    auto withByte = [](std::vector<std::uint8_t> bytes, std::size_t at, std::uint8_t value) {
        bytes.at(at) = value;
        return bytes;
    };
    // AGS: empty glyphs, then an 8 x 2 one with rows 11 00, then the table at
    // the odd position 531, whose first entry (17) is 11 00 too: the engine
    // reads the rows from the table when they are cut from the record.
    BitmapFont ags;
    ags.clear();
    ags.glyphs[127] = Glyph{ .height = 2, .width = 8 };
    ags.glyphs[127].cell(3, 0) = ags.glyphs[127].cell(7, 0) = true;
    std::vector<std::uint8_t> wfn;
    ASSERT_TRUE(ags.writeWfnBytes(wfn).ok());
    std::vector<std::uint8_t> rowsInTable = withByte(wfn, 15, 0x11); // the table at 529
    rowsInTable.erase(rowsInTable.begin() + 529, rowsInTable.begin() + 531);

    const std::tuple<const char*, std::vector<std::uint8_t>, std::vector<std::uint8_t>> rows[] = {
        { "0.fon", plain, plain },
        { "4.FON", sci(128, 0x07), sci(128, 0x07) },
        { "300.fon", sci(128, 0x87, 32), sci(128, 0x87, 32) },
        { "5.fnt", sci(128, 0x87, 255), sci(128, 0x87, 255) },
        { "226.fon", sci(226), sci(226) },
        { "254.fon", sci(254), sci(254) },
        { "font.255", sci(255), sci(255) },
        { "bytes after the last record.fon", [&] { auto b = plain; b.insert(b.end(), 3, 0xEE); return b; }(), plain },
        { "entry 5 into the header.fon", withByte(withByte(plain, 18, 0), 19, 0), plain },
        { "odd table.wfn", wfn, wfn },
        { "last rows in the table.wfn", rowsInTable, wfn },
    };
    for (const auto& [name, file, written] : rows) {
        SCOPED_TRACE(name);
        TestFolder folder;
        folder.write(name, file);
        const std::string out = std::string(name).ends_with(".wfn") ? "out.wfn" : "out.fon";
        const ConvertRun run = convert({ folder.path(name), folder.path(out) });
        EXPECT_EQ(run.status, ConvertOk) << run.err;
        EXPECT_EQ(folder.read(out), written);
    }
}

TEST(Convert, DumpsEveryGlyphAsRowsOfHashesAndDots)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 7;
    font->glyphs[0] = Glyph{}; // 0 x 0: a header line and no rows
    Glyph& a = font->glyphs[65];
    a.width = 3;
    a.height = 2;
    a.cell(0, 0) = 1;
    a.cell(2, 1) = 1;
    a.cell(5, 0) = 1; // outside the width: not shown
    ASSERT_TRUE(font->writeSci(folder.path("font.001")).ok());

    ConvertRun run = convert({ "--dump", folder.path("font.001") });
    ASSERT_EQ(run.status, ConvertOk) << run.err;
    // The header, 128 glyph lines, one row for each of the 126 1 x 1 glyphs, two rows of A.
    EXPECT_EQ(std::ranges::count(run.out, '\n'), 1 + 128 + 126 + 2);
    EXPECT_TRUE(run.out.starts_with("line-height 7\nglyph 0 0 0\nglyph 1 1 1\n.\nglyph 2 1 1\n")) << run.out;
    EXPECT_NE(run.out.find("\nglyph 65 3 2\n#..\n..#\nglyph 66 1 1\n"), std::string::npos);
    EXPECT_TRUE(run.out.ends_with("glyph 127 1 1\n.\n"));
    EXPECT_TRUE(run.err.empty());

    // Every code of a longer font is listed; a reader's warning goes only to
    // standard error.
    const Glyph drawnA = a; // setCodeCount moves the glyphs
    font->setCodeCount(130);
    font->glyphs[129] = drawnA;
    ASSERT_TRUE(font->writeWfn(folder.path("long.wfn")).ok());
    ConvertRun longer = convert({ "--dump", folder.path("long.wfn") });
    EXPECT_TRUE(longer.out.ends_with("glyph 127 1 1\n.\nglyph 128 0 0\nglyph 129 3 2\n#..\n..#\n"));
    std::vector<std::uint8_t> bytes = folder.read("long.wfn");
    bytes.resize(bytes.size() - 2 * 3);
    folder.write("long.wfn", bytes);
    ConvertRun warned = convert({ "--dump", folder.path("long.wfn") });
    EXPECT_EQ(warned.status, ConvertOk);
    EXPECT_EQ(warned.err, "warning: " + folder.path("long.wfn")
            + ": the file holds only 127 characters; the codes it lacks, up to 127, were left empty\n");
}

TEST(Convert, RecodeNamesGlyphsWithoutAPlaceAndDropsThemOnlyWhenAsked)
{
    TestFolder folder;
    BitmapFont font;
    font.setCodeCount(0x4e01);
    font.glyphs[0x44f].width = font.glyphs[0x4e00].width = 1; // я, and a sign koi8-r lacks
    ASSERT_TRUE(font.writeWfn(folder.path("u.wfn")).ok());
    const std::vector<std::string> recode = { "--recode", "unicode:koi8-r", folder.path("u.wfn"), folder.path("k.wfn") };
    ConvertRun refused = convert(recode);
    EXPECT_EQ(refused.status, ConvertFailed);
    EXPECT_EQ(refused.err, "cannot recode " + folder.path("u.wfn")
            + ": the glyphs of codes 19968 have no place in koi8-r (--drop-unmapped leaves them out)\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path("k.wfn")));
    ConvertRun dropped = convert({ recode[0], recode[1], "--drop-unmapped", recode[2], recode[3] });
    EXPECT_EQ(dropped.status, ConvertOk) << dropped.err;
    EXPECT_EQ(dropped.err, "dropped from " + folder.path("u.wfn") + ": the glyphs of codes 19968 have no place in koi8-r\n");
    ASSERT_TRUE(font.readWfn(folder.path("k.wfn")).ok());
    EXPECT_EQ(font.glyphs[0xd1].width, 1); // я is byte 0xd1 in koi8-r
    EXPECT_EQ(convert({ "--recode", "cp1251:utf8", recode[2], recode[3] }).status, ConvertUsage);
}

TEST(Convert, UnreadableInputNamesTheFileAndLeavesTheOutputAlone)
{
    TestFolder folder;
    folder.write("bad.wfn", { 'W', 'G', 'T', ' ', 'F', 'o', 'n', 't' });
    folder.write("kept.0", { 1, 2, 3 });

    ConvertRun run = convert({ folder.path("bad.wfn"), folder.path("kept.0") });
    EXPECT_EQ(run.status, ConvertFailed);
    EXPECT_EQ(run.err, "cannot read " + folder.path("bad.wfn") + ": not a font file of this type (wrong signature)\n");
    EXPECT_EQ(folder.read("kept.0"), (std::vector<std::uint8_t>{ 1, 2, 3 }));

    ConvertRun missing = convert({ folder.path("absent.wfn"), folder.path("new.0") });
    EXPECT_EQ(missing.status, ConvertFailed);
    EXPECT_EQ(missing.err, "cannot read " + folder.path("absent.wfn") + ": cannot open the file\n");
    EXPECT_FALSE(folder.exists("new.0"));

    ConvertRun dump = convert({ "--dump", folder.path("bad.wfn") });
    EXPECT_EQ(dump.status, ConvertFailed);
    EXPECT_TRUE(dump.out.empty());
}

TEST(Convert, BuildsAFontFromTheSystemFontAtTheGivenSize)
{
    TestFolder folder;
    FakeSystemFont systemFont;
    ConvertRun run = convert({ "--system-font", "12", folder.path("system.0") }, [&] { return &systemFont; });
    ASSERT_EQ(run.status, ConvertOk) << run.err;
    EXPECT_EQ(systemFont.pointsAsked, 12);
    EXPECT_TRUE(run.err.empty()); // the editor's closing notice is not repeated here

    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->readSci(folder.path("system.0")).ok());
    EXPECT_EQ(font->lineHeight, 12);
    EXPECT_EQ(font->glyphs[0].width, 0);
    EXPECT_EQ(std::pair(font->glyphs[65].width, font->glyphs[65].height), std::pair(3, 4));
}

TEST(Convert, SystemFontFailuresLeaveNoFile)
{
    TestFolder folder;
    FakeSystemFont systemFont;
    systemFont.available = false;
    ConvertRun noFont = convert({ "--system-font", "9", folder.path("a.wfn") }, [&] { return &systemFont; });
    EXPECT_EQ(noFont.status, ConvertFailed);
    EXPECT_EQ(noFont.err.rfind("cannot build a font from the system font at 9 points: ", 0), 0u) << noFont.err;

    ConvertRun noRenderer = convert({ "--system-font", "9", folder.path("a.wfn") });
    EXPECT_EQ(noRenderer.status, ConvertFailed);

    // A size whose characters are 64 pixels high or more cannot be glyphs.
    systemFont.available = true;
    systemFont.boxHeight = 64;
    ConvertRun tooLarge = convert({ "--system-font", "41", folder.path("a.wfn") }, [&] { return &systemFont; });
    EXPECT_EQ(tooLarge.status, ConvertFailed);
    EXPECT_EQ(tooLarge.err, "cannot build a font from the system font at 41 points: character 1 is 64 pixels or "
                            "more wide or high at this size; choose a smaller size\n");

    for (const char* points : { "x", "-1", "65536", "12pt", "" }) {
        ConvertRun bad = convert({ "--system-font", points, folder.path("a.wfn") }, [&] { return &systemFont; });
        EXPECT_EQ(bad.status, ConvertUsage) << points;
    }
    EXPECT_TRUE(folder.entries().empty());
}

TEST(Convert, RefusedSheetPrintsItsMessageAndLeavesTheOutputAlone)
{
    TestFolder folder;
    // The header of an 8-bit picture of 16 x 8 pixels.
    std::vector<std::uint8_t> header(54, 0);
    const std::uint8_t fields[] = { 'B', 'M', 54, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
        16, 0, 0, 0, 8, 0, 0, 0, 1, 0, 8, 0 };
    std::copy(std::begin(fields), std::end(fields), header.begin());
    folder.write("eight.bmp", header);
    folder.write("kept.wfn", { 4, 5 });

    ConvertRun run = convert({ folder.path("eight.bmp"), folder.path("kept.wfn") });
    EXPECT_EQ(run.status, ConvertFailed);
    EXPECT_EQ(run.err, "cannot read " + folder.path("eight.bmp") + ": Only 24-bit bitmaps are supported.\n");
    EXPECT_EQ(folder.read("kept.wfn"), (std::vector<std::uint8_t>{ 4, 5 }));
}

TEST(Convert, TrueTypeIsNeitherReadNorWritten)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->writeWfn(folder.path("in.wfn")).ok());
    folder.write("old.ttf", { 1, 2 });

    EXPECT_EQ(convert({ folder.path("in.wfn"), folder.path("new.ttf") }).status, ConvertFailed);
    ConvertRun save = convert({ folder.path("in.wfn"), folder.path("old.ttf") });
    EXPECT_EQ(save.status, ConvertFailed);
    EXPECT_EQ(save.err, "cannot write " + folder.path("old.ttf") + ": Saving TrueType fonts is not supported, nor will it be.\n");
    EXPECT_EQ(folder.read("old.ttf"), (std::vector<std::uint8_t>{ 1, 2 }));

    ConvertRun open = convert({ folder.path("old.ttf"), folder.path("out.wfn") });
    EXPECT_EQ(open.status, ConvertFailed);
    EXPECT_NE(open.err.find("use --font FILE SIZE OUT"), std::string::npos);
    EXPECT_FALSE(folder.exists("out.wfn"));
    EXPECT_FALSE(folder.exists("new.ttf"));
}

// Accepts `room` characters, then fails as a full disk or a file-size limit does.
class FullStreamBuffer : public std::streambuf {
public:
    explicit FullStreamBuffer(std::size_t room) : room_(room) {}

protected:
    int_type overflow(int_type c) override
    {
        if (room_ == 0)
            return traits_type::eof();
        --room_;
        return traits_type::not_eof(c);
    }

private:
    std::size_t room_;
};

TEST(Convert, ADumpThatCannotBeWrittenWholeFails)
{
    TestFolder folder;
    ASSERT_TRUE(std::make_unique<BitmapFont>()->writeWfn(folder.path("in.wfn")).ok());
    for (std::size_t room : { std::size_t{ 0 }, std::size_t{ 100 } }) {
        FullStreamBuffer full(room);
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(runConvert({ "--dump", folder.path("in.wfn") }, out, err), ConvertFailed) << room;
        EXPECT_EQ(err.str(), "cannot write the dump of " + folder.path("in.wfn") + " to standard output\n");
    }
}

TEST(Convert, OutputOntoADeviceFailsAndLeavesItAlone)
{
    TestFolder folder;
    ASSERT_TRUE(std::make_unique<BitmapFont>()->writeWfn(folder.path("in.wfn")).ok());
    // A device of the test's own: a save that wrongly went through could not
    // replace the machine's /dev/null.
    if (!folder.makeNullDevice("null.0"))
        GTEST_SKIP() << "making a device node needs root";
    ConvertRun device = convert({ folder.path("in.wfn"), folder.path("null.0") });
    EXPECT_EQ(device.status, ConvertFailed);
    EXPECT_EQ(device.err, "cannot write " + folder.path("null.0")
            + ": not a regular file (a folder, device, pipe or socket), left alone\n");
    EXPECT_TRUE(std::filesystem::is_character_file(folder.path("null.0")));
}

TEST(Convert, BuildsAFontFromAFontFileListingTheCharactersItLacks)
{
    TestFolder folder;
    // The font grows to 19969 codes, and the file keeps them all.
    ConvertRun run
        = convert({ "--font", SourceFont, "20", folder.path("built.wfn"), "--codes", "0x41-0x5A,0x4E00" });
    EXPECT_EQ(run.status, ConvertOk);
    EXPECT_EQ(run.err, "warning: " + SourceFont + ": the font has no glyph for 1 of the characters asked for, "
                                                  "left empty: U+4E00 (code 19968)\n");
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->readWfn(folder.path("built.wfn")).ok());
    EXPECT_EQ(font->codeCount(), 19969);
    EXPECT_FALSE(font->glyphs['Z'].isEmpty());

    // Both builds tell the same of the same file.
    ConvertRun info = convert({ "--font-info", DejaVuSans, "--codepage", "koi8-r" });
    EXPECT_EQ(info.status, ConvertOk) << info.err;
    EXPECT_EQ(info.out, "family: DejaVu Sans\nstyle: Book\nformat: TrueType\nkind: outline\nfaces: 1\nsizes: any\n"
                        "characters: 223 of 223 asked (control characters not counted)\n");
#ifndef _WIN32
    EXPECT_EQ(font->glyphs['Z'].width, 10);
    ConvertRun pcf = convert({ "--font-info", "/usr/share/fonts/X11/misc/10x20-KOI8-R.pcf.gz", "--codepage", "koi8-r" });
    EXPECT_EQ(pcf.out, "family: Fixed\nstyle: Regular\nformat: PCF\nkind: bitmap\nfaces: 1\nsizes: 20\n"
                       "characters: 223 of 223 asked (control characters not counted)\n");
#endif
}

TEST(Convert, WrongArgumentsPrintUsageAndExitTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {}, { "one.wfn" }, { "a", "b", "c" }, { "--dump" }, { "--dump", "a", "b" }, { "--frobnicate", "x" },
        { "--system-font", "12" }, { "a.wfn", "--dump" }, { "--check" }, { "--json", "a.wfn" },
        { "--check", "--check", "a.wfn" }, { "--check", "a.wfn", "--json" }, { "--check", "--json" },
        { "--font", "a.ttf", "12" }, { "--font", "a.ttf", "-1", "a.wfn" }, { "--font-info", "a.ttf", "--codes" },
        { "--font-info", "a.ttf", "--codepage", "cp9999" }, { "--font-info", "a.ttf", "--codes", "66-65" },
        { "--font-info", "a.ttf", "--codes", "0x10000" }, { "--font-info", "a.ttf", "--codes", "1,,2" },
        { "--font-info", "a.ttf", "--codes", "5-" }, { "--font-info", "a.ttf", "--size", "5" },
    };
    for (const auto& arguments : cases) {
        ConvertRun run = convert(arguments);
        EXPECT_EQ(run.status, ConvertUsage);
        EXPECT_NE(run.err.find("usage: glyphsmith-convert IN OUT"), std::string::npos);
        EXPECT_TRUE(run.out.empty());
    }
    ConvertRun help = convert({ "--help" });
    EXPECT_EQ(help.status, ConvertOk);
    EXPECT_NE(help.out.find("usage: glyphsmith-convert IN OUT"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}

} // namespace
} // namespace glyphsmith
