// Fonts of more than 128 codes in every file format: round trips, the sparse
// and shared AGS table, and the limits each format sets. (The benchmarks
// read the hostile AGS file of 65,536 entries naming one record.)

#include <gtest/gtest.h>

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

TEST(ExtendedFonts, EveryFormatKeepsEveryCodeItCanHold)
{
    for (const int count : { 129, 256, 1104 }) {
        const auto font = sparseFont(count, 3);
        roundTrip(Wfn, *font);
        roundTrip(Sci, *font);
        std::vector<std::uint8_t> sheet;
        ASSERT_TRUE(font->writeBmpBytes(sheet).ok());
        RecordingMessages messages;
        BitmapFont back;
        ASSERT_TRUE(back.readBmpBytes(sheet, messages).ok());
        EXPECT_EQ(back.glyphs, font->glyphs) << count;
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
    const std::vector<std::uint8_t> file = writtenBytes(Wfn, *font);
    const std::size_t table = u16At(file, 15);
    ASSERT_EQ(file.size(), table + 2 * 0x450);
    auto entry = [&](int c) { return u16At(file, table + 2 * c); };
    EXPECT_EQ(std::vector({ entry(0x410), entry(0x430), entry(0x411), entry(0x412), entry(128) }),
        std::vector({ entry(65), entry(65), entry(1), 0, 0 }));
    // Codes 0 to 127 keep a record each, in code order, and nothing more is written.
    std::size_t records = 17;
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
