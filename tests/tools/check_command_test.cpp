#include "check_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "convert_command.h"
#include "font/bitmap_font.h"
#include "json_text.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

struct CheckRun {
    int status;
    std::string out;
    std::string err;
};

CheckRun convert(const std::vector<std::string>& arguments)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runConvert(arguments, out, err);
    return { status, out.str(), err.str() };
}

// 128 glyphs of 48 x 48: valid for us, but in SCI its records of 290 bytes
// start at offset 262, so character 113 starts at 262 + 113 * 290 = 33032.
std::unique_ptr<BitmapFont> largeFont()
{
    auto font = std::make_unique<BitmapFont>();
    for (Glyph& glyph : font->glyphs)
        glyph.width = glyph.height = 48;
    return font;
}

// An AGS font of two characters: 8 x 2, and one whose record lies in the header.
const std::vector<std::uint8_t> SmallWfn{ 'W', 'G', 'T', ' ', 'F', 'o', 'n', 't', ' ', 'F', 'i', 'l', 'e', ' ', ' ',
    23, 0, 8, 0, 2, 0, 0xff, 0x81, 17, 0, 3, 0 };

TEST(Check, PrintsOneLinePerFileAndEngine)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->writeWfn(folder.path("start.wfn")).ok());
    ASSERT_TRUE(font->writeBmp(folder.path("sheet.bmp")).ok());
    ASSERT_TRUE(largeFont()->writeSci(folder.path("large.0")).ok());
    const std::string start = folder.path("start.wfn");
    const std::string sheet = folder.path("sheet.bmp");
    const std::string large = folder.path("large.0");

    CheckRun fine = convert({ "--check", start, sheet });
    EXPECT_EQ(fine.status, 0);
    EXPECT_EQ(fine.out, start + ": AGS: loads\n" + sheet + ": no engine reads this format\n");
    EXPECT_TRUE(fine.err.empty());

    // Refused, or unreadable: status 1, and the other files are still checked.
    CheckRun refused = convert({ "--check", large, start });
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, large
            + ": ScummVM: refused: character 113: record offset 33032 is 0x8000 or above, so it is read as a negative "
              "number\n"
            + start + ": AGS: loads\n");
    CheckRun missing = convert({ "--check", folder.path("gone.wfn"), folder.path("gone.bmp"), start });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, start + ": AGS: loads\n");
    EXPECT_EQ(missing.err, "cannot read " + folder.path("gone.wfn") + ": cannot open the file\ncannot read "
            + folder.path("gone.bmp") + ": cannot open the file\n");
}

TEST(Check, ChecksADotFonPatchFileAsTheSciFontItsFirstByteNames)
{
    TestFolder folder;
    folder.write("1.fon", { 0x87, 32, 0, 0, 0x80, 0 });
    CheckRun run = convert({ "--check", folder.path("1.fon") });
    EXPECT_EQ(run.out, folder.path("1.fon")
            + ": ScummVM: refused: the data would start at byte 34, at or past the end of the file (6 bytes)\n");
}

TEST(Check, PrintsOneJsonArrayWithTheGlyphsTheEngineHolds)
{
#ifdef _WIN32
    GTEST_SKIP() << "a Windows file name cannot hold the double quote this test escapes";
#endif
    TestFolder folder;
    folder.write("a\"b.wfn", SmallWfn);
    ASSERT_TRUE(largeFont()->writeSci(folder.path("large.0")).ok());
    folder.write("sheet.bmp", { 1 });
    const std::string small = folder.path("a\"b.wfn");
    const std::string quoted = folder.path("a\\\"b.wfn");

    CheckRun run = convert({ "--json", "--check", small, folder.path("sheet.bmp"), folder.path("large.0") });
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "[\n  {\"file\": \"" + quoted
            + "\", \"engine\": \"AGS\", \"verdict\": \"changed\", \"reasons\": [\"character 1: its record position 3 "
              "lies inside the header; shown as nothing\"], \"notes\": [], \"lineHeight\": 2, \"glyphs\": [[8, 2], [0, 0]]},\n"
              "  {\"file\": \""
            + folder.path("large.0")
            + "\", \"engine\": \"ScummVM\", \"verdict\": \"refused\", \"reasons\": [\"character 113: record offset "
              "33032 is 0x8000 or above, so it is read as a negative number\"], \"notes\": [], \"lineHeight\": 0, \"glyphs\": []}\n]\n");
    // Standard output holds only the array.
    EXPECT_EQ(run.err, folder.path("sheet.bmp") + ": no engine reads this format\n");

    CheckRun none = convert({ "--check", "--json", folder.path("sheet.bmp") });
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "[]\n");
}

TEST(Check, EscapesJsonStrings)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "plain/é.wfn", "\"plain/é.wfn\"" },
        { "q\"b\\s", "\"q\\\"b\\\\s\"" },
        { "n\nt\tc\x01\x1f", "\"n\\nt\\tc\\u0001\\u001f\"" },
        { "bad\xff\xc0\x80|\xe2\x82|\xed\xa0\x80", "\"bad\\ufffd\\ufffd\\ufffd|\\ufffd\\ufffd|\\ufffd\\ufffd\\ufffd\"" },
        { "ok\xf0\x9f\x98\x80", "\"ok\xf0\x9f\x98\x80\"" },
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(jsonString(text), json);
}

TEST(Check, WritingAFontTheEngineWouldRefuseWarnsButKeepsTheFile)
{
    TestFolder folder;
    ASSERT_TRUE(largeFont()->writeWfn(folder.path("large.wfn")).ok());

    CheckRun sci = convert({ folder.path("large.wfn"), folder.path("font.001") });
    EXPECT_EQ(sci.status, 0);
    EXPECT_TRUE(sci.out.empty());
    EXPECT_EQ(sci.err, "warning: " + folder.path("font.001")
            + ": ScummVM: refused: character 113: record offset 33032 is 0x8000 or above, so it is read as a "
              "negative number\n");
    EXPECT_TRUE(folder.exists("font.001"));

    CheckRun ags = convert({ folder.path("font.001"), folder.path("again.wfn") });
    EXPECT_EQ(ags.status, 0);
    EXPECT_TRUE(ags.err.empty()) << ags.err;
}

} // namespace
} // namespace glyphsmith
