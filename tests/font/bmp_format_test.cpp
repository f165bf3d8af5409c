#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "font/byte_stream.h"
#include "font_samples.h"
#include "recording_messages.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

struct Rgb {
    std::uint8_t blue, green, red;
};
constexpr Rgb White{ 255, 255, 255 };
constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb Grey{ 153, 153, 153 };

struct Picture {
    Picture(int width, int height, Rgb fill) : width(width), height(height), pixels(std::size_t(width) * height, fill) {}
    Rgb& at(int x, int y) { return pixels[std::size_t(y) * width + x]; }
    int width, height;
    std::vector<Rgb> pixels;
};

// The sheet an export of the font must give: visible cells on grey, on a
// picture `extraColumns` wider and `extraRows` taller, white there.
Picture sheetOf(const BitmapFont& font, int cellWidth, int cellHeight, int extraColumns = 0, int extraRows = 0)
{
    Picture sheet(16 * cellWidth + extraColumns, 8 * cellHeight + extraRows, White);
    for (int x = 0; x < 16 * cellWidth; ++x)
        for (int y = 0; y < 8 * cellHeight; ++y)
            sheet.at(x, extraRows + y) = Grey;
    for (int code = 0; code < GlyphCount; ++code) {
        const Glyph& glyph = font.glyphs[code];
        const int left = code % 16 * cellWidth;
        const int top = extraRows + code / 16 * cellHeight;
        for (int x = 0; x < glyph.width; ++x)
            for (int y = 0; y < glyph.height; ++y)
                sheet.at(left + x, top + y) = glyph.cell(x, y) ? White : Black;
    }
    return sheet;
}

// What an import of the font's sheet gives: the visible cells of each glyph
// of at least 1 x 1, and nothing else.
std::vector<Glyph> visibleParts(const BitmapFont& font)
{
    std::vector<Glyph> visible(font.glyphs.begin(), font.glyphs.end());
    for (Glyph& glyph : visible) {
        if (glyph.width == 0 || glyph.height == 0)
            glyph = Glyph{};
        for (int x = 0; x < MaxGlyphSize; ++x)
            for (int y = 0; y < MaxGlyphSize; ++y)
                glyph.cell(x, y) = glyph.cell(x, y) && x < glyph.width && y < glyph.height;
    }
    return visible;
}

