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

const std::string Signature = "WGT Font File  ";

// The start-state font as a file, worked out by hand: 128 records of
// 01 00 01 00 00 from position 17, then the table listing them at 657.
std::vector<std::uint8_t> startStateFile()
{
    std::vector<std::uint8_t> bytes(Signature.begin(), Signature.end());
    append(bytes, { 0x91, 0x02 });
    for (int c = 0; c < GlyphCount; ++c)
        append(bytes, { 0x01, 0x00, 0x01, 0x00, 0x00 });
    for (int c = 0; c < GlyphCount; ++c)
        appendU16(bytes, 17 + 5 * c);
    return bytes;
}

TEST(WfnWrite, StartStateFontIsThe913ByteFile)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->writeWfn(folder.path("start.wfn")).ok());
    const std::vector<std::uint8_t> written = folder.read("start.wfn");
    EXPECT_EQ(written.size(), 913u);
    EXPECT_EQ(written, startStateFile());
}

TEST(WfnWrite, TenByTwoGlyphIsTheEightByteRecord)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->clear();
    Glyph& glyph = font->glyphs[0];
    glyph.width = 10;
    glyph.height = 2;
    glyph.cell(0, 0) = 1;
    glyph.cell(9, 1) = 1;
    ASSERT_TRUE(font->writeWfn(folder.path("a.wfn")).ok());

    const std::vector<std::uint8_t> written = folder.read("a.wfn");
    // 17 header bytes, the 8-byte record, 127 empty 4-byte records, the table.
    ASSERT_EQ(written.size(), 17u + 8 + 127 * 4 + 256);
    EXPECT_EQ(std::vector<std::uint8_t>(written.begin() + 17, written.begin() + 25),
        bytesOf({ 0x0A, 0x00, 0x02, 0x00, 0x80, 0x00, 0x00, 0x40 }));
    const std::size_t table = 17 + 8 + 127 * 4;
    EXPECT_EQ(written[15] | written[16] << 8, static_cast<int>(table));
    EXPECT_EQ(written[table + 2] | written[table + 3] << 8, 25);
}

TEST(WfnRead, StartStateFileGivesOneByOneGlyphsAndLineHeightOne)
{
    TestFolder folder;
    folder.write("start.wfn", startStateFile());
    auto font = variedFont();
    ASSERT_TRUE(font->readWfn(folder.path("start.wfn")).ok());
    EXPECT_EQ(font->lineHeight, 1);
    Glyph expected;
    expected.width = 1;
    expected.height = 1;
    for (const Glyph& glyph : font->glyphs)
        ASSERT_EQ(glyph, expected);
}

TEST(WfnRoundTrip, KeepsEveryGlyphAndItsCellsBeyondTheWidth)
{
    // variedFont has every width 0 to 64 (56, 57 and 64 among them), zero
    // heights, and random cells in the columns past each width.
    TestFolder folder;
    auto font = variedFont();
    ASSERT_TRUE(font->writeWfn(folder.path("f.wfn")).ok());

    auto back = std::make_unique<BitmapFont>();
    ASSERT_TRUE(back->readWfn(folder.path("f.wfn")).ok());
    int tallest = 0;
    for (int c = 0; c < GlyphCount; ++c) {
        ASSERT_EQ(back->glyphs[c], storedPart(font->glyphs[c])) << "character " << c;
        tallest = std::max(tallest, font->glyphs[c].height);
    }
    EXPECT_EQ(back->lineHeight, tallest);
}

TEST(WfnRoundTrip, LineHeightBecomesTheTallestGlyph)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 20;
    font->glyphs[40].height = 12;
    ASSERT_TRUE(font->writeWfn(folder.path("f.wfn")).ok());
    ASSERT_TRUE(font->readWfn(folder.path("f.wfn")).ok());
    EXPECT_EQ(font->lineHeight, 12);

    font->clear();
    font->lineHeight = 7;
    ASSERT_TRUE(font->writeWfn(folder.path("g.wfn")).ok());
    ASSERT_TRUE(font->readWfn(folder.path("g.wfn")).ok());
    EXPECT_EQ(font->lineHeight, 0);
}

