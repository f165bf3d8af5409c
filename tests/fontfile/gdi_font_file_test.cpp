// Fonts imported through GDI under Wine: a TrueType and a .fon font against
// what the Linux build makes of them, a small .fnt written here, and files
// refused.

#include "fontfile/gdi_font_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>

#include "fontfile/font_file_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

// Debian's DejaVu Sans and Wine's MS Sans Serif (a .fon of three sizes), on
// Wine's drive for this machine's files.
const std::string DejaVuSans = "Z:/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string SansSerifFon = "Z:/usr/share/wine/fonts/sserife.fon";

// What the Linux build's FreeType import saved of a font file: `name` is
// "dejavu13.wfn" (13 pixels, where GDI's own rounding of the line would lose
// two rows) or "sserife16.wfn" in the folder the Wine run names. Null when
// the folder is not named.
std::unique_ptr<BitmapFont> freeTypeReference(const std::string& name)
{
    const char* folder = std::getenv("GLYPHSMITH_FREETYPE_REFERENCES");
    if (!folder)
        return nullptr;
    auto font = std::make_unique<BitmapFont>();
    EXPECT_TRUE(font->readWfn(std::string(folder) + "/" + name).ok()) << name;
    return font;
}

TEST(GdiImport, GivesOutlineGlyphsTheLinuxBuildsLineAndAdvancesWithInkOnTheBaseline)
{
    std::unique_ptr<BitmapFont> expected = freeTypeReference("dejavu13.wfn");
    if (!expected)
        GTEST_SKIP() << "GLYPHSMITH_FREETYPE_REFERENCES names no fonts made by the Linux build";
    GdiFontFileReader reader;
    auto font = std::make_unique<BitmapFont>();
    const FontFileImport import = importFontFile(*font, reader, { DejaVuSans, 13, asciiCharacters() });
    ASSERT_TRUE(import.result.ok()) << describe(import.result);
    EXPECT_TRUE(import.missing.empty());
    EXPECT_EQ(font->lineHeight, expected->glyphs['H'].height);
    for (int code = ' '; code < 127; ++code)
        EXPECT_NEAR(font->glyphs[code].width, expected->glyphs[code].width, 1) << code;
    for (char sitting : { 'H', 'x', 'A', '1' })
        EXPECT_EQ(lowestInkRow(font->glyphs[sitting]), lowestInkRow(expected->glyphs[sitting])) << sitting;
}

TEST(GdiImport, ChoosesTheSameSizeOfAFonAndDrawsItsPixelsAsStored)
{
    std::unique_ptr<BitmapFont> expected = freeTypeReference("sserife16.wfn");
    if (!expected)
        GTEST_SKIP() << "GLYPHSMITH_FREETYPE_REFERENCES names no fonts made by the Linux build";
    GdiFontFileReader reader;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(importFontFile(*font, reader, { SansSerifFon, 16, asciiCharacters() }).result.ok());
    for (int code = 0; code < GlyphCount; ++code)
        EXPECT_EQ(picture(font->glyphs[code]), picture(expected->glyphs[code])) << code;
}

TEST(GdiImport, DrawsAWindowsFontsPixelsAsStoredThroughItsCodePage)
{
    TestFolder folder;
    GdiFontFileReader reader;
    expectCyrillicFntThroughItsCodePage(reader, folder);

    FileResult opened;
    std::unique_ptr<FontFace> face = reader.openFace(folder.path("cyrillic.fnt"), 0, opened);
    ASSERT_TRUE(face) << describe(opened);
    const FontFileInfo info = face->info();
    EXPECT_EQ(std::tuple(info.family, info.format, info.kind, info.strikes),
        std::tuple(std::string("T"), std::string("Windows FNT"), FontFileKind::Bitmap, std::vector<int> { 4 }));
}

TEST(GdiImport, ChoosesTheNearestSizeOverEveryFaceOfAFon)
{
    TestFolder folder;
    GdiFontFileReader reader;
    expectNearestSizeOverEveryFaceOfAFon(reader, folder);
}

TEST(GdiImport, RefusesWhatItCannotUseAndLeavesTheFontAsItWas)
{
    GdiFontFileReader reader;
    expectRefusalsLeaveTheFont(reader, DejaVuSans);
}

} // namespace
} // namespace glyphsmith