// A 24-bit BMP of the picture written from first principles: padded rows,
// bottom-up unless asked otherwise.
std::vector<std::uint8_t> encode(const Picture& picture, bool topDown = false, std::uint32_t infoHeaderSize = 40,
                                 std::uint16_t bitsPerPixel = 24)
{
    const std::uint32_t rowBytes = (3 * picture.width + 3) / 4 * 4;
    const std::uint32_t imageSize = rowBytes * picture.height;
    const std::uint32_t offset = 14 + infoHeaderSize;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    for (std::uint32_t field : { offset + imageSize, 0u, offset, infoHeaderSize })
        out.u32le(field);
    out.i32le(picture.width);
    out.i32le(topDown ? -picture.height : picture.height);
    out.u16le(1);
    out.u16le(bitsPerPixel);
    for (std::uint32_t field : { 0u, imageSize, 3790u, 3780u, 0u, 0u })
        out.u32le(field);
    while (out.position() < offset)
        out.u8(0);
    for (int stored = 0; stored < picture.height; ++stored) {
        const int y = topDown ? stored : picture.height - 1 - stored;
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& pixel = picture.pixels[std::size_t(y) * picture.width + x];
            for (std::uint8_t byte : { pixel.blue, pixel.green, pixel.red })
                out.u8(byte);
        }
        for (std::uint32_t pad = 3 * picture.width; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.bytes();
}

std::vector<std::uint8_t> withU32(std::vector<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

// A glyph drawn as text rows, '#' for a set cell.
Glyph glyphOf(const std::vector<std::string>& rows)
{
    Glyph glyph;
    glyph.width = static_cast<int>(rows[0].size());
    glyph.height = static_cast<int>(rows.size());
    for (int x = 0; x < glyph.width; ++x)
        for (int y = 0; y < glyph.height; ++y)
            glyph.cell(x, y) = rows[y][x] == '#';
    return glyph;
}

// Imports a sheet over a font full of other glyphs; success shows no message.
std::unique_ptr<BitmapFont> imported(const std::vector<std::uint8_t>& bytes)
{
    TestFolder folder;
    folder.write("sheet.bmp", bytes);
    auto font = variedFont();
    RecordingMessages messages;
    EXPECT_TRUE(font->readBmp(folder.path("sheet.bmp"), messages).ok());
    EXPECT_TRUE(messages.shown.empty());
    return font;
}

void expectFont(const BitmapFont& font, const std::vector<Glyph>& expected)
{
    EXPECT_EQ(font.lineHeight, 0);
    for (int code = 0; code < GlyphCount; ++code)
        EXPECT_EQ(font.glyphs[code], expected[code]) << "character " << code;
}

TEST(BmpExport, MatchesASheetDrawnIndependently)
{
    // Cells of 66 x 42, so that a mix-up of width and height shows.
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs)
        glyph.height = std::min(glyph.height, 40);
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(font->writeBmpBytes(bytes).ok());
    EXPECT_EQ(bytes, encode(sheetOf(*font, 66, 42)));
}

TEST(BmpImport, ReadsTheBlueByteOfEachColumnDownToItsMarkerAndNoFurtherThan64)
{
    Picture picture(16 * 70, 8 * 70, Black);
    auto put = [&](int code, int x, int y, Rgb colour) { picture.at(code * 70 + x, y) = colour; };
    // Glyph 0: only the blue byte counts, 255 set, 0 clear, anything else a marker.
    put(0, 0, 0, { 255, 0, 0 });
    put(0, 1, 0, { 0, 200, 17 });
    put(0, 0, 1, { 255, 153, 153 });
    put(0, 1, 1, { 0, 255, 255 });
    put(0, 0, 2, { 200, 0, 0 }); // height 2
    put(0, 1, 2, { 1, 255, 255 });
    put(0, 2, 0, { 254, 255, 255 }); // width 2
    // Glyph 1: a marker on top of column 4 gives width 4; markers lower in
    // columns 0 and 2 give heights 6 and then 3, the last one counting.
    put(1, 4, 0, Grey);
    put(1, 0, 6, Grey);
    put(1, 2, 3, Grey);
    put(1, 0, 2, White);
    put(1, 0, 8, White); // below the marker of its column: not read
    put(1, 6, 0, White); // right of the width marker: not read
    // Glyph 2: a marker at the top left makes it 0 x 0 whatever follows.
    put(2, 0, 0, Grey);
    put(2, 0, 1, White);
    // Glyph 3 has no marker: its cells are read but it stays 0 x 0.
    put(3, 1, 1, White);
    // Glyphs 4 and 5 fill their 70 x 70 cells: one colour inside 64 x 64, one
    // in the two columns and rows after it, one from column and row 66 on.
    auto paintCell = [&](int code, Rgb inside, Rgb edge, Rgb beyond) {
        for (int x = 0; x < 70; ++x)
            for (int y = 0; y < 70; ++y)
                put(code, x, y, x < 64 && y < 64 ? inside : x < 66 && y < 66 ? edge : beyond);
    };
    paintCell(4, White, Grey, Grey);  // markers at column 64 and row 64: a 64 x 64 glyph
    paintCell(5, Black, White, Grey); // the white at 64 and 65 must not spill into other cells, and
                                      // markers from 66 on lie beyond any glyph: not read

    std::vector<Glyph> expected(GlyphCount);
    expected[0] = glyphOf({ "#.", "#." });
    expected[1] = glyphOf({ "....", "....", "#..." });
    expected[3].cell(1, 1) = 1;
    expected[4] = glyphOf(std::vector<std::string>(64, std::string(64, '#')));
    expectFont(*imported(encode(picture)), expected);
}

TEST(BmpImport, RejectsBrokenFilesAndOtherDepthsLeavingTheFontUntouched)
{
    const auto sheet = encode(Picture(16 * 9, 8 * 9, Grey));
    const auto topDown = encode(Picture(16 * 9, 8 * 9 + 3, Grey), true);
    auto depth = [](std::uint16_t bits) { return encode(Picture(16, 8, Grey), false, 40, bits); };
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        FileError error;
    };
    const Case cases[] = {
        { "empty file", {}, FileError::BadSignature },
        { "B then not M", withU32(sheet, 0, 'B' | 'A' << 8), FileError::BadSignature },
        { "ends inside the bits field", cut(sheet, 29), FileError::EndsInsideHeader },
        { "8 bits", depth(8), FileError::None },
        { "32 bits", depth(32), FileError::None },
        { "pixel offset past the end", withU32(sheet, 10, std::uint32_t(sheet.size() + 1)), FileError::BadPixelOffset },
        { "pixel offset far away", withU32(sheet, 10, 0xffffffff), FileError::BadPixelOffset },
        { "pixels start at the end", withU32(sheet, 10, std::uint32_t(sheet.size())), FileError::PixelDataTooShort },
        { "one byte short", cut(sheet, sheet.size() - 1), FileError::PixelDataTooShort },
        { "top-down one byte short", cut(topDown, topDown.size() - 1), FileError::PixelDataTooShort },
        { "huge width", withU32(sheet, 18, 0x7fffffff), FileError::PixelDataTooShort },
        { "huge height", withU32(sheet, 22, 0x7fffffff), FileError::PixelDataTooShort },
        { "most negative height", withU32(sheet, 22, 0x80000000), FileError::PixelDataTooShort },
    };
    TestFolder folder;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        folder.write("sheet.bmp", test.bytes);
        auto font = variedFont();
        const auto before = std::make_unique<BitmapFont>(*font);
        RecordingMessages messages;
        const FileResult result = font->readBmp(folder.path("sheet.bmp"), messages);
        const bool refusal = test.error == FileError::None; // declined with a message
        EXPECT_EQ(result.outcome, refusal ? FileOutcome::Refused : FileOutcome::Failed);
        EXPECT_EQ(result.error, test.error);
        EXPECT_TRUE(*font == *before);
        EXPECT_EQ(messages.shown, refusal ? std::vector{ okBox("Only 24-bit bitmaps are supported.") }
                                          : std::vector<ShownMessage>{});
    }
    RecordingMessages messages;
    EXPECT_EQ(variedFont()->readBmp(folder.path("missing.bmp"), messages).error, FileError::CannotOpen);
}