TEST(WfnRead, FindsRecordsThroughTheTableInAnyOrderWithGapsAndSharing)
{
    // The table comes first; the records follow in reverse order with junk
    // between them, and each is named by many entries.
    std::vector<std::uint8_t> bytes(Signature.begin(), Signature.end());
    appendU16(bytes, 17);
    const std::size_t table = bytes.size();
    bytes.resize(bytes.size() + 256);
    append(bytes, { 0xEE, 0xEE, 0xEE });
    const std::size_t wide = bytes.size();
    append(bytes, { 9, 0, 1, 0, 0xFF, 0x80 });
    append(bytes, { 0xEE });
    const std::size_t small = bytes.size();
    append(bytes, { 3, 0, 2, 0, 0xE0, 0xA0 });
    for (int c = 0; c < GlyphCount; ++c)
        setU16(bytes, table + 2 * c, c % 2 ? small : wide);

    TestFolder folder;
    folder.write("f.wfn", bytes);
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->readWfn(folder.path("f.wfn")).ok());

    Glyph expectedWide;
    expectedWide.width = 9;
    expectedWide.height = 1;
    for (int x = 0; x < 9; ++x)
        expectedWide.cell(x, 0) = 1;
    Glyph expectedSmall;
    expectedSmall.width = 3;
    expectedSmall.height = 2;
    for (int x : { 0, 1, 2 })
        expectedSmall.cell(x, 0) = 1;
    expectedSmall.cell(0, 1) = 1;
    expectedSmall.cell(2, 1) = 1;
    for (int c = 0; c < GlyphCount; ++c)
        ASSERT_EQ(font->glyphs[c], c % 2 ? expectedSmall : expectedWide) << "character " << c;
    EXPECT_EQ(font->lineHeight, 2);
}

TEST(WfnRead, AcceptsARecordEndingOnTheLastByte)
{
    std::vector<std::uint8_t> bytes(Signature.begin(), Signature.end());
    appendU16(bytes, 17);
    for (int c = 0; c < GlyphCount; ++c)
        appendU16(bytes, 17 + 256);
    append(bytes, { 8, 0, 2, 0, 0xAA, 0x55 });

    TestFolder folder;
    folder.write("exact.wfn", bytes);
    auto font = std::make_unique<BitmapFont>();
    ASSERT_TRUE(font->readWfn(folder.path("exact.wfn")).ok());
    EXPECT_EQ(font->glyphs[127].cell(0, 0), 1);
    EXPECT_EQ(font->glyphs[127].cell(7, 1), 1);

    bytes.pop_back();
    folder.write("short.wfn", bytes);
    const FileResult result = font->readWfn(folder.path("short.wfn"));
    EXPECT_EQ(result.error, FileError::EndsInsideRecord);
    EXPECT_EQ(result.character, 0);
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
    const std::size_t table = 657;
    auto changed = [&](auto change) {
        std::vector<std::uint8_t> bytes = good;
        change(bytes);
        return bytes;
    };
    auto recordOf = [](int c) { return std::size_t(17 + 5 * c); };

    return {
        { "empty", {}, FileError::BadSignature, -1 },
        { "shorter than the signature", std::vector<std::uint8_t>(Signature.begin(), Signature.end() - 1),
            FileError::BadSignature, -1 },
        { "last blank of the signature differs", changed([](auto& b) { b[14] = '_'; }), FileError::BadSignature, -1 },
        { "only the signature", std::vector<std::uint8_t>(good.begin(), good.begin() + 15),
            FileError::EndsInsideHeader, -1 },
        { "half a table position", std::vector<std::uint8_t>(good.begin(), good.begin() + 16),
            FileError::EndsInsideHeader, -1 },
        { "table one byte past the end", changed([&](auto& b) { setU16(b, 15, table + 1); }),
            FileError::TableOutsideFile, -1 },
        { "last table byte missing", std::vector<std::uint8_t>(good.begin(), good.end() - 1),
            FileError::TableOutsideFile, -1 },
        { "table far past the end", changed([](auto& b) { setU16(b, 15, 0xFFFF); }), FileError::TableOutsideFile, -1 },
        { "entry at the end of the file", changed([&](auto& b) { setU16(b, table + 2 * 5, 913); }),
            FileError::RecordOutsideFile, 5 },
        { "entry far past the end", changed([&](auto& b) { setU16(b, table + 2 * 127, 0xFFFF); }),
            FileError::RecordOutsideFile, 127 },
        { "record size cut by the end", changed([&](auto& b) { setU16(b, table + 2 * 6, 911); }),
            FileError::EndsInsideRecord, 6 },
        { "rows run past the end", changed([&](auto& b) {
             setU16(b, recordOf(127), 64);
             setU16(b, recordOf(127) + 2, 64);
         }),
            FileError::EndsInsideRecord, 127 },
        { "width 65", changed([&](auto& b) { setU16(b, recordOf(65), 65); }), FileError::GlyphTooLarge, 65 },
        { "height 65", changed([&](auto& b) { setU16(b, recordOf(3) + 2, 65); }), FileError::GlyphTooLarge, 3 },
        { "width 65535", changed([&](auto& b) { setU16(b, recordOf(0), 0xFFFF); }), FileError::GlyphTooLarge, 0 },
    };
}

