#include "font/engine_check.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "font/bitmap_font.h"
#include "font_samples.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Sizes = std::vector<EngineGlyphSize>;

// An AGS file: the header, `records` from byte 17 on, the table of `entries`
// right after them, then `tail`.
Bytes agsFile(const Bytes& records, const std::vector<unsigned>& entries, const Bytes& tail = {})
{
    const std::string signature = "WGT Font File  ";
    Bytes file(signature.begin(), signature.end());
    appendU16(file, static_cast<unsigned>(17 + records.size()));
    file.insert(file.end(), records.begin(), records.end());
    for (unsigned entry : entries)
        appendU16(file, entry);
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

// An SCI file: byte 0x87, header length byte `n`, `padding` bytes, then the
// data: two zero bytes, the count, the line height, the table and `records`.
Bytes sciFile(unsigned count, unsigned lineHeight, const std::vector<unsigned>& entries, const Bytes& records,
    std::uint8_t n = 0, std::size_t padding = 0)
{
    Bytes file{ 0x87, n };
    file.resize(file.size() + padding);
    appendU16(file, 0);
    appendU16(file, count);
    appendU16(file, lineHeight);
    for (unsigned entry : entries)
        appendU16(file, entry);
    file.insert(file.end(), records.begin(), records.end());
    return file;
}

// 8 x 2 at 17 with both rows; the table follows at 23.
const Bytes AgsRecord{ 8, 0, 2, 0, 0xff, 0x81 };
// In SCI data with a table of two entries, records start at 10: this one is 8 x 2.
const Bytes SciRecord{ 8, 2, 0xff, 0x81 };

struct EngineCase {
    const char* name;
    Bytes file;
    EngineVerdict verdict;
    Sizes glyphs;
    int lineHeight = 0;
    std::string reason = {}; // a part of the first reason, where there is one
    bool unicodeNote = false;
};

void expectChecks(EngineCheck (*check)(std::span<const std::uint8_t>), const std::vector<EngineCase>& cases)
{
    for (const EngineCase& row : cases) {
        SCOPED_TRACE(row.name);
        const EngineCheck result = check(row.file);
        EXPECT_EQ(result.verdict, row.verdict);
        EXPECT_EQ(result.glyphs, row.glyphs);
        if (row.verdict != EngineVerdict::Refused) {
            EXPECT_EQ(result.lineHeight, row.lineHeight);
        }
        EXPECT_EQ(result.reasons.empty(), row.verdict == EngineVerdict::Loads);
        EXPECT_EQ(!result.notes.empty(), row.unicodeNote);
        if (!row.reason.empty() && !result.reasons.empty()) {
            EXPECT_NE(result.reasons[0].find(row.reason), std::string::npos) << result.reasons[0];
        }
    }
}

TEST(EngineCheck, AppliesTheAgsLoadingRules)
{
    using enum EngineVerdict;
    Bytes badSignature = agsFile(AgsRecord, { 17 });
    badSignature[14] = 'X';
    Bytes tableInHeader = agsFile(AgsRecord, { 17 });
    tableInHeader[15] = 16;
    Bytes tableAtEnd = agsFile(AgsRecord, {});
    // An 8 x 3 record at 17 whose third row would be the next record, an 8 x 1 at 22.
    const Bytes overlapping{ 8, 0, 3, 0, 0xff, 8, 0, 1, 0, 0x18 };
    // A gap byte, then records in reverse code order.
    const Bytes reversed{ 0xee, 8, 0, 1, 0, 0x11, 16, 0, 1, 0, 0x22, 0x33 };
    // `count` characters, only the last drawn: an engine in 8-bit mode reaches codes up to 255.
    auto lastDrawn = [](std::size_t count) {
        std::vector<unsigned> entries(count);
        entries.back() = 17;
        Sizes sizes(count);
        sizes.back() = { 8, 2 };
        return std::pair(agsFile(AgsRecord, entries), sizes);
    };

    expectChecks(checkWithAgs, {
        { "signature", badSignature, Refused, {}, 0, "signature" },
        { "header only", Bytes(tableAtEnd.begin(), tableAtEnd.begin() + 16), Refused, {} },
        { "table inside the header", tableInHeader, Refused, {}, 0, "16" },
        { "table at the end of the file", tableAtEnd, Refused, {}, 0, "23" },
        { "plain", agsFile(AgsRecord, { 17 }), Loads, { { 8, 2 } }, 2 },
        { "extra bytes after the table", agsFile(AgsRecord, { 17, 17 }, { 0, 0, 0x55 }), Loads,
            { { 8, 2 }, { 8, 2 }, { 0, 0 } }, 2 },
        { "entry 0", agsFile(AgsRecord, { 0, 17 }), Loads, { { 0, 0 }, { 8, 2 } }, 2 },
        { "entry inside the header", agsFile(AgsRecord, { 17, 16 }), Changed, { { 8, 2 }, { 0, 0 } }, 2,
            "character 1:" },
        { "entry without room before the table", agsFile(AgsRecord, { 20, 17 }), Changed, { { 0, 0 }, { 8, 2 } }, 2,
            "character 0:" },
        { "overlapping record", agsFile(overlapping, { 22, 17 }), Changed, { { 8, 1 }, { 8, 1 } }, 1,
            "character 1: its rows run into the next record at 22; its height 3 becomes 1" },
        { "record running into the table", agsFile({ 16, 0, 3, 0, 1, 2, 3 }, { 17 }), Changed, { { 16, 1 } },
            1, "the table at 24" },
        // The engine's loader copies a negative length here and corrupts its memory.
        { "next record inside the size fields of one with pixels", agsFile({ 8, 0, 1, 0, 0, 0 }, { 17, 19 }),
            Refused, {}, 0, "the engine's loader fails on this file: the records of characters 0 and 1 start 2 bytes apart" },
        { "next record 3 bytes after one with pixels", agsFile({ 8, 0, 1, 0, 0, 0, 0 }, { 17, 20 }), Refused, {}, 0,
            "start 3 bytes apart" },
        { "next record 4 bytes after one with pixels", agsFile({ 8, 0, 1, 0, 0, 0, 0, 0 }, { 17, 21 }), Changed,
            { { 8, 0 }, { 0, 0 } }, 0, "its height 1 becomes 0" },
        { "table at 17", agsFile({}, { 0 }), Loads, { { 0, 0 } }, 0 },
        { "code 255 drawn", lastDrawn(256).first, Loads, lastDrawn(256).second, 2 },
        { "code 256 drawn", lastDrawn(257).first, Loads, lastDrawn(257).second, 2, "", true },
        { "next record inside the size fields of one without pixels", agsFile({ 0, 0, 1, 0, 0, 0 }, { 17, 19 }),
            Loads, { { 0, 1 }, { 1, 0 } }, 1 },
        { "shared records, any order, gaps", agsFile(reversed, { 23, 18, 18, 23 }), Loads,
            { { 16, 1 }, { 8, 1 }, { 8, 1 }, { 16, 1 } }, 1 },
    });
}

TEST(EngineCheck, AppliesTheScummVmLoadingRules)
{
    using enum EngineVerdict;
    const Bytes plain = sciFile(2, 9, { 10, 10 }, SciRecord);
    Bytes oldFont = plain;
    oldFont[0] = 0x07;
    Bytes notFont = plain;
    notFont[0] = 0x86;
    std::vector<unsigned> many(130, 266); // the table ends at 6 + 260
    Bytes cut = sciFile(2, 9, { 10, 10 }, { 8, 4, 1, 2, 3 });

    expectChecks(checkWithScummVm, {
        { "plain", plain, Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "old font type byte", oldFont, Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "not a font", notFont, Refused, {}, 0, "0x86" },
        { "fewer than 3 bytes", { 0x87, 0 }, Refused, {} },
        { "patch header of 24", sciFile(2, 9, { 10, 10 }, SciRecord, 0x80, 24), Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "patch header of 2", sciFile(2, 9, { 10, 10 }, SciRecord, 0x81, 2), Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "patch header of 8", sciFile(2, 9, { 10, 10 }, SciRecord, 0x84, 8), Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "header of 5", sciFile(2, 9, { 10, 10 }, SciRecord, 5, 5), Loads, { { 8, 2 }, { 8, 2 } }, 9 },
        { "unknown header length", sciFile(2, 9, { 10, 10 }, SciRecord, 0x82, 4), Refused, {}, 0, "0x82" },
        { "data past the end", { 0x87, 0x7f, 0, 0 }, Refused, {}, 0, "129" },
        { "data shorter than its header", { 0x87, 0, 0, 0, 1, 0 }, Refused, {} },
        { "count above 128", sciFile(130, 9, many, SciRecord), Loads, Sizes(130, { 8, 2 }), 9 },
        { "line height above 255", sciFile(2, 300, { 10, 10 }, SciRecord), Changed, { { 8, 2 }, { 8, 2 } }, 44,
            "300" },
        { "entry at 0x8000, inside the data", sciFile(2, 9, { 10, 0x8000 }, Bytes(0x8000 - 8)), Refused, {}, 0,
            "character 1: record offset 32768 is 0x8000" },
        { "entry outside the data", sciFile(2, 9, { 10, 13 }, SciRecord), Refused, {}, 0, "character 1:" },
        // Both entries name the table itself, as an 8 x 0 record; the third lies past the data.
        { "table past the data", sciFile(3, 9, { 8, 8 }, {}), Refused, {}, 0, "character 2:" },
        { "rows past the end", cut, Changed, { { 8, 4 }, { 8, 4 } }, 9, "character 0:" },
        { "count above 32767", sciFile(32768, 9, { 10, 10 }, SciRecord), Refused, {}, 0, "32768" },
    });
}

TEST(EngineCheck, WarnsAfterASaveWithTheCheckLineOrThatTheFileIsGone)
{
    TestFolder folder;
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = 300;
    ASSERT_TRUE(font->writeSci(folder.path("font.001")).ok());
    EXPECT_EQ(engineWarnings(folder.path("font.001")),
        std::vector<std::string>{ folder.path("font.001")
            + ": ScummVM: loads with changes: the line height 300 keeps only its low byte and becomes 44" });
    const std::vector<std::string> missing = engineWarnings(folder.path("gone.wfn"));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_TRUE(missing[0].starts_with(folder.path("gone.wfn") + ": cannot read")) << missing[0];
}

} // namespace
} // namespace glyphsmith
