// Fonts imported through FreeType, checked against what the files hold: a
// small BDF written here, the PCF fonts of xfonts-base and DejaVu Sans.

#include "fontfile/freetype_font_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

#include "fontfile/font_file_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

const std::string Misc = "/usr/share/fonts/X11/misc/";
const std::string DejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Ascent 6, descent 2. "j" reaches below the baseline and starts one pixel
// left of its origin, where the cell cuts it off.
const char* const TinyBdf = R"(STARTFONT 2.1
FONT -test-tiny-medium-r-normal--8-80-75-75-c-60-iso10646-1
SIZE 8 75 75
FONTBOUNDINGBOX 6 8 -1 -2
STARTPROPERTIES 2
FONT_ASCENT 6
FONT_DESCENT 2
ENDPROPERTIES
CHARS 2
STARTCHAR A
ENCODING 65
DWIDTH 6 0
BBX 5 6 0 0
BITMAP
20
50
88
F8
88
88
ENDCHAR
STARTCHAR j
ENCODING 106
DWIDTH 3 0
BBX 3 5 -1 -2
BITMAP
20
20
20
20
C0
ENDCHAR
ENDFONT
)";

TEST(FreeTypeImport, PlacesABdfFontsPixelsByTheirOffsetsOnTheBaseline)
{
    TestFolder folder;
    const std::string text = TinyBdf;
    folder.write("tiny.bdf", { text.begin(), text.end() });
    FreeTypeFontFileReader reader;
    BitmapFont font;
    const FontFileImport import = importFontFile(font, reader, { folder.path("tiny.bdf"), 8, asciiCharacters() });
    ASSERT_TRUE(import.result.ok()) << describe(import.result);
    EXPECT_EQ(font.lineHeight, 8);
    using Rows = std::vector<std::string>;
    EXPECT_EQ(picture(font.glyphs['A']),
        (Rows { "..#...", ".#.#..", "#...#.", "#####.", "#...#.", "#...#.", "......", "......" }));
    EXPECT_EQ(picture(font.glyphs['j']), (Rows { "...", "...", "...", ".#.", ".#.", ".#.", ".#.", "#.." }));
    // Every printable ASCII character but the two is missing; the control characters are not listed.
    EXPECT_EQ(import.missing.size(), 95u - 2u);
    EXPECT_NE(import.result.warning.find("93 of the characters asked for: U+0020, U+0021"), std::string::npos);
}

TEST(FreeTypeImport, TakesGreyPixelsAsInkFromHalfTheirRangeUp)
{
    // 'A', one row at 2, 4 and 8 bits a pixel: the values 0 1 2 3, 7 8 0 15, and 127 128.
    const std::tuple<int, std::string, const char*, const char*> rows[] = {
        { 2, "4", "1B", "..##" }, { 4, "4", "780F", ".#.#" }, { 8, "2", "7F80", ".#" } };
    for (const auto& [bits, w, hex, ink] : rows) {
        const std::string text = "STARTFONT 2.1\nFONT -test-grey-medium-r-normal--1-10-75-75-c-40-iso10646-1\nSIZE 1 75 75 "
            + std::to_string(bits) + "\nFONTBOUNDINGBOX " + w + " 1 0 0\nSTARTPROPERTIES 2\nFONT_ASCENT 1\nFONT_DESCENT 0\n"
            "ENDPROPERTIES\nCHARS 1\nSTARTCHAR A\nENCODING 65\nDWIDTH " + w + " 0\nBBX " + w + " 1 0 0\nBITMAP\n" + hex
            + "\nENDCHAR\nENDFONT\n";
        TestFolder folder;
        folder.write("grey.bdf", { text.begin(), text.end() });
        FreeTypeFontFileReader reader;
        BitmapFont font;
        ASSERT_TRUE(importFontFile(font, reader, { folder.path("grey.bdf"), 1, { { 65, U'A' } } }).result.ok()) << bits;
        EXPECT_EQ(picture(font.glyphs['A']), std::vector<std::string> { ink }) << bits;
    }
}

