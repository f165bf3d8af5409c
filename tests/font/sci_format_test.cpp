#include <gtest/gtest.h>

#include "font_samples.h"

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

// A file of `count` characters and line height 9 whose table entries all name
// one record of width 8, height 1 and the row 0x81.
std::vector<std::uint8_t> sharedRecordFile(int count)
{
    std::vector<std::uint8_t> bytes = bytesOf({ 0x87, 0x00, 0x00, 0x00 });
    appendU16(bytes, count);
    appendU16(bytes, 9);
    for (int c = 0; c < count; ++c)
        appendU16(bytes, 8 + 2 * count - 2);
    append(bytes, { 8, 1, 0x81 });
    return bytes;
}

TEST(SciFile, StartStateFontIsThe648ByteFileAndReadsBackWithLineHeightZero)
{
    expectStartStateFile(Sci, startStateFile(), 0);
}

TEST(SciWrite, TenByTwoGlyphIsTheSixByteRecord)
{
    const std::vector<std::uint8_t> written = writtenBytes(Sci, *tenByTwoFont());
    ASSERT_EQ(written.size(), 264u + 6 + 127 * 2);
    EXPECT_EQ(std::vector(written.begin() + 264, written.begin() + 270),
        bytesOf({ 0x0A, 0x02, 0x80, 0x00, 0x00, 0x40 }));
    // Record 1 follows at 270, stored as 268.
    EXPECT_EQ(u16At(written, 10), 268);
}

TEST(SciRoundTrip, KeepsEveryGlyphAndItsHiddenCellsAndTheLowSixteenBitsOfTheLineHeight)
{
    auto font = variedFont(7);
    font->lineHeight = 0x1012C; // 300 in its low 16 bits, bytes 2C 01
    EXPECT_EQ(u16At(writtenBytes(Sci, *font), 6), 300);
    EXPECT_EQ(roundTrip(Sci, *font), 300);
}

TEST(SciRead, ReadsEveryCharacterOfTheCountAndClearsTheCodesBelow128ItLacks)
{
    for (const int count : { 0, 3, 128, 129, 256 }) {
        SCOPED_TRACE(count);
        const ReadBack back = readBytes(Sci, sharedRecordFile(count));
        ASSERT_TRUE(back.result.ok());
        EXPECT_EQ(back.result.warning, "");
        EXPECT_EQ(back.font->lineHeight, 9);
        ASSERT_EQ(back.font->codeCount(), std::max(count, GlyphCount));
        for (int c = 0; c < back.font->codeCount(); ++c)
            ASSERT_EQ(back.font->glyphs[c], c < count ? glyphOf(8, 1, { 0x81 }) : Glyph{}) << "character " << c;
    }
}

TEST(SciRead, FindsRecordsThroughTheTableInAnyOrderWithGaps)
{
    // Character 1's record first, a gap, then character 0's; the other
    // entries share character 1's record.
    std::vector<std::uint8_t> bytes = bytesOf({ 0x87, 0x00, 0x00, 0x00, 0x80, 0x00, 0x0C, 0x00 });
    for (int c = 0; c < GlyphCount; ++c)
        appendU16(bytes, (c == 0 ? 271 : 264) - 2);
    append(bytes, { 2, 3, 0x40, 0x80, 0x3F, 0xEE, 0xEE, 16, 1, 0x01, 0x80 });

    const ReadBack back = readBytes(Sci, bytes);
    ASSERT_TRUE(back.result.ok());
    EXPECT_EQ(back.font->glyphs[0], glyphOf(16, 1, { 0x01, 0x80 }));
    for (int c = 1; c < GlyphCount; ++c)
        ASSERT_EQ(back.font->glyphs[c], glyphOf(2, 3, { 0x40, 0x80, 0x3F })) << "character " << c;
}

TEST(SciRead, RefusesBrokenFilesAndLeavesTheFontUntouched)
{
    const std::vector<std::uint8_t> good = startStateFile();
    auto entryOf = [](int c) { return std::size_t(8 + 2 * c); };
    auto recordOf = [](int c) { return std::size_t(264 + 3 * c); };
    expectReadsRefused(Sci, {
        { "one byte", cut(good, 1), FileError::BadSignature, -1 },
        { "first byte 86", withByte(good, 0, 0x86), FileError::BadSignature, -1 },
        { "header 87 00 and nothing after it", cut(good, 2), FileError::NoDataAfterHeader, -1 },
        { "header 87 20 and 31 bytes", cut(withByte(good, 1, 0x20), 33), FileError::NoDataAfterHeader, -1 },
        { "three bytes", cut(good, 3), FileError::EndsInsideHeader, -1 },
        { "third byte 01", withByte(good, 2, 0x01), FileError::BadSignature, -1 },
        { "header cut inside the line height", cut(good, 7), FileError::EndsInsideHeader, -1 },
        { "table cut short", cut(good, 263), FileError::TableOutsideFile, -1 },
        { "entry at the end of the file", withU16(good, entryOf(4), 648 - 2), FileError::RecordOutsideFile, 4 },
        { "record size cut by the end", withU16(good, entryOf(8), 647 - 2), FileError::EndsInsideRecord, 8 },
        { "last row byte missing", cut(good, 647), FileError::EndsInsideRecord, 127 },
        { "width 65", withByte(good, recordOf(65), 65), FileError::GlyphTooLarge, 65 },
        { "height 255", withByte(good, recordOf(2) + 1, 255), FileError::GlyphTooLarge, 2 },
    });
}

TEST(SciWrite, LargestFontFitsTheSixteenBitOffsets)
{
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 64;
        glyph.height = 63;
    }
    const std::vector<std::uint8_t> written = writtenBytes(Sci, *font);
    // The last record begins at 264 + 127 * 506 = 64526, stored as 64524.
    EXPECT_EQ(written.size(), 264u + 128 * 506);
    EXPECT_EQ(u16At(written, 8 + 2 * 127), 64524);
}

TEST(SciWrite, RefusesFontsItCannotStoreAndLeavesFilesAlone)
{
    expectUnwritableFontsRefused(Sci);
}

} // namespace
} // namespace glyphsmith
