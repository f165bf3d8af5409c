#pragma once

// Fonts, byte helpers and shared checks for the tests of the AGS and SCI font
// files. The two formats differ in layout but promise the same things about
// refused files, refused writes and round trips; those checks live here once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "font/bitmap_font.h"
#include "font/row_packing.h"
#include "test_folder.h"

namespace glyphsmith {

inline void append(std::vector<std::uint8_t>& bytes, std::initializer_list<int> values)
{
    bytes.insert(bytes.end(), values.begin(), values.end());
}

inline std::vector<std::uint8_t> bytesOf(std::initializer_list<int> values) { return { values.begin(), values.end() }; }

inline void appendU16(std::vector<std::uint8_t>& bytes, unsigned value) { append(bytes, { int(value & 0xff), int(value >> 8) }); }

// Copies of `bytes` with one byte or one 16-bit value changed, or cut short.
inline std::vector<std::uint8_t> withByte(std::vector<std::uint8_t> bytes, std::size_t position, int value)
{
    bytes.at(position) = static_cast<std::uint8_t>(value);
    return bytes;
}

inline std::vector<std::uint8_t> withU16(std::vector<std::uint8_t> bytes, std::size_t position, unsigned value)
{
    return withByte(withByte(std::move(bytes), position, int(value & 0xff)), position + 1, int(value >> 8));
}

inline std::vector<std::uint8_t> cut(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

inline int u16At(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; }

// Every size from 0 to 64 appears as a width and as a height, and every cell of
// every glyph, hidden ones included, is set at random.
inline std::unique_ptr<BitmapFont> variedFont(unsigned seed = 1)
{
    auto font = std::make_unique<BitmapFont>();
    std::mt19937 random(seed);
    font->lineHeight = 20;
    for (int c = 0; c < GlyphCount; ++c) {
        Glyph& glyph = font->glyphs[c];
        glyph.width = (c * 7) % (MaxGlyphSize + 1);
        glyph.height = (c * 11) % (MaxGlyphSize + 1);
        for (std::uint64_t& column : glyph.pixels)
            column = (std::uint64_t{ random() } << 32) | random();
    }
    return font;
}

// The glyph as a file keeps it: its size and the cells of the stored rows up
// to the end of each row's last byte; every other cell clear.
inline Glyph storedPart(const Glyph& glyph)
{
    Glyph kept;
    kept.width = glyph.width;
    kept.height = glyph.height;
    for (int x = 0; x < 8 * rowBytes(glyph.width); ++x)
        for (int y = 0; y < glyph.height; ++y)
            kept.cell(x, y) = glyph.cell(x, y) & 1;
    return kept;
}

// A glyph of this size whose stored rows are `rows`.
inline Glyph glyphOf(int width, int height, const std::vector<std::uint8_t>& rows)
{
    Glyph glyph;
    glyph.width = width;
    glyph.height = height;
    unpackRows(rows, width, height, glyph);
    return glyph;
}

// A cleared font whose glyph 0 is 10 x 2 with cells (0, 0) and (9, 1) set.
inline std::unique_ptr<BitmapFont> tenByTwoFont()
{
    auto font = std::make_unique<BitmapFont>();
    font->clear();
    font->glyphs[0] = glyphOf(10, 2, { 0, 0, 0, 0 });
    font->glyphs[0].cell(0, 0) = font->glyphs[0].cell(9, 1) = 1;
    return font;
}

struct FontFormat {
    const char* file; // a name for test files of this format
    FileResult (BitmapFont::*read)(const std::string&);
    FileResult (BitmapFont::*write)(const std::string&) const;
};
inline constexpr FontFormat Wfn{ "font.wfn", &BitmapFont::readWfn, &BitmapFont::writeWfn };
inline constexpr FontFormat Sci{ "font.000", &BitmapFont::readSci, &BitmapFont::writeSci };

// Reads start from this font, full of cells, so a cell the reader forgets to
// set, or a font a refused read touches, shows.
inline std::unique_ptr<BitmapFont> fontBeforeReading() { return variedFont(2); }

struct ReadBack {
    std::unique_ptr<BitmapFont> font;
    FileResult result;
};

inline ReadBack readBytes(const FontFormat& format, const std::vector<std::uint8_t>& bytes)
{
    TestFolder folder;
    folder.write(format.file, bytes);
    ReadBack back{ fontBeforeReading(), {} };
    back.result = (back.font.get()->*format.read)(folder.path(format.file));
    return back;
}

inline std::vector<std::uint8_t> writtenBytes(const FontFormat& format, const BitmapFont& font)
{
    TestFolder folder;
    EXPECT_TRUE((font.*format.write)(folder.path(format.file)).ok());
    return folder.read(format.file);
}

// Writes `font`, reads it back and checks every glyph returns as the file
// keeps it. Returns the line height read back.
inline int roundTrip(const FontFormat& format, const BitmapFont& font)
{
    const ReadBack back = readBytes(format, writtenBytes(format, font));
    EXPECT_TRUE(back.result.ok());
    const auto changed = std::ranges::mismatch(back.font->glyphs, font.glyphs, {}, {}, storedPart).in1;
    EXPECT_EQ(changed - back.font->glyphs.begin(), GlyphCount) << "the first character that came back changed";
    return back.font->lineHeight;
}

// The start-state font is written as `file`, and reading `file` gives 128
// clear 1 x 1 glyphs and `lineHeight`.
inline void expectStartStateFile(const FontFormat& format, const std::vector<std::uint8_t>& file, int lineHeight)
{
    EXPECT_EQ(writtenBytes(format, *std::make_unique<BitmapFont>()), file);
    const ReadBack back = readBytes(format, file);
    EXPECT_TRUE(back.result.ok());
    EXPECT_EQ(back.font->lineHeight, lineHeight);
    EXPECT_EQ(std::ranges::count(back.font->glyphs, glyphOf(1, 1, { 0 })), GlyphCount);
}

struct BadFile {
    const char* name;
    std::vector<std::uint8_t> bytes;
    FileError error;
    int character;
};

// Each file, and a missing one, is refused for its reason and leaves the font
// exactly as it was.
inline void expectReadsRefused(const FontFormat& format, const std::vector<BadFile>& files)
{
    const auto before = fontBeforeReading();
    for (const BadFile& bad : files) {
        SCOPED_TRACE(bad.name);
        const ReadBack back = readBytes(format, bad.bytes);
        EXPECT_EQ(back.result.outcome, FileOutcome::Failed);
        EXPECT_EQ(back.result.error, bad.error);
        EXPECT_EQ(back.result.character, bad.character);
        EXPECT_TRUE(*back.font == *before);
    }
    TestFolder folder;
    auto font = fontBeforeReading();
    EXPECT_EQ((font.get()->*format.read)(folder.path("absent")).error, FileError::CannotOpen);
    EXPECT_TRUE(*font == *before);
}

// Writing `font` fails for `error`: an existing file keeps its bytes and no
// new file is made.
inline void expectWriteRefused(const FontFormat& format, const BitmapFont& font, FileError error, int character = -1)
{
    TestFolder folder;
    folder.write("old", bytesOf({ 1, 2, 3 }));
    for (const char* name : { "old", "new" }) {
        const FileResult result = (font.*format.write)(folder.path(name));
        EXPECT_EQ(result.error, error) << name;
        EXPECT_EQ(result.character, character) << name;
    }
    EXPECT_EQ(folder.read("old"), bytesOf({ 1, 2, 3 }));
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "old" });
}

// 128 glyphs of 64 x 64 never fit a format's 16-bit offsets, a glyph wider
// than 64 cannot be stored, and a file that cannot be made is reported.
inline void expectUnwritableFontsRefused(const FontFormat& format)
{
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs)
        glyph.width = glyph.height = MaxGlyphSize;
    expectWriteRefused(format, *font, FileError::FontTooLarge);
    font->glyphs[9].width = MaxGlyphSize + 1;
    expectWriteRefused(format, *font, FileError::GlyphTooLarge, 9);
    TestFolder folder;
    font = std::make_unique<BitmapFont>();
    EXPECT_EQ((font.get()->*format.write)(folder.path("missing/f")).error, FileError::CannotWrite);
}

} // namespace glyphsmith
