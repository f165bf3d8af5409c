#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <memory>
#include <string>
#include <vector>

#include "font/byte_stream.h"
#include "platform/message_boxes.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

struct Shown {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class RecordingMessageBoxes : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override
    {
        shown.push_back({ std::string(text), std::string(caption), buttons });
        return MessageResult::Ok;
    }
    std::vector<Shown> shown;
};

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

// Draws the visible part of a glyph at the top left of its cell, as a sheet shows it.
void drawGlyph(Picture& picture, int code, int cellWidth, int cellHeight, const Glyph& glyph)
{
    for (int x = 0; x < glyph.width; ++x)
        for (int y = 0; y < glyph.height; ++y)
            picture.at(code % 16 * cellWidth + x, code / 16 * cellHeight + y) = glyph.cell(x, y) ? White : Black;
}

struct Encoding {
    bool topDown = false;
    std::uint32_t infoHeaderSize = 40;
    std::uint16_t bitsPerPixel = 24;
};

// A 24-bit BMP of the picture written from first principles: padded rows,
// bottom-up unless asked otherwise.
std::vector<std::uint8_t> encode(const Picture& picture, Encoding encoding = {})
{
    const std::uint32_t rowBytes = (3 * picture.width + 3) / 4 * 4;
    const std::uint32_t imageSize = rowBytes * picture.height;
    const std::uint32_t offset = 14 + encoding.infoHeaderSize;
    ByteWriter out;
    out.u8('B');
    out.u8('M');
    for (std::uint32_t field : { offset + imageSize, 0u, offset, encoding.infoHeaderSize })
        out.u32le(field);
    out.i32le(picture.width);
    out.i32le(encoding.topDown ? -picture.height : picture.height);
    out.u16le(1);
    out.u16le(encoding.bitsPerPixel);
    for (std::uint32_t field : { 0u, imageSize, 3790u, 3780u, 0u, 0u })
        out.u32le(field);
    while (out.position() < offset)
        out.u8(0);
    for (int stored = 0; stored < picture.height; ++stored) {
        const int y = encoding.topDown ? stored : picture.height - 1 - stored;
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& pixel = picture.pixels[std::size_t(y) * picture.width + x];
            out.u8(pixel.blue);
            out.u8(pixel.green);
            out.u8(pixel.red);
        }
        for (std::uint32_t pad = 3 * picture.width; pad < rowBytes; ++pad)
            out.u8(0);
    }
    return out.bytes();
}

// Glyph sizes spread over 1..64 (one 64 x 64) with cells set inside and
// outside the visible area.
std::unique_ptr<BitmapFont> patternedFont()
{
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 12;
    for (int code = 0; code < GlyphCount; ++code) {
        Glyph& glyph = font->glyphs[code];
        glyph.width = 1 + code * 7 % 64;
        glyph.height = 1 + code * 11 % 64;
        for (int i = 0; i < GlyphCellCount; ++i)
            glyph.pixels[i] = (i * 5 + code) % 3 == 0 ? 1 : 0;
    }
    font->glyphs[127].width = 64;
    font->glyphs[127].height = 64;
    return font;
}

// What an import gives back for a glyph: its visible cells and nothing else.
Glyph visiblePart(const Glyph& glyph)
{
    Glyph result;
    if (glyph.width < 1 || glyph.height < 1)
        return result;
    result.width = glyph.width;
    result.height = glyph.height;
    for (int x = 0; x < glyph.width; ++x)
        for (int y = 0; y < glyph.height; ++y)
            result.cell(x, y) = glyph.cell(x, y);
    return result;
}

std::uint32_t u32At(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    ByteReader reader(bytes);
    reader.seek(offset);
    return reader.u32le();
}

FileResult importBytes(const std::vector<std::uint8_t>& bytes, BitmapFont& font, RecordingMessageBoxes& messages)
{
    TestFolder folder;
    folder.write("sheet.bmp", bytes);
    return font.readBmp(folder.path("sheet.bmp"), messages);
}

void expectFont(const BitmapFont& font, const std::vector<Glyph>& expected)
{
    EXPECT_EQ(font.lineHeight, 0);
    for (int code = 0; code < GlyphCount; ++code)
        EXPECT_EQ(font.glyphs[code], expected[code]) << "character " << code;
}

