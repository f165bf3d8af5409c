#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "font_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

// The start-state font as a file, worked out by hand: the 8-byte header, the
// table of positions minus 2, then 128 records of 01 01 00 from position 264.
std::vector<std::uint8_t> startStateFile()
{
    std::vector<std::uint8_t> bytes = bytesOf({ 0x87, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00 });
    for (int c = 0; c < GlyphCount; ++c)
        appendU16(bytes, 262 + 3 * c);
    for (int c = 0; c < GlyphCount; ++c)
        append(bytes, { 0x01, 0x01, 0x00 });
    return bytes;
}

// A file of `count` characters whose table entries all name one record of
// width 8, height 1 and the row 0x81.
std::vector<std::uint8_t> sharedRecordFile(int count, int lineHeight)
{
    std::vector<std::uint8_t> bytes = bytesOf({ 0x87, 0x00, 0x00, 0x00 });
    appendU16(bytes, count);
    appendU16(bytes, lineHeight);
    const std::size_t record = 8 + 2 * count;
    for (int c = 0; c < count; ++c)
        appendU16(bytes, record - 2);
    append(bytes, { 8, 1, 0x81 });
    return bytes;
}

Glyph sharedRecordGlyph()
{
    Glyph glyph;
    glyph.width = 8;
    glyph.height = 1;
    glyph.cell(0, 0) = 1;
    glyph.cell(7, 0) = 1;
    return glyph;
}

TEST(SciWrite, StartStateFontIsThe648ByteFile)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->writeSci(folder.path("font.000")).ok());
    const std::vector<std::uint8_t> written = folder.read("font.000");
    EXPECT_EQ(written.size(), 648u);
    EXPECT_EQ(written, startStateFile());
    EXPECT_EQ(written[8], 0x06);
    EXPECT_EQ(written[9], 0x01);
}

TEST(SciWrite, TenByTwoGlyphIsTheSixByteRecord)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->clear();
    Glyph& glyph = font->glyphs[0];
    glyph.width = 10;
    glyph.height = 2;
    glyph.cell(0, 0) = 1;
    glyph.cell(9, 1) = 1;
    ASSERT_TRUE(font->writeSci(folder.path("font.000")).ok());

    const std::vector<std::uint8_t> written = folder.read("font.000");
    ASSERT_EQ(written.size(), 264u + 6 + 127 * 2);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 264, written.begin() + 270),
        bytesOf({ 0x0A, 0x02, 0x80, 0x00, 0x00, 0x40 }));
    // Record 1 follows at 270, stored as 268.
    EXPECT_EQ(written[10] | written[11] << 8, 268);
}

TEST(SciRoundTrip, LineHeightIsWrittenAsItsLowSixteenBitsAndReadBackUnchanged)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 300;
    ASSERT_TRUE(font->writeSci(folder.path("a.0")).ok());
    const std::vector<std::uint8_t> written = folder.read("a.0");
    EXPECT_EQ(written[6], 0x2C);
    EXPECT_EQ(written[7], 0x01);
    font->lineHeight = 1;
    ASSERT_TRUE(font->readSci(folder.path("a.0")).ok());
    EXPECT_EQ(font->lineHeight, 300);

    font->lineHeight = 0x12345;
    ASSERT_TRUE(font->writeSci(folder.path("b.0")).ok());
    ASSERT_TRUE(font->readSci(folder.path("b.0")).ok());
    EXPECT_EQ(font->lineHeight, 0x2345);
}

TEST(SciRead, StartStateFileGivesOneByOneGlyphsAndLineHeightZero)
{
    TestFolder folder;
    folder.write("font.000", startStateFile());
    auto font = variedFont();
    ASSERT_TRUE(font->readSci(folder.path("font.000")).ok());
    EXPECT_EQ(font->lineHeight, 0);
    Glyph expected;
    expected.width = 1;
    expected.height = 1;
    for (const Glyph& glyph : font->glyphs)
        ASSERT_EQ(glyph, expected);
}

TEST(SciRoundTrip, KeepsEveryGlyphItsHiddenCellsAndTheLineHeight)
{
    TestFolder folder;
    auto font = variedFont(7);
    font->lineHeight = 5; // smaller than the tallest glyph: kept as it is
    ASSERT_TRUE(font->writeSci(folder.path("font.001")).ok());

    auto back = std::make_unique<BitmapFont>();
    ASSERT_TRUE(back->readSci(folder.path("font.001")).ok());
    EXPECT_EQ(back->lineHeight, 5);
    for (int c = 0; c < GlyphCount; ++c)
        ASSERT_EQ(back->glyphs[c], storedPart(font->glyphs[c])) << "character " << c;
}

