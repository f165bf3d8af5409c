#pragma once

// What the tests of both font-file readers (FreeType on Linux, GDI on
// Windows) share: a small Windows font made in code, and glyphs as text.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <memory>
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

inline void putLittleEndian(std::vector<std::uint8_t>& bytes, std::size_t at, unsigned value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A Windows .fnt (version 2) in the ANSI character set holding only "A",
// `width` (at most 8) wide, one byte of `rows` a row; the font is as high as
// the rows, all of it above the baseline, and its nominal size (points at 72
// dots an inch) is that height in pixels.
inline std::vector<std::uint8_t> letterFnt(int width, const std::vector<std::uint8_t>& rows)
{
    const unsigned height = static_cast<unsigned>(rows.size());
    const unsigned bitmap = 150;
    const unsigned faceName = bitmap + height;
    std::vector<std::uint8_t> file(faceName + 2, 0);
    const std::pair<int, unsigned> fields[] = { { 0, 0x200 }, { 2, faceName + 2 }, { 68, height }, { 70, 72 },
        { 72, 72 }, { 74, height }, { 83, 400 }, { 88, height }, { 91, unsigned(width) }, { 93, unsigned(width) },
        { 99, 2 }, { 105, faceName }, { 113, bitmap }, { 118, unsigned(width) }, { 120, bitmap }, { 122, 1 },
        { 124, faceName } };
    for (auto [at, value] : fields)
        putLittleEndian(file, at, value, 2);
    file[95] = file[96] = 'A'; // first and last character
    std::copy(rows.begin(), rows.end(), file.begin() + bitmap);
    file[faceName] = 'L';
    return file;
}

// A .fon: a 16-bit (NE) program whose RT_FONT resources are `fonts`, in this
// order. The MZ header points at the NE header at 64, whose resource table
// follows at 128: the alignment shift (16-byte units), one type block of
// 12-byte entries (position and length in those units), the closing type 0,
// and an empty table of resident names.
inline std::vector<std::uint8_t> fonFile(const std::vector<std::vector<std::uint8_t>>& fonts)
{
    constexpr unsigned Shift = 4;
    constexpr unsigned Unit = 1u << Shift;
    constexpr unsigned NeHeader = 64;
    constexpr unsigned Table = 128;
    const unsigned tableSize = 2 + 8 + 12 * static_cast<unsigned>(fonts.size()) + 2;
    std::vector<std::uint8_t> file(Table + tableSize + 1, 0);
    file[0] = 'M';
    file[1] = 'Z';
    putLittleEndian(file, 0x3C, NeHeader, 4);
    file[NeHeader] = 'N';
    file[NeHeader + 1] = 'E';
    putLittleEndian(file, NeHeader + 0x24, Table - NeHeader, 2);
    putLittleEndian(file, NeHeader + 0x26, Table - NeHeader + tableSize, 2);
    putLittleEndian(file, Table, Shift, 2);
    putLittleEndian(file, Table + 2, 0x8008, 2); // RT_FONT
    putLittleEndian(file, Table + 4, static_cast<unsigned>(fonts.size()), 2);
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        file.resize((file.size() + Unit - 1) / Unit * Unit, 0);
        const std::size_t entry = Table + 10 + 12 * i;
        putLittleEndian(file, entry, static_cast<unsigned>(file.size() / Unit), 2);
        putLittleEndian(file, entry + 2, static_cast<unsigned>((fonts[i].size() + Unit - 1) / Unit), 2);
        putLittleEndian(file, entry + 6, 0x8001 + static_cast<unsigned>(i), 2); // resource id
        file.insert(file.end(), fonts[i].begin(), fonts[i].end());
    }
    file.resize((file.size() + Unit - 1) / Unit * Unit, 0);
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

// A .fon of three faces, 8, 12 and 4 pixels in that order, told apart by the
// width of their A, written into `folder`: every reader takes the face
// nearest the size asked, the first in the file of two as near, and the
// file's first without a size.
inline void expectNearestSizeOverEveryFaceOfAFon(FontFileReader& reader, const TestFolder& folder)
{
    folder.write("three.fon", fonFile({ letterFnt(5, std::vector<std::uint8_t>(8, 0xF8)),
                                  letterFnt(7, std::vector<std::uint8_t>(12, 0xFE)),
                                  letterFnt(3, std::vector<std::uint8_t>(4, 0xE0)) }));
    FileResult opened;
    const std::unique_ptr<FontFace> face = reader.openFace(folder.path("three.fon"), 8, opened);
    ASSERT_TRUE(face) << describe(opened);
    EXPECT_EQ(face->info().faces, 3);
    EXPECT_EQ(face->info().strikes, (std::vector<int> { 8, 12, 4 }));

    // The size asked, then the height and width of the face chosen.
    const int rows[][3] = { { 0, 8, 5 }, { 2, 4, 3 }, { 5, 4, 3 }, { 6, 8, 5 }, { 9, 8, 5 }, { 10, 8, 5 },
        { 11, 12, 7 }, { 40, 12, 7 } };
    for (const auto& [asked, height, width] : rows) {
        BitmapFont font;
        const FontFileImport import = importFontFile(font, reader, { folder.path("three.fon"), asked, { { 65, U'A' } } });
        ASSERT_TRUE(import.result.ok()) << asked << ": " << describe(import.result);
        EXPECT_EQ(font.lineHeight, height) << asked;
        EXPECT_EQ(font.glyphs['A'].width, width) << asked;
        EXPECT_TRUE(font.glyphs['A'].cell(width - 1, height - 1)) << asked;
    }
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
