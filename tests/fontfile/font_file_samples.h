#pragma once

// What the tests of both font-file readers (FreeType on Linux, GDI on
// Windows) share: a small Windows font made in code, and glyphs as text.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "font/bitmap_font.h"
#include "font/font_file_import.h"
#include "test_folder.h"

namespace glyphsmith {

inline std::vector<std::string> picture(const Glyph& glyph)
{
    std::vector<std::string> rows;
    for (int y = 0; y < glyph.height; ++y) {
        rows.emplace_back();
        for (int x = 0; x < glyph.width; ++x)
            rows.back() += glyph.cell(x, y) ? '#' : '.';
    }
    return rows;
}

// The lowest row of the glyph with ink, -1 for none.
inline int lowestInkRow(const Glyph& glyph)
{
    int lowest = -1;
    for (int y = 0; y < MaxGlyphSize; ++y)
        for (int x = 0; x < glyph.width; ++x)
            if (glyph.cell(x, y))
                lowest = y;
    return lowest;
}

// A Windows .fnt (version 2), code page 1251, with byte 0xC0 (Cyrillic A) only: 3 x 4,
// ascent 3. FreeType reads a header of 148 bytes whatever the version: the bitmap follows.
inline std::vector<std::uint8_t> cyrillicFnt()
{
    std::vector<std::uint8_t> file(160, 0);
    // Version, file size, points, resolutions, ascent, weight, pixel height,
    // average and largest width, bytes per strike row, face name, bitmaps,
    // then the table: width 3 at 150, and the closing entry.
    const std::pair<int, unsigned> fields[] = { { 0, 0x200 }, { 2, 160 }, { 68, 3 }, { 70, 96 }, { 72, 96 },
        { 74, 3 }, { 83, 400 }, { 88, 4 }, { 91, 3 }, { 93, 3 }, { 99, 2 }, { 105, 154 }, { 113, 150 },
        { 118, 3 }, { 120, 150 }, { 122, 1 }, { 124, 154 } };
    for (auto [at, value] : fields) {
        file[at] = value & 0xFF;
        file[at + 1] = value >> 8;
    }
    file[85] = 204;                   // character set: code page 1251
    file[95] = file[96] = 0xC0;       // first and last character
    file[154] = 'T';
    const std::uint8_t rows[] = { 0x40, 0xA0, 0xE0, 0xA0 }; // .#. #.# ### #.#
    std::copy(std::begin(rows), std::end(rows), file.begin() + 150);
    return file;
}

// The .fnt of cyrillicFnt(), written into `folder`, read through its code
// page: its A (byte 192) lands at U+0410 pixel for pixel, and the Latin A it
// lacks is listed as missing.
inline void expectCyrillicFntThroughItsCodePage(FontFileReader& reader, const TestFolder& folder)
{
    folder.write("cyrillic.fnt", cyrillicFnt());
    BitmapFont font;
    const FontFileImport import
        = importFontFile(font, reader, { folder.path("cyrillic.fnt"), 4, { { 65, U'A' }, { 192, U'\u0410' } } });
    ASSERT_TRUE(import.result.ok()) << describe(import.result);
    EXPECT_EQ(font.lineHeight, 4);
    EXPECT_EQ(picture(font.glyphs[192]), (std::vector<std::string> { ".#.", "#.#", "###", "#.#" }));
    EXPECT_EQ(import.missing, (std::vector<CharacterMapping> { { 65, U'A' } }));
}

// What every reader refuses, each with its reason, leaving the font as it
// was: a file that is no font, a missing file, and `outlineFont` at a size
// whose line would be too high for a glyph.
inline void expectRefusalsLeaveTheFont(FontFileReader& reader, const std::string& outlineFont)
{
    TestFolder folder;
    folder.write("notes.ttf", { 'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't' });
    const std::tuple<std::string, int, FileError> rows[] = {
        { folder.path("notes.ttf"), 16, FileError::UnknownFontFormat },
        { folder.path("absent.ttf"), 16, FileError::CannotOpen },
        { outlineFont, 60, FileError::LineTooHigh },
    };
    for (const auto& [path, size, error] : rows) {
        BitmapFont font;
        font.glyphs[65].width = 3;
        const BitmapFont before = font;
        EXPECT_EQ(importFontFile(font, reader, { path, size, asciiCharacters() }).result.error, error) << path;
        EXPECT_TRUE(font == before) << path;
    }
}

} // namespace glyphsmith