TEST(SciRead, CountBelow128LeavesTheOtherGlyphsEmpty)
{
    TestFolder folder;
    for (int count : { 0, 3 }) {
        SCOPED_TRACE(count);
        folder.write("few.0", sharedRecordFile(count, 9));
        auto font = variedFont();
        const FileResult result = font->readSci(folder.path("few.0"));
        ASSERT_TRUE(result.ok());
        EXPECT_TRUE(result.warning.empty());
        EXPECT_EQ(font->lineHeight, 9);
        for (int c = 0; c < GlyphCount; ++c)
            ASSERT_EQ(font->glyphs[c], c < count ? sharedRecordGlyph() : Glyph{}) << "character " << c;
    }
}

TEST(SciRead, CountAbove128ReadsTheFirst128AndWarns)
{
    TestFolder folder;
    folder.write("many.0", sharedRecordFile(300, 4));
    auto font = std::make_unique<BitmapFont>();
    const FileResult result = font->readSci(folder.path("many.0"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.warning, "the file holds 300 characters; only the first 128 were read");
    for (const Glyph& glyph : font->glyphs)
        ASSERT_EQ(glyph, sharedRecordGlyph());

    folder.write("one-more.0", sharedRecordFile(129, 4));
    EXPECT_EQ(font->readSci(folder.path("one-more.0")).warning,
        "the file holds 129 characters; only the first 128 were read");
    folder.write("exact.0", sharedRecordFile(128, 4));
    EXPECT_EQ(font->readSci(folder.path("exact.0")).warning, "");
}

TEST(SciRead, FindsRecordsThroughTheTableInAnyOrderWithGaps)
{
    // Record of character 1 first, a gap, then the record of character 0;
    // the remaining entries all share character 1's record.
    std::vector<std::uint8_t> bytes = bytesOf({ 0x87, 0x00, 0x00, 0x00, 0x80, 0x00, 0x0C, 0x00 });
    bytes.resize(264);
    const std::size_t second = bytes.size();
    append(bytes, { 2, 3, 0x40, 0x80, 0x3F });
    append(bytes, { 0xEE, 0xEE });
    const std::size_t first = bytes.size();
    append(bytes, { 16, 1, 0x01, 0x80 });
    for (int c = 0; c < GlyphCount; ++c)
        setU16(bytes, 8 + 2 * c, (c == 0 ? first : second) - 2);

    TestFolder folder;
    folder.write("font.002", bytes);
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->readSci(folder.path("font.002")).ok());
    EXPECT_EQ(font->lineHeight, 12);

    Glyph zero;
    zero.width = 16;
    zero.height = 1;
    zero.cell(7, 0) = 1;
    zero.cell(8, 0) = 1;
    EXPECT_EQ(font->glyphs[0], zero);
    // Width 2, but the stored byte brings back all eight columns.
    Glyph other;
    other.width = 2;
    other.height = 3;
    other.cell(1, 0) = 1;
    other.cell(0, 1) = 1;
    for (int x = 2; x < 8; ++x)
        other.cell(x, 2) = 1;
    for (int c = 1; c < GlyphCount; ++c)
        ASSERT_EQ(font->glyphs[c], other) << "character " << c;
}

struct BadFile {
    const char* name;
    std::vector<std::uint8_t> bytes;
    FileError error;
    int character;
};