TEST(BmpExport, WritesTheHeaderOfAnEightByEightGrid)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->glyphs[65].width = 6;
    font->glyphs[65].height = 6;
    font->glyphs[65].cell(0, 0) = 1;
    ASSERT_TRUE(font->writeBmp(folder.path("a.bmp")).ok());
    const auto bytes = folder.read("a.bmp");
    ASSERT_EQ(bytes.size(), 24630u);
    const std::vector<std::uint8_t> header = {
        'B', 'M', 0x36, 0x60, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, // file size 24630, pixels at 54
        40, 0, 0, 0, 128, 0, 0, 0, 64, 0, 0, 0, 1, 0, 24, 0, // 128 x 64, 1 plane, 24 bits
        0, 0, 0, 0, 0x00, 0x60, 0, 0,                        // no compression, 24576 bytes
        0xce, 0x0e, 0, 0, 0xc4, 0x0e, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 54), header);
    // Glyph 65 sits at (8, 32), in stored row 63 - 32; glyph 0 at (0, 0), in the last stored row.
    auto blueAt = [&](int x, int y) { return bytes[54 + 3 * ((63 - y) * 128 + x)]; };
    EXPECT_EQ(blueAt(8, 32), 255);
    EXPECT_EQ(blueAt(9, 32), 0);
    EXPECT_EQ(blueAt(14, 32), 153);
    EXPECT_EQ(blueAt(8, 38), 153);
    EXPECT_EQ(blueAt(0, 0), 0);
    EXPECT_EQ(blueAt(1, 0), 153);
}

TEST(BmpExport, SizesTheCellsFromTheWidestAndTallestGlyph)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->glyphs[3].width = 10;
    font->glyphs[90].height = 12;
    ASSERT_TRUE(font->writeBmp(folder.path("a.bmp")).ok());
    const auto bytes = folder.read("a.bmp");
    EXPECT_EQ(bytes.size(), 64566u);
    EXPECT_EQ(u32At(bytes, 2), 64566u);
    EXPECT_EQ(u32At(bytes, 18), 192u);
    EXPECT_EQ(u32At(bytes, 22), 112u);
    EXPECT_EQ(u32At(bytes, 34), 64512u);
    EXPECT_EQ(u32At(bytes, 38), 3790u);
    EXPECT_EQ(u32At(bytes, 42), 3780u);
}

TEST(BmpExport, MatchesASheetDrawnIndependently)
{
    TestFolder folder;
    auto font = patternedFont();
    ASSERT_TRUE(font->writeBmp(folder.path("a.bmp")).ok());
    Picture expected(16 * 66, 8 * 66, Grey);
    for (int code = 0; code < GlyphCount; ++code)
        drawGlyph(expected, code, 66, 66, font->glyphs[code]);
    EXPECT_EQ(folder.read("a.bmp"), encode(expected));
}

TEST(BmpExport, FailureLeavesWhatWasThereUntouched)
{
    TestFolder folder;
    auto font = patternedFont();
    // A name so long that no temporary file can be made beside it.
    const std::string longName = std::string(250, 'f') + ".bmp";
    const std::vector<std::uint8_t> old = { 'o', 'l', 'd' };
    folder.write(longName, old);
    std::filesystem::create_directory(folder.path("folder.bmp"));

    for (const std::string& name : { longName, std::string("folder.bmp") }) {
        const FileResult result = font->writeBmp(folder.path(name));
        EXPECT_EQ(result.outcome, FileOutcome::Failed);
        EXPECT_EQ(result.error, FileError::CannotWrite);
    }
    EXPECT_EQ(folder.read(longName), old);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path("folder.bmp")));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{ longName, "folder.bmp" }));
}