TEST(WfnRead, RefusesBrokenFilesAndLeavesTheFontUntouched)
{
    TestFolder folder;
    for (const BadFile& bad : badFiles()) {
        SCOPED_TRACE(bad.name);
        folder.write("bad.wfn", bad.bytes);
        auto font = variedFont(3);
        auto before = std::make_unique<BitmapFont>(*font);

        const FileResult result = font->readWfn(folder.path("bad.wfn"));
        EXPECT_EQ(result.outcome, FileOutcome::Failed);
        EXPECT_EQ(result.error, bad.error);
        EXPECT_EQ(result.character, bad.character);
        EXPECT_TRUE(*font == *before);
    }
}

TEST(WfnRead, MissingFileCannotBeOpenedAndLeavesTheFontUntouched)
{
    TestFolder folder;
    auto font = variedFont();
    auto before = std::make_unique<BitmapFont>(*font);
    EXPECT_EQ(font->readWfn(folder.path("absent.wfn")).error, FileError::CannotOpen);
    EXPECT_TRUE(*font == *before);
}

TEST(WfnWrite, LargestFontFitsAndOneMoreRowIsRefused)
{
    TestFolder folder;
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 64;
        glyph.height = 63;
    }
    ASSERT_TRUE(font->writeWfn(folder.path("big.wfn")).ok());
    const std::vector<std::uint8_t> written = folder.read("big.wfn");
    EXPECT_EQ(written[15] | written[16] << 8, 65041);

    // 126 glyphs of 64 x 64, one 64 x 61 and one 8 x 6 put the table at 65535,
    // the last position a 16-bit value can name; one more row moves it to 65536.
    for (Glyph& glyph : font->glyphs)
        glyph.height = 64;
    font->glyphs[0].height = 61;
    font->glyphs[1].width = 8;
    font->glyphs[1].height = 6;
    ASSERT_TRUE(font->writeWfn(folder.path("edge.wfn")).ok());
    const std::vector<std::uint8_t> edge = folder.read("edge.wfn");
    EXPECT_EQ(edge.size(), 65535u + 256);
    EXPECT_EQ(edge[15] | edge[16] << 8, 65535);

    font->glyphs[1].height = 7;
    EXPECT_EQ(font->writeWfn(folder.path("over.wfn")).error, FileError::FontTooLarge);
    EXPECT_FALSE(folder.exists("over.wfn"));
}

TEST(WfnWrite, RefusedFontLeavesTheExistingFileAsItWas)
{
    TestFolder folder;
    folder.write("keep.wfn", startStateFile());
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 64;
        glyph.height = 64;
    }
    EXPECT_EQ(font->writeWfn(folder.path("keep.wfn")).error, FileError::FontTooLarge);
    EXPECT_EQ(folder.read("keep.wfn"), startStateFile());

    font->glyphs[9].width = 65;
    const FileResult result = font->writeWfn(folder.path("keep.wfn"));
    EXPECT_EQ(result.error, FileError::GlyphTooLarge);
    EXPECT_EQ(result.character, 9);
    EXPECT_EQ(folder.read("keep.wfn"), startStateFile());
}

TEST(WfnWrite, TargetThatCannotBeReplacedIsReportedAndLeftAlone)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    std::filesystem::create_directory(folder.path("taken.wfn"));
    folder.write("taken.wfn/inside", startStateFile());
    EXPECT_EQ(font->writeWfn(folder.path("taken.wfn")).error, FileError::CannotWrite);
    EXPECT_EQ(folder.read("taken.wfn/inside"), startStateFile());

    EXPECT_EQ(font->writeWfn(folder.path("missing/f.wfn")).error, FileError::CannotWrite);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "taken.wfn" });
}

} // namespace
} // namespace glyphsmith