TEST(BmpImport, ReadsTheVisiblePartOfEveryGlyphWhateverTheLayoutOfTheFile)
{
    struct Layout {
        int extraColumns = 0; // 1 to 3 bytes of row padding
        int extraRows = 0;    // rows above the grid, not read
        bool topDown = false;
        std::uint32_t infoHeaderSize = 40;
        std::int64_t sizeField = -1; // the file size field is not trusted; -1 leaves it right
    };
    const Layout layouts[] = {
        { .sizeField = 0 }, { .sizeField = 0xffffffff },
        { .extraColumns = 1 }, { .extraColumns = 2 }, { .extraColumns = 3 },
        { .extraRows = 3 }, { .extraRows = 7 },
        { .topDown = true }, { .extraRows = 3, .topDown = true }, { .extraRows = 7, .topDown = true },
        { .infoHeaderSize = 108 }, { .infoHeaderSize = 124 },
    };
    auto font = variedFont(); // sizes 0 to 64, cells set everywhere
    font->glyphs[7].height = 0; // n x 0 and 0 x n come back 0 x 0
    font->glyphs[8].width = 0;
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << "layout " << &layout - layouts);
        const Picture sheet = sheetOf(*font, 66, 66, layout.extraColumns, layout.extraRows);
        auto bytes = encode(sheet, layout.topDown, layout.infoHeaderSize);
        if (layout.sizeField >= 0)
            bytes = withU32(bytes, 2, std::uint32_t(layout.sizeField));
        expectFont(*imported(bytes), visibleParts(*font));
    }
}

TEST(BmpImport, PicturesTooSmallForACellGiveAnEmptyFont)
{
    for (auto [width, height] : { std::pair{ 15, 8 }, { 16, 7 }, { 16, -7 }, { 0, 0 }, { -16, 8 } }) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        auto bytes = encode(Picture(std::max(width, 0), std::abs(height), White));
        bytes = withU32(withU32(bytes, 18, std::uint32_t(width)), 22, std::uint32_t(height));
        expectFont(*imported(bytes), std::vector<Glyph>(GlyphCount));
    }
}

// The fixture was drawn as a PPM and saved by ImageMagick with a 124-byte
// info header; see tests/data/README.md.
TEST(BmpImport, ReadsTheSheetSavedByImageMagick)
{
    std::vector<Glyph> expected(GlyphCount);
    expected['A'] = glyphOf({ "..#..", ".#.#.", "#...#", "#####", "#...#", "#...#" });
    expected['!'] = glyphOf({ "#", "#", "#", "#", ".", "#" });
    std::ifstream file(GLYPHSMITH_TEST_DATA "/imagemagick_sheet.bmp", std::ios::binary);
    expectFont(*imported({ std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() }), expected);
}

} // namespace
} // namespace glyphsmith
