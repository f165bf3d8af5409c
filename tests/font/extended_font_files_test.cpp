// Fonts of more than 128 codes in every file format: round trips, the sparse
// and shared AGS table, and the limits each format sets.

#include <gtest/gtest.h>

#include "font_samples.h"
#include "recording_messages.h"

namespace glyphsmith {
namespace {

// A glyph that only code `c` (among codes that differ in their low 12 bits) has.
Glyph patternOf(int c)
{
    Glyph glyph;
    glyph.width = 1 + c % 8;
    glyph.height = 2 + (c >> 3) % 5;
    for (int bit = 0; bit < 12; ++bit)
        glyph.cell(bit % glyph.width, bit % glyph.height) = ((c >> bit) & 1) != 0;
    return glyph;
}

// A font of `count` codes: codes 0 to 127 and every `step`-th code above drawn, the rest empty.
std::unique_ptr<BitmapFont> sparseFont(int count, int step)
{
    auto font = std::make_unique<BitmapFont>();
    font->setCodeCount(count);
    for (int c = 0; c < count; ++c)
        font->glyphs[c] = (c < GlyphCount || c % step == 0) ? patternOf(c) : Glyph{};
    return font;
}

TEST(ExtendedFonts, EveryFormatKeepsEveryCode)
{
    for (const int count : { 129, 256, 1104 }) {
        SCOPED_TRACE(count);
        const auto font = sparseFont(count, 3);
        for (const FontFormat& format : { Wfn, Sci }) {
            SCOPED_TRACE(format.file);
            roundTrip(format, *font);
        }
        std::vector<std::uint8_t> sheet;
        ASSERT_TRUE(font->writeBmpBytes(sheet).ok());
        RecordingMessages messages;
        BitmapFont back;
        ASSERT_TRUE(back.readBmpBytes(sheet, messages).ok());
        EXPECT_EQ(back.glyphs, font->glyphs);
    }
    roundTrip(Wfn, *sparseFont(MaxCodeCount, 509));
}

TEST(WfnWrite, GivesEmptyCodesAbove127Entry0AndIdenticalGlyphsOneRecord)
{
    auto font = sparseFont(0x450, 0x10000);
    font->glyphs[0x410] = font->glyphs[0x430] = font->glyphs[65];
    font->glyphs[0x411] = patternOf(1);
    const std::vector<std::uint8_t> file = writtenBytes(Wfn, *font);
    const std::size_t table = u16At(file, 15);
    ASSERT_EQ(file.size(), table + 2 * 0x450);
    auto entry = [&](int c) { return u16At(file, table + 2 * c); };
    EXPECT_EQ(entry(0x410), entry(65));
    EXPECT_EQ(entry(0x430), entry(65));
    EXPECT_EQ(entry(0x411), entry(1));
    EXPECT_EQ(entry(0x412), 0);
    EXPECT_EQ(entry(128), 0);
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
    auto font = std::make_unique<BitmapFont>();
    font->clear();
    font->setCodeCount(256);
    for (int c = GlyphCount; c < 256; ++c) {
        font->glyphs[c].width = font->glyphs[c].height = MaxGlyphSize;
        font->glyphs[c].pixels.fill(1);
    }
    EXPECT_EQ(writtenBytes(Wfn, *font).size(), 17 + 128 * 4 + 516 + 512u);
    for (int c = GlyphCount; c < 256; ++c)
        font->glyphs[c].pixels[c % MaxGlyphSize] = std::uint64_t{ 1 } << (c / MaxGlyphSize);
    expectWriteRefused(Wfn, *font, FileError::FontTooLarge, 254);
}

TEST(WfnRead, ReadsTheHostileFileOf65536EntriesNamingOneRecord)
{
    std::vector<std::uint8_t> file = bytesOf({ 'W', 'G', 'T', ' ', 'F', 'o', 'n', 't', ' ', 'F', 'i', 'l', 'e', ' ', ' ' });
    appendU16(file, 22);
    append(file, { 1, 0, 1, 0, 0x80 });
    for (int c = 0; c < MaxCodeCount; ++c)
        appendU16(file, 17);
    const ReadBack back = readBytes(Wfn, file);
    ASSERT_TRUE(back.result.ok());
    EXPECT_EQ(back.result.warning, "");
    ASSERT_EQ(back.font->codeCount(), MaxCodeCount);
    EXPECT_EQ(std::ranges::count(back.font->glyphs, glyphOf(1, 1, { 0x80 })), MaxCodeCount);
}

TEST(ExtendedFonts, FormatsRefuseWhatTheyCannotHold)
{
    auto font = sparseFont(MaxCodeCount, 0x10000);
    expectWriteRefused(Sci, *font, FileError::FontTooLarge);
    // 4,096 rows of cells 9 pixels high.
    font->glyphs[0].height = 7;
    std::vector<std::uint8_t> sheet;
    EXPECT_EQ(font->writeBmpBytes(sheet).error, FileError::SheetTooTall);
}

} // namespace
} // namespace glyphsmith