TEST(BmpRoundTrip, KeepsEveryGlyphOfAtLeastOneByOne)
{
    TestFolder folder;
    auto font = patternedFont();
    font->glyphs[7].height = 0; // 5 x 0
    font->glyphs[7].width = 5;
    font->glyphs[8].width = 0;
    ASSERT_TRUE(font->writeBmp(folder.path("a.bmp")).ok());
    EXPECT_EQ(u32At(folder.read("a.bmp"), 18), 1056u);

    auto read = std::make_unique<BitmapFont>();
    read->lineHeight = 9;
    RecordingMessageBoxes messages;
    ASSERT_TRUE(read->readBmp(folder.path("a.bmp"), messages).ok());
    std::vector<Glyph> expected;
    for (const Glyph& glyph : font->glyphs)
        expected.push_back(visiblePart(glyph));
    EXPECT_EQ(expected[127].width, 64);
    EXPECT_EQ(expected[7], Glyph{});
    expectFont(*read, expected);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(BmpImport, LooksOnlyAtTheBlueByte)
{
    Picture picture(128, 64, Grey);
    picture.at(0, 0) = { 255, 0, 0 };      // set
    picture.at(1, 0) = { 0, 200, 17 };     // clear
    picture.at(0, 1) = { 255, 153, 153 };  // set
    picture.at(1, 1) = { 0, 255, 255 };    // clear
    picture.at(0, 2) = { 200, 0, 0 };      // marker: height 2
    picture.at(1, 2) = { 1, 255, 255 };    // marker
    picture.at(2, 0) = { 254, 255, 255 };  // marker: width 2
    auto font = std::make_unique<BitmapFont>();
    RecordingMessageBoxes messages;
    ASSERT_TRUE(importBytes(encode(picture), *font, messages).ok());
    Glyph expected;
    expected.width = 2;
    expected.height = 2;
    expected.cell(0, 0) = 1;
    expected.cell(0, 1) = 1;
    EXPECT_EQ(font->glyphs[0], expected);
}

TEST(BmpImport, TakesWidthAndHeightFromTheMarkers)
{
    Picture picture(16 * 10, 8 * 10, Black);
    // Glyph 0: column 4 starts grey; the markers below the top of columns
    // 0 and 2 give heights 6 and then 3, the last one counting.
    for (int y = 0; y < 10; ++y)
        picture.at(4, y) = Grey;
    picture.at(0, 6) = Grey;
    picture.at(2, 3) = Grey;
    picture.at(0, 2) = White;
    picture.at(0, 8) = White; // below the marker of its column: not read
    picture.at(6, 0) = White; // right of the width marker: not read
    // Glyph 1: a grey top-left pixel makes it 0 x 0 whatever follows.
    picture.at(10, 0) = Grey;
    picture.at(10, 1) = White;
    // Glyph 2 has no marker: its cells are read but it stays 0 x 0.
    picture.at(21, 1) = White;
    auto font = std::make_unique<BitmapFont>();
    RecordingMessageBoxes messages;
    ASSERT_TRUE(importBytes(encode(picture), *font, messages).ok());

    std::vector<Glyph> expected(GlyphCount);
    expected[0].width = 4;
    expected[0].height = 3;
    expected[0].cell(0, 2) = 1;
    expected[2].cell(1, 1) = 1;
    expectFont(*font, expected);
}

TEST(BmpImport, RefusesOtherDepthsWithOneMessageAndNoChange)
{
    for (std::uint16_t bits : { 1, 8, 16, 32 }) {
        auto font = patternedFont();
        const auto before = std::make_unique<BitmapFont>(*font);
        RecordingMessageBoxes messages;
        Picture picture(16, 8, Grey);
        const FileResult result = importBytes(encode(picture, { .bitsPerPixel = bits }), *font, messages);
        EXPECT_EQ(result.outcome, FileOutcome::Refused) << bits;
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Only 24-bit bitmaps are supported.");
        EXPECT_EQ(messages.shown[0].caption, "");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_TRUE(*font == *before);
    }
}

std::vector<std::uint8_t> withU32(std::vector<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
}

std::vector<std::uint8_t> cut(std::vector<std::uint8_t> bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

TEST(BmpImport, RejectsBrokenFilesWithTheReasonAndNoChange)
{
    const auto sheet = encode(Picture(16 * 9, 8 * 9, Grey));
    const auto topDown = encode(Picture(16 * 9, 8 * 9 + 3, Grey), { .topDown = true });
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        FileError error;
    };
    const std::vector<Case> cases = {
        { "empty file", {}, FileError::BadSignature },
        { "one byte", { 'B' }, FileError::BadSignature },
        { "other signature", { 'G', 'I', 'F', '8', '9', 'a', 0, 0 }, FileError::BadSignature },
        { "ends after the signature", cut(sheet, 2), FileError::EndsInsideHeader },
        { "ends inside the bits field", cut(sheet, 29), FileError::EndsInsideHeader },
        { "pixel offset past the end", withU32(sheet, 10, std::uint32_t(sheet.size() + 1)), FileError::BadPixelOffset },
        { "pixel offset far away", withU32(sheet, 10, 0xffffffff), FileError::BadPixelOffset },
        { "one byte short", cut(sheet, sheet.size() - 1), FileError::PixelDataTooShort },
        { "top-down one byte short", cut(topDown, topDown.size() - 1), FileError::PixelDataTooShort },
        { "huge width", withU32(sheet, 18, 0x7fffffff), FileError::PixelDataTooShort },
        { "huge height", withU32(sheet, 22, 0x7fffffff), FileError::PixelDataTooShort },
        { "most negative height", withU32(sheet, 22, 0x80000000), FileError::PixelDataTooShort },
        { "pixels start at the end", withU32(sheet, 10, std::uint32_t(sheet.size())), FileError::PixelDataTooShort },
    };
    for (const Case& test : cases) {
        auto font = patternedFont();
        const auto before = std::make_unique<BitmapFont>(*font);
        RecordingMessageBoxes messages;
        const FileResult result = importBytes(test.bytes, *font, messages);
        EXPECT_EQ(result.outcome, FileOutcome::Failed) << test.name;
        EXPECT_EQ(result.error, test.error) << test.name;
        EXPECT_TRUE(*font == *before) << test.name;
        EXPECT_TRUE(messages.shown.empty()) << test.name;
    }

    auto font = patternedFont();
    RecordingMessageBoxes messages;
    TestFolder folder;
    EXPECT_EQ(font->readBmp(folder.path("missing.bmp"), messages).error, FileError::CannotOpen);
}

// A small font drawn in a sheet of 9 x 10 cells, with `extraColumns` and
// `extraRows` of white noise right of and above the grid.
struct DrawnSheet {
    Picture picture;
    std::vector<Glyph> glyphs;
};
DrawnSheet drawnSheet(int extraColumns, int extraRows)
{
    DrawnSheet sheet{ Picture(16 * 9 + extraColumns, 8 * 10 + extraRows, White), std::vector<Glyph>(GlyphCount) };
    Picture grid(16 * 9, 8 * 10, Grey);
    for (int code = 0; code < GlyphCount; ++code) {
        Glyph& glyph = sheet.glyphs[code];
        glyph.width = 1 + code % 7;
        glyph.height = 1 + code % 8;
        for (int x = 0; x < glyph.width; ++x)
            for (int y = 0; y < glyph.height; ++y)
                glyph.cell(x, y) = (x + y + code) % 2;
        drawGlyph(grid, code, 9, 10, glyph);
    }
    for (int x = 0; x < grid.width; ++x)
        for (int y = 0; y < grid.height; ++y)
            sheet.picture.at(x, y + extraRows) = grid.at(x, y);
    return sheet;
}

TEST(BmpImport, ReadsTheRealPixelsWhateverTheFileSizeFieldSays)
{
    const DrawnSheet sheet = drawnSheet(0, 0);
    for (std::uint32_t sizeField : { 0u, 54u, 1000u, 0xffffffffu }) {
        auto font = std::make_unique<BitmapFont>();
        RecordingMessageBoxes messages;
        ASSERT_TRUE(importBytes(withU32(encode(sheet.picture), 2, sizeField), *font, messages).ok()) << sizeField;
        expectFont(*font, sheet.glyphs);
    }
}

TEST(BmpImport, ReadsRowsPaddedToFourBytes)
{
    for (int extraColumns : { 1, 2, 3, 5, 15 }) {
        const DrawnSheet sheet = drawnSheet(extraColumns, 0);
        auto font = std::make_unique<BitmapFont>();
        RecordingMessageBoxes messages;
        ASSERT_TRUE(importBytes(encode(sheet.picture), *font, messages).ok());
        SCOPED_TRACE(extraColumns);
        expectFont(*font, sheet.glyphs);
    }
}

TEST(BmpImport, ReadsTopDownAndBottomUpSheetsAsTheSamePicture)
{
    // Rows above a grid whose height is not a multiple of 8 are not read.
    for (int extraRows : { 0, 3, 7 }) {
        for (bool topDown : { false, true }) {
            const DrawnSheet sheet = drawnSheet(0, extraRows);
            auto font = std::make_unique<BitmapFont>();
            RecordingMessageBoxes messages;
            ASSERT_TRUE(importBytes(encode(sheet.picture, { .topDown = topDown }), *font, messages).ok());
            SCOPED_TRACE(testing::Message() << extraRows << " extra rows, top-down " << topDown);
            expectFont(*font, sheet.glyphs);
        }
    }
}

TEST(BmpImport, ReadsLargerInfoHeadersTheSameWay)
{
    for (std::uint32_t infoSize : { 108u, 124u }) {
        const DrawnSheet sheet = drawnSheet(0, 0);
        auto font = std::make_unique<BitmapFont>();
        RecordingMessageBoxes messages;
        ASSERT_TRUE(importBytes(encode(sheet.picture, { .infoHeaderSize = infoSize }), *font, messages).ok());
        expectFont(*font, sheet.glyphs);
    }
}

TEST(BmpImport, PicturesTooSmallForACellGiveAnEmptyFont)
{
    for (auto [width, height] : { std::pair{ 15, 8 }, { 16, 7 }, { 16, -7 }, { 0, 0 }, { -16, 8 } }) {
        auto bytes = encode(Picture(std::max(width, 0), std::abs(height), White));
        bytes = withU32(withU32(bytes, 18, std::uint32_t(width)), 22, std::uint32_t(height));
        auto font = patternedFont();
        RecordingMessageBoxes messages;
        ASSERT_TRUE(importBytes(bytes, *font, messages).ok()) << width << " x " << height;
        expectFont(*font, std::vector<Glyph>(GlyphCount));
    }
}

TEST(BmpImport, CutsCellsLargerThan64At64)
{
    Picture picture(16 * 70, 8 * 70, Grey);
    auto paintCell = [&](int code, Rgb inside, Rgb beyond) {
        for (int x = 0; x < 70; ++x)
            for (int y = 0; y < 70; ++y)
                picture.at(code % 16 * 70 + x, code / 16 * 70 + y) = x < 64 && y < 64 ? inside : beyond;
    };
    // No marker: white beyond 64 must not spill into the next column's cells.
    paintCell(0, Black, White);
    // Markers at column 64 and row 64: a 64 x 64 glyph.
    paintCell(1, White, Grey);
    // Markers only from column and row 66: beyond any glyph, not read.
    paintCell(2, Black, White);
    for (int i = 0; i < 70; ++i) {
        picture.at(2 * 70 + 66, i) = Grey;
        picture.at(2 * 70 + i, 66) = Grey;
    }
    auto font = std::make_unique<BitmapFont>();
    RecordingMessageBoxes messages;
    ASSERT_TRUE(importBytes(encode(picture), *font, messages).ok());

    std::vector<Glyph> expected(GlyphCount);
    expected[1].width = 64;
    expected[1].height = 64;
    expected[1].pixels.fill(1);
    expectFont(*font, expected);
}

// Runs a shell command and returns its standard output, or nothing if it failed.
std::optional<std::string> run(const std::string& command)
{
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    std::string output;
    char buffer[256];
    while (std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, got);
    return ::pclose(pipe) == 0 ? std::optional(output) : std::nullopt;
}

std::vector<std::uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// Pixels of a binary PPM with 8-bit samples, as ImageMagick writes it.
std::optional<Picture> decodePpm(const std::vector<std::uint8_t>& bytes)
{
    std::string text(bytes.begin(), bytes.end());
    std::istringstream in(text);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    if (!in || magic != "P6" || maxValue != 255)
        return std::nullopt;
    const std::size_t start = static_cast<std::size_t>(in.tellg()) + 1;
    if (bytes.size() != start + 3 * std::size_t(width) * height)
        return std::nullopt;
    Picture picture(width, height, Black);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = { bytes[start + 3 * i + 2], bytes[start + 3 * i + 1], bytes[start + 3 * i] };
    return picture;
}

std::vector<std::uint8_t> encodePpm(const Picture& picture)
{
    const std::string header = "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    for (const Rgb& pixel : picture.pixels)
        bytes.insert(bytes.end(), { pixel.red, pixel.green, pixel.blue });
    return bytes;
}

bool samePixels(const Picture& a, const Picture& b)
{
    return a.width == b.width && a.height == b.height
        && std::equal(a.pixels.begin(), a.pixels.end(), b.pixels.begin(), [](const Rgb& p, const Rgb& q) {
               return p.blue == q.blue && p.green == q.green && p.red == q.red;
           });
}

class BmpWithImageMagick : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!run("command -v identify && command -v convert"))
            GTEST_SKIP() << "ImageMagick is not installed";
    }
    std::string quoted(const std::string& name) const { return "'" + folder.path(name) + "'"; }
    TestFolder folder;
};

