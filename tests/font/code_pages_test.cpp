// The code page tables and the recoding built on them, against the C
// library's iconv: every upper byte of every code page, and the recoding of
// two code pages both ways.

#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "font/code_pages.h"
#include "font/recode.h"

namespace glyphsmith {
namespace {

// The code point iconv gives byte `byte` of code page `page`; nullopt where it refuses the byte.
std::optional<char32_t> iconvUnicodeOf(const std::string& page, int byte)
{
    iconv_t converter = iconv_open("UTF-32LE", page.c_str());
    char in = static_cast<char>(byte);
    char32_t out = 0;
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const bool converted = converter != reinterpret_cast<iconv_t>(-1)
        && iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    if (converter != reinterpret_cast<iconv_t>(-1))
        iconv_close(converter);
    return converted && outLeft == 0 ? std::optional(out) : std::nullopt;
}

// A glyph that tells code `c` apart from every other: row 0 set, rows 1 to 16 the bits of c.
Glyph markOf(int c)
{
    Glyph glyph{ .height = 17, .width = 1 };
    glyph.pixels[0] = static_cast<std::uint64_t>(c) << 1 | 1;
    return glyph;
}

TEST(CodePages, MapEveryUpperByteAsIconvDoesAndBack)
{
    ASSERT_EQ(codePageNames().size(), 15u);
    for (const std::string_view name : codePageNames()) {
        const CodePage* page = findCodePage(name);
        ASSERT_NE(page, nullptr) << name;
        for (int byte = 128; byte < 256; ++byte) {
            const std::optional<char32_t> unicode = unicodeOf(*page, static_cast<std::uint8_t>(byte));
            ASSERT_EQ(unicode, iconvUnicodeOf(std::string(name), byte)) << name << " byte " << byte;
            if (unicode) {
                EXPECT_EQ(byteOf(*page, *unicode), std::optional<std::uint8_t>(byte)) << name << " byte " << byte;
            }
        }
    }
    EXPECT_EQ(findCodePage("KOI8-R"), findCodePage("koi8-r"));
    EXPECT_EQ(findCodePage("unicode"), nullptr);
}

TEST(Recode, MovesEveryUpperByteToTheCodePointIconvGivesItAndNamesUndefinedOnes)
{
    for (const std::string page : { "cp1251", "koi8-r" }) {
        BitmapFont font;
        font.setCodeCount(257); // code 256 is no byte of the page
        BitmapFont expected = font;
        std::vector<int> undefined;
        for (int byte = 0; byte < 256; ++byte) {
            font.glyphs[byte] = markOf(byte);
            const auto unicode = byte < 128 ? std::optional<char32_t>(byte) : iconvUnicodeOf(page, byte);
            if (!unicode) {
                undefined.push_back(byte);
                continue;
            }
            expected.setCodeCount(std::max<int>(expected.codeCount(), *unicode + 1));
            expected.glyphs[*unicode] = markOf(byte);
        }
        font.glyphs[256] = markOf(256);
        undefined.push_back(256);
        BitmapFont recoded;
        EXPECT_EQ(recodeFont(font, { findCodePage(page) }, {}, recoded), undefined) << page;
        EXPECT_TRUE(recoded.glyphs == expected.glyphs) << page;
    }
}

TEST(Recode, MovesCodePointsBackToTheirBytesAndNamesThoseWithoutOne)
{
    for (const std::string page : { "cp1251", "koi8-r" }) {
        BitmapFont font;
        font.setCodeCount(0x4e01);
        for (int byte = 128; byte < 256; ++byte)
            if (const auto unicode = iconvUnicodeOf(page, byte))
                font.glyphs[*unicode] = markOf(byte);
        font.glyphs[0x80] = markOf(0x80); // U+0080 is a control character neither page has
        font.glyphs[0x4e00] = markOf(0x4e00);
        BitmapFont recoded;
        EXPECT_EQ(recodeFont(font, {}, { findCodePage(page) }, recoded), (std::vector{ 0x80, 0x4e00 })) << page;
        ASSERT_EQ(recoded.codeCount(), 256);
        for (int byte = 128; byte < 256; ++byte)
            EXPECT_EQ(recoded.glyphs[byte], iconvUnicodeOf(page, byte) ? markOf(byte) : Glyph{}) << page << byte;
    }
}

} // namespace
} // namespace glyphsmith