TEST(FreeTypeImport, TakesTheStrikeNearestTheSizeAskedAndTheFirstOfTwoAsNear)
{
    // Three faces of one strike each: 11, 13 and 16 pixels, with lines 13, 16 and 20 high.
    const std::string fon = "/usr/share/wine/fonts/sserife.fon";
    const std::pair<int, int> rows[] = { { 0, 13 }, { 11, 13 }, { 12, 13 }, { 13, 16 }, { 14, 16 }, { 15, 20 }, { 40, 20 } };
    FreeTypeFontFileReader reader;
    for (const auto& [asked, lineHeight] : rows) {
        BitmapFont font;
        ASSERT_TRUE(importFontFile(font, reader, { fon, asked, asciiCharacters() }).result.ok()) << fon;
        EXPECT_EQ(font.lineHeight, lineHeight) << asked;
    }
}

TEST(FreeTypeImport, ReadsACompressedPcfByUnicodeOrThroughItsOwnCharacterSet)
{
    FreeTypeFontFileReader reader;
    std::string problem;
    const std::vector<CharacterMapping> cyrillic = *parseCodeRanges("0x410-0x44F", problem);
    BitmapFont unicode;
    ASSERT_TRUE(importFontFile(unicode, reader, { Misc + "10x20.pcf.gz", 20, cyrillic }).result.ok());
    EXPECT_EQ(unicode.lineHeight, 20);
    EXPECT_FALSE(unicode.glyphs[0x416].isEmpty());
    // The same design numbered by KOI8-R and by ISO 8859-5 bytes gives the same glyphs.
    for (const char* file : { "10x20-KOI8-R.pcf.gz", "10x20-ISO8859-5.pcf.gz" }) {
        BitmapFont font;
        const FontFileImport import = importFontFile(font, reader, { Misc + file, 20, cyrillic });
        ASSERT_TRUE(import.result.ok()) << file;
        EXPECT_TRUE(import.missing.empty()) << file;
        for (int code = 0x410; code < 0x450; ++code)
            EXPECT_TRUE(font.glyphs[code] == unicode.glyphs[code]) << file << " " << code;
    }
}

TEST(FreeTypeImport, LooksUpAWindowsFontsCharactersThroughItsCodePage)
{
    TestFolder folder;
    FreeTypeFontFileReader reader;
    expectCyrillicFntThroughItsCodePage(reader, folder);
}

TEST(FreeTypeImport, ChoosesTheNearestSizeOverEveryFaceOfAFon)
{
    TestFolder folder;
    FreeTypeFontFileReader reader;
    expectNearestSizeOverEveryFaceOfAFon(reader, folder);
}

TEST(FreeTypeImport, GivesOutlineGlyphsTheirHintedAdvanceWithInkOnTheBaseline)
{
    FreeTypeFontFileReader reader;
    BitmapFont font;
    ASSERT_TRUE(importFontFile(font, reader, { DejaVuSans, 16, asciiCharacters() }).result.ok());

    // The reference: FreeType's own advances and ascender at the same size and target.
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, DejaVuSans.c_str(), 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 16);
    const int ascent = static_cast<int>((face->size->metrics.ascender + 32) >> 6);
    const int descent = static_cast<int>((-face->size->metrics.descender + 32) >> 6);
    EXPECT_EQ(font.lineHeight, ascent + descent);
    for (int code = ' '; code < 127; ++code) {
        FT_Fixed advance = 0;
        FT_Get_Advance(face, FT_Get_Char_Index(face, code), FT_LOAD_TARGET_MONO, &advance);
        EXPECT_EQ(font.glyphs[code].width, (advance + 0x8000) >> 16) << code;
    }
    FT_Done_FreeType(library); // frees the face too

    for (char sitting : { 'H', 'x', 'A', '1' })
        EXPECT_EQ(lowestInkRow(font.glyphs[sitting]), ascent - 1) << sitting;
    for (char hanging : { 'g', 'p', 'y' })
        EXPECT_GT(lowestInkRow(font.glyphs[hanging]), ascent) << hanging;
}

TEST(FreeTypeImport, RefusesWhatItCannotUseAndLeavesTheFontAsItWas)
{
    FreeTypeFontFileReader reader;
    expectRefusalsLeaveTheFont(reader, DejaVuSans);
}

} // namespace
} // namespace glyphsmith