std::vector<BadFile> badFiles()
{
    const std::vector<std::uint8_t> good = startStateFile();
    auto changed = [&](auto change) {
        std::vector<std::uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    auto withCount = [](std::vector<std::uint8_t> bytes, int count) {
        setU16(bytes, 4, count);
        return bytes;
    };
    auto entryOf = [](int c) { return std::size_t(8 + 2 * c); };
    auto recordOf = [](int c) { return std::size_t(264 + 3 * c); };

    return {
        { "empty", {}, FileError::BadSignature, -1 },
        { "three bytes", bytesOf({ 0x87, 0x00, 0x00 }), FileError::BadSignature, -1 },
        { "third byte 01", changed([](auto& b) { b[2] = 0x01; }), FileError::BadSignature, -1 },
        { "first byte 86", changed([](auto& b) { b[0] = 0x86; }), FileError::BadSignature, -1 },
        { "header cut inside the line height", std::vector<std::uint8_t>(good.begin(), good.begin() + 7),
            FileError::EndsInsideHeader, -1 },
        { "table cut short", std::vector<std::uint8_t>(good.begin(), good.begin() + 263),
            FileError::TableOutsideFile, -1 },
        { "count larger than the table", withCount(sharedRecordFile(3, 0), 20), FileError::TableOutsideFile, -1 },
        { "entry at the end of the file", changed([&](auto& b) { setU16(b, entryOf(4), 648 - 2); }),
            FileError::RecordOutsideFile, 4 },
        { "entry far past the end", changed([&](auto& b) { setU16(b, entryOf(127), 0xFFFF); }),
            FileError::RecordOutsideFile, 127 },
        { "record size cut by the end", changed([&](auto& b) { setU16(b, entryOf(8), 647 - 2); }),
            FileError::EndsInsideRecord, 8 },
        { "rows run past the end", changed([&](auto& b) {
             b[recordOf(127)] = 64;
             b[recordOf(127) + 1] = 2;
         }),
            FileError::EndsInsideRecord, 127 },
        { "width 65", changed([&](auto& b) { b[recordOf(65)] = 65; }), FileError::GlyphTooLarge, 65 },
        { "height 255", changed([&](auto& b) { b[recordOf(2) + 1] = 255; }), FileError::GlyphTooLarge, 2 },
    };
}

TEST(SciRead, RefusesBrokenFilesAndLeavesTheFontUntouched)
{
    TestFolder folder;
    for (const BadFile& bad : badFiles()) {
        SCOPED_TRACE(bad.name);
        folder.write("bad.0", bad.bytes);
        auto font = variedFont(5);
        auto before = std::make_unique<BitmapFont>(*font);

        const FileResult result = font->readSci(folder.path("bad.0"));
        EXPECT_EQ(result.outcome, FileOutcome::Failed);
        EXPECT_EQ(result.error, bad.error);
        EXPECT_EQ(result.character, bad.character);
        EXPECT_TRUE(*font == *before);
    }
}

TEST(SciRead, MissingFileCannotBeOpenedAndLeavesTheFontUntouched)
{
    TestFolder folder;
    auto font = variedFont();
    auto before = std::make_unique<BitmapFont>(*font);
    EXPECT_EQ(font->readSci(folder.path("absent.0")).error, FileError::CannotOpen);
    EXPECT_TRUE(*font == *before);
}

TEST(SciWrite, LargestFontFitsAnd64By64IsRefusedWithoutTouchingTheFile)
{
    TestFolder folder;
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 64;
        glyph.height = 63;
    }
    ASSERT_TRUE(font->writeSci(folder.path("big.0")).ok());
    const std::vector<std::uint8_t> written = folder.read("big.0");
    // The last record begins at 264 + 127 * 506 = 64526, stored as 64524.
    EXPECT_EQ(written[8 + 254] | written[8 + 255] << 8, 64524);
    EXPECT_EQ(written.size(), 264u + 128 * 506);

    folder.write("keep.0", startStateFile());
    for (Glyph& glyph : font->glyphs)
        glyph.height = 64;
    EXPECT_EQ(font->writeSci(folder.path("keep.0")).error, FileError::FontTooLarge);
    EXPECT_EQ(folder.read("keep.0"), startStateFile());
    EXPECT_EQ(font->writeSci(folder.path("new.0")).error, FileError::FontTooLarge);
    EXPECT_FALSE(folder.exists("new.0"));
}

TEST(SciWrite, TargetThatCannotBeReplacedIsReportedAndLeftAlone)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    std::filesystem::create_directory(folder.path("font.000"));
    folder.write("font.000/inside", startStateFile());
    EXPECT_EQ(font->writeSci(folder.path("font.000")).error, FileError::CannotWrite);
    EXPECT_EQ(folder.read("font.000/inside"), startStateFile());

    EXPECT_EQ(font->writeSci(folder.path("missing/font.000")).error, FileError::CannotWrite);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "font.000" });
}

TEST(FormatConversion, AFontSurvivesSciThenWfnThenSci)
{
    TestFolder folder;
    auto font = variedFont(11);
    font->lineHeight = 64;
    ASSERT_TRUE(font->writeSci(folder.path("a.0")).ok());
    auto copy = std::make_unique<BitmapFont>();
    ASSERT_TRUE(copy->readSci(folder.path("a.0")).ok());
    ASSERT_TRUE(copy->writeWfn(folder.path("b.wfn")).ok());
    ASSERT_TRUE(copy->readWfn(folder.path("b.wfn")).ok());
    ASSERT_TRUE(copy->writeSci(folder.path("c.0")).ok());
    EXPECT_EQ(folder.read("c.0"), folder.read("a.0"));
}

} // namespace
} // namespace glyphsmith
