#include <gtest/gtest.h>

#include "font_samples.h"

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

// The table first, then two records in reverse order with junk around them,
// each named by every other entry. The last record ends on the last byte.
std::vector<std::uint8_t> scatteredFile()
{
    std::vector<std::uint8_t> bytes(Signature.begin(), Signature.end());
    appendU16(bytes, 17);
    for (int c = 0; c < GlyphCount; ++c)
        appendU16(bytes, c % 2 ? 283 : 276);
    append(bytes, { 0xEE, 0xEE, 0xEE, 9, 0, 1, 0, 0xFF, 0x80, 0xEE, 3, 0, 2, 0, 0xE0, 0xA0 });
    return bytes;
}

TEST(WfnFile, StartStateFontIsThe913ByteFileAndReadsBackWithLineHeightOne)
{
    expectStartStateFile(Wfn, startStateFile(), 1);
}

TEST(WfnWrite, TenByTwoGlyphIsTheEightByteRecord)
{
    const std::vector<std::uint8_t> written = writtenBytes(Wfn, *tenByTwoFont());
    // 17 header bytes, the 8-byte record, 127 empty 4-byte records, the table.
    const std::size_t table = 17 + 8 + 127 * 4;
    ASSERT_EQ(written.size(), table + 256);
    EXPECT_EQ(std::vector(written.begin() + 17, written.begin() + 25),
        bytesOf({ 0x0A, 0x00, 0x02, 0x00, 0x80, 0x00, 0x00, 0x40 }));
    EXPECT_EQ(u16At(written, 15), int(table));
    EXPECT_EQ(u16At(written, table + 2), 25);
}

TEST(WfnRoundTrip, KeepsEveryGlyphAndItsHiddenCellsAndTakesTheTallestAsLineHeight)
{
    // variedFont has every width and height from 0 to 64 and line height 20.
    EXPECT_EQ(roundTrip(Wfn, *variedFont()), MaxGlyphSize);
}

TEST(WfnRead, FindsRecordsThroughTheTableInAnyOrderWithGapsAndSharing)
{
    const ReadBack back = readBytes(Wfn, scatteredFile());
    ASSERT_TRUE(back.result.ok());
    for (int c = 0; c < GlyphCount; ++c)
        ASSERT_EQ(back.font->glyphs[c], c % 2 ? glyphOf(3, 2, { 0xE0, 0xA0 }) : glyphOf(9, 1, { 0xFF, 0x80 }))
            << "character " << c;
    EXPECT_EQ(back.font->lineHeight, 2);
}

TEST(WfnRead, ReadsWhatTheEngineLoads)
{
    // The engine counts the characters from the table to the end of the file
    // and reads a table entry 0 as a character without a glyph.
    struct Row {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<int> empty; // characters read as 0 x 0
        std::string warning;
    };
    std::vector<std::uint8_t> extended = startStateFile();
    for (int c = 0; c < 128; ++c)
        appendU16(extended, 17 + 5 * c);
    const std::vector<std::uint8_t> zeros = withU16(withU16(startStateFile(), 657, 0), 657 + 2 * 127, 0);
    const Row rows[] = {
        { "entries 0 for the first and last character", zeros, { 0, 127 }, "" },
        { "256 entries and an odd byte", [&] { auto b = extended; b.push_back(7); return b; }(), {}, "" },
        { "129 entries, the last 0", [&] { auto b = startStateFile(); appendU16(b, 0); return b; }(), { 128 }, "" },
        { "127 entries", cut(startStateFile(), 912), { 127 },
            "the file holds only 127 characters; the codes it lacks, up to 127, were left empty" },
        // Junk after the table: entries that name no readable record, the
        // first running past the end, before one that names a good record.
        { "junk entries after 128", [&] { auto b = startStateFile(); append(b, { 0xff, 0xff, 0x96, 0x03, 17, 0 }); return b; }(),
            { 128, 129 }, "2 characters from code 128 on name no readable record and were left empty" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ReadBack back = readBytes(Wfn, row.bytes);
        ASSERT_TRUE(back.result.ok()) << describe(back.result);
        EXPECT_EQ(back.result.warning, row.warning);
        ASSERT_EQ(back.font->codeCount(), std::max<int>(GlyphCount, (row.bytes.size() - 657) / 2));
        for (int c = 0; c < back.font->codeCount(); ++c) {
            const bool empty = std::ranges::count(row.empty, c) > 0;
            EXPECT_EQ(back.font->glyphs[c], empty ? Glyph{} : glyphOf(1, 1, { 0 })) << "character " << c;
        }
    }
}

TEST(WfnRead, RefusesBrokenFilesAndLeavesTheFontUntouched)
{
    const std::vector<std::uint8_t> good = startStateFile();
    const std::size_t table = 657;
    auto recordOf = [](int c) { return std::size_t(17 + 5 * c); };
    expectReadsRefused(Wfn, {
        { "shorter than the signature", cut(good, 14), FileError::BadSignature, -1 },
        { "last blank of the signature differs", withByte(good, 14, '_'), FileError::BadSignature, -1 },
        { "half a table position", cut(good, 16), FileError::EndsInsideHeader, -1 },
        { "no table entry", cut(good, 658), FileError::TableOutsideFile, -1 },
        { "entry at the end of the file", withU16(good, table + 2 * 5, 913), FileError::RecordOutsideFile, 5 },
        { "record size cut by the end", withU16(good, table + 2 * 6, 911), FileError::EndsInsideRecord, 6 },
        { "last row byte missing", cut(scatteredFile(), 288), FileError::EndsInsideRecord, 1 },
        { "width 65", withU16(good, recordOf(65), 65), FileError::GlyphTooLarge, 65 },
        { "height 65", withU16(good, recordOf(3) + 2, 65), FileError::GlyphTooLarge, 3 },
    });
}

TEST(WfnWrite, TableAtTheLastSixteenBitPositionFitsAndOneRowMoreIsRefused)
{
    // 126 glyphs of 64 x 64, one 64 x 61 and one 8 x 6 put the table at 65535,
    // the last position a 16-bit value can name; one more row moves it to 65536.
    auto font = variedFont();
    for (Glyph& glyph : font->glyphs)
        glyph.width = glyph.height = 64;
    font->glyphs[0].height = 61;
    font->glyphs[1].width = 8;
    font->glyphs[1].height = 6;
    const std::vector<std::uint8_t> edge = writtenBytes(Wfn, *font);
    EXPECT_EQ(edge.size(), 65535u + 256);
    EXPECT_EQ(u16At(edge, 15), 65535);
    font->glyphs[1].height = 7;
    expectWriteRefused(Wfn, *font, FileError::FontTooLarge);
}

TEST(WfnWrite, RefusesFontsItCannotStoreAndLeavesFilesAlone)
{
    expectUnwritableFontsRefused(Wfn);
}

} // namespace
} // namespace glyphsmith
