// --recode moves the glyphs of codes 128 to 255 exactly as the C library's
// iconv maps their bytes, both ways, and never drops a glyph unasked.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "convert_command.h"
#include "font/bitmap_font.h"
#include "iconv_reference.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

// A glyph that tells code `c` apart from every other: row 0 set, rows 1 to 16 the bits of c.
Glyph markOf(int c)
{
    Glyph glyph;
    glyph.width = 1;
    glyph.height = 17;
    glyph.pixels[0] = static_cast<std::uint64_t>(c) << 1 | 1;
    return glyph;
}

// Runs --recode on `font`: the font written, or null when the command failed,
// which must then leave no output file.
std::unique_ptr<BitmapFont> recode(const BitmapFont& font, const std::string& pair, bool drop, std::string& err)
{
    TestFolder folder;
    EXPECT_TRUE(font.writeWfn(folder.path("in.wfn")).ok());
    std::vector<std::string> arguments = { "--recode", pair, folder.path("in.wfn"), folder.path("out.wfn") };
    if (drop)
        arguments.push_back("--drop-unmapped");
    std::ostringstream out;
    std::ostringstream errors;
    const bool ok = runConvert(arguments, out, errors) == ConvertOk;
    err = errors.str();
    auto result = std::make_unique<BitmapFont>();
    EXPECT_EQ(ok, result->readWfn(folder.path("out.wfn")).ok());
    return ok ? std::move(result) : nullptr;
}

TEST(Recode, MovesEveryUpperByteToTheCodePointIconvGivesIt)
{
    for (const std::string page : { "cp1251", "koi8-r" }) {
        BitmapFont font;
        font.setCodeCount(256);
        BitmapFont expected = font;
        std::string undefined;
        for (int byte = 0; byte < 256; ++byte) {
            font.glyphs[byte] = markOf(byte);
            const auto unicode = byte < 128 ? std::optional<char32_t>(byte) : iconvUnicodeOf(page.c_str(), byte);
            if (!unicode) {
                undefined += (undefined.empty() ? "codes " : ", ") + std::to_string(byte);
                continue;
            }
            expected.setCodeCount(std::max<int>(expected.codeCount(), *unicode + 1));
            expected.glyphs[*unicode] = markOf(byte);
        }
        std::string err;
        const auto recoded = recode(font, page + ":unicode", true, err);
        ASSERT_TRUE(recoded) << err;
        EXPECT_NE(err.find(undefined), std::string::npos) << err;
        EXPECT_TRUE(recoded->glyphs == expected.glyphs) << page;
    }
}

TEST(Recode, MovesCodePointsBackToTheirBytesAndNamesThoseWithoutOne)
{
    for (const std::string page : { "cp1251", "koi8-r" }) {
        BitmapFont font;
        font.setCodeCount(0x4e01);
        for (int byte = 128; byte < 256; ++byte)
            if (const auto unicode = iconvUnicodeOf(page.c_str(), byte))
                font.glyphs[*unicode] = markOf(byte);
        font.glyphs[0x4e00] = markOf(0x4e00);
        std::string err;
        EXPECT_FALSE(recode(font, "unicode:" + page, false, err));
        EXPECT_NE(err.find("the glyphs of codes 19968 have no place in " + page), std::string::npos) << err;
        const auto recoded = recode(font, "unicode:" + page, true, err);
        ASSERT_TRUE(recoded && recoded->codeCount() == 256) << err;
        for (int byte = 128; byte < 256; ++byte)
            EXPECT_EQ(recoded->glyphs[byte], iconvUnicodeOf(page.c_str(), byte) ? markOf(byte) : Glyph{}) << page << byte;
    }
}

} // namespace
} // namespace glyphsmith
