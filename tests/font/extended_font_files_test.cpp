// Fonts of more than 128 codes in every file format: round trips, the sparse
// and shared AGS table, and the limits each format sets. (The benchmarks
// read the hostile AGS file of 65,536 entries naming one record.)

#include <gtest/gtest.h>

#include <ranges>

#include "font_samples.h"
#include "recording_messages.h"

namespace glyphsmith {
namespace {

Glyph sized(int width, int height)
{
    return { .height = height, .width = width };
}

// A font of `count` codes: codes 0 to 127 and every `step`-th code above drawn
// with a glyph of its own (column 0 holds row 0 and the bits of the code), the rest empty.
std::unique_ptr<BitmapFont> sparseFont(int count, int step)
{
    auto font = std::make_unique<BitmapFont>();
    font->setCodeCount(count);
    for (int c = 0; c < count; ++c) {
        font->glyphs[c] = {};
        if (c < GlyphCount || c % step == 0) {
            font->glyphs[c] = sized(1 + c % 8, 17);
            font->glyphs[c].pixels[0] = std::uint64_t(c) << 1 | 1;
        }
    }
    return font;
}

// The same glyph sheet with its rows stored top-down: the height negated and the rows reversed.
std::vector<std::uint8_t> storedTopDown(std::vector<std::uint8_t> sheet)
{
    const std::size_t offset = u16At(sheet, 10), width = u16At(sheet, 18), rows = u16At(sheet, 22);
    const std::size_t rowBytes = (3 * width + 3) / 4 * 4;
    for (std::size_t row = 0; row < rows / 2; ++row)
        std::swap_ranges(sheet.begin() + offset + row * rowBytes, sheet.begin() + offset + (row + 1) * rowBytes,
            sheet.begin() + offset + (rows - 1 - row) * rowBytes);
    for (int at = 22; at < 26; ++at)
        sheet[at] = static_cast<std::uint8_t>(-static_cast<std::int32_t>(rows) >> (8 * (at - 22)));
    return sheet;
}

TEST(ExtendedFonts, EveryFormatKeepsEveryCodeItCanHold)
{
    for (const int count : { 129, 256, 1104 }) {
        const auto font = sparseFont(count, 3);
        roundTrip(Wfn, *font);
        roundTrip(Sci, *font);
        std::vector<std::uint8_t> sheet;
        ASSERT_TRUE(font->writeBmpBytes(sheet).ok());
        for (const auto& stored : { sheet, storedTopDown(sheet) }) {
            RecordingMessages messages;
            BitmapFont back;
            ASSERT_TRUE(back.readBmpBytes(stored, messages).ok());
            EXPECT_EQ(back.glyphs, font->glyphs) << count;
        }
    }
    auto everyCode = sparseFont(MaxCodeCount, 509);
    roundTrip(Wfn, *everyCode);
    // 65,536 codes are past an SCI count, 4,096 rows of cells 9 high past the tallest sheet.
    expectWriteRefused(Sci, *everyCode, FileError::FontTooLarge);
    everyCode->glyphs[0].height = 7;
    std::vector<std::uint8_t> sheet;
    EXPECT_EQ(everyCode->writeBmpBytes(sheet).error, FileError::SheetTooTall);
}

TEST(WfnWrite, GivesEmptyCodesAbove127Entry0AndIdenticalGlyphsOneRecord)
{
    auto font = sparseFont(0x450, 0x10000);
    font->glyphs[0x410] = font->glyphs[0x430] = font->glyphs[65];
    font->glyphs[0x411] = font->glyphs[1];
    // Glyphs without rows differ only in their sizes: an en and an em space, and two struts.
    const Glyph blanks[] = { sized(5, 0), sized(10, 0), sized(0, 5), sized(0, 10) };
    std::ranges::copy(blanks, font->glyphs.begin() + 0x420);
    const std::vector<std::uint8_t> file = writtenBytes(Wfn, *font);
    EXPECT_TRUE(std::ranges::equal(readBytes(Wfn, file).font->glyphs | std::views::drop(0x420) | std::views::take(4), blanks));
    const std::size_t table = u16At(file, 15);
    ASSERT_EQ(file.size(), table + 2 * 0x450);
    auto entry = [&](int c) { return u16At(file, table + 2 * c); };
    EXPECT_EQ(std::vector({ entry(0x410), entry(0x430), entry(0x411), entry(0x412), entry(128) }),
        std::vector({ entry(65), entry(65), entry(1), 0, 0 }));
    // Codes 0 to 127 keep a record each, in code order, and only the blanks add theirs.
    std::size_t records = 17 + 4 * 4;
    for (int c = 0; c < GlyphCount; ++c)
        records += 4 + packedSize(font->glyphs[c].width, font->glyphs[c].height);
    EXPECT_EQ(table, records);
}

TEST(WfnWrite, RefusesRecordsThatStartPast64KiBNamingTheCharacter)
{
    // 128 empty records, then 64 x 64 glyphs of 516 bytes: the 127th of them,
    // code 254, would start at 65,545. Were they identical, one record would do.
    auto font = sparseFont(256, 1);
    for (int c = 0; c < 256; ++c)
        font->glyphs[c] = c < GlyphCount ? Glyph{} : sized(MaxGlyphSize, MaxGlyphSize);
    EXPECT_EQ(writtenBytes(Wfn, *font).size(), 17 + 128 * 4 + 516 + 512u);
    for (int c = GlyphCount; c < 256; ++c)
        font->glyphs[c].pixels[c % MaxGlyphSize] = std::uint64_t{ 1 } << (c / MaxGlyphSize);
    expectWriteRefused(Wfn, *font, FileError::FontTooLarge, 254);
}

} // namespace
} // namespace glyphsmith