TEST_F(BmpWithImageMagick, OpensAnExportedSheetAs24BitTrueColour)
{
    auto font = patternedFont();
    ASSERT_TRUE(font->writeBmp(folder.path("a.bmp")).ok());
    // %z is the depth of one channel; DirectClass means pixels, not a palette.
    const auto described = run("identify -format '%w %h %z %r' " + quoted("a.bmp"));
    ASSERT_TRUE(described);
    EXPECT_EQ(described->substr(0, 23), "1056 528 8 DirectClass ");

    // ImageMagick's own decoding of the pixels shows the font.
    ASSERT_TRUE(run("convert " + quoted("a.bmp") + " -depth 8 PPM:" + quoted("a.ppm")));
    Picture expected(1056, 528, Grey);
    for (int code = 0; code < GlyphCount; ++code)
        drawGlyph(expected, code, 66, 66, font->glyphs[code]);
    const auto decoded = decodePpm(readFile(folder.path("a.ppm")));
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(samePixels(*decoded, expected));
}

TEST_F(BmpWithImageMagick, ImportsASheetItSaved)
{
    for (const char* format : { "BMP", "BMP3" }) {
        const DrawnSheet sheet = drawnSheet(3, 5);
        folder.write("drawn.ppm", encodePpm(sheet.picture));
        ASSERT_TRUE(run("convert " + quoted("drawn.ppm") + " -type TrueColor " + format + ":" + quoted("sheet.bmp")));
        const auto bytes = folder.read("sheet.bmp");
        ASSERT_GE(bytes.size(), 30u);
        // ImageMagick writes a 124-byte info header for BMP, 40 bytes for BMP3.
        EXPECT_EQ(u32At(bytes, 14), std::string(format) == "BMP" ? 124u : 40u);
        EXPECT_EQ(bytes[28], 24);
        auto font = std::make_unique<BitmapFont>();
        RecordingMessageBoxes messages;
        ASSERT_TRUE(font->readBmp(folder.path("sheet.bmp"), messages).ok()) << format;
        SCOPED_TRACE(format);
        expectFont(*font, sheet.glyphs);
    }
}

// The fixture was drawn as a PPM and saved by ImageMagick; see tests/data/README.md.
TEST(BmpImport, ReadsTheSheetSavedByImageMagick)
{
    const auto bytes = readFile(GLYPHSMITH_TEST_DATA "/imagemagick_sheet.bmp");
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(u32At(bytes, 14), 124u);
    auto font = std::make_unique<BitmapFont>();
    RecordingMessageBoxes messages;
    ASSERT_TRUE(font->readBmp(GLYPHSMITH_TEST_DATA "/imagemagick_sheet.bmp", messages).ok());

    std::vector<Glyph> expected(GlyphCount);
    const char* letterA[] = { "..#..", ".#.#.", "#...#", "#####", "#...#", "#...#" };
    expected[65].width = 5;
    expected[65].height = 6;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x)
            expected[65].cell(x, y) = letterA[y][x] == '#';
    expected[33].width = 1;
    expected[33].height = 6;
    for (int y : { 0, 1, 2, 3, 5 })
        expected[33].cell(0, y) = 1;
    expectFont(*font, expected);
}

} // namespace
} // namespace glyphsmith
