// --recode moves the glyphs of codes 128 to 255 exactly as the C library's
// iconv maps their bytes, both ways, and never drops a glyph unasked.

#include <gtest/gtest.h>

#include <iconv.h>

#include <map>
#include <memory>
#include <sstream>

#include "convert_command.h"
#include "font/bitmap_font.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

// The code point iconv gives byte `byte` of `page`, 0 where it refuses it.
char32_t iconvUnicodeOf(const char* page, int byte)
{
    iconv_t converter = iconv_open("UTF-32LE", page);
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << page;
    char in = static_cast<char>(byte);
    char32_t out = 0;
    char* inPointer = &in;
    char* outPointer = reinterpret_cast<char*>(&out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const bool converted = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    return converted ? out : 0;
}

// A glyph that tells code `c` apart from every other code below 65536.
Glyph markOf(int c)
{
    Glyph glyph;
    glyph.width = 16;
    glyph.height = 2;
    glyph.pixels[0] = 1;
    for (int bit = 0; bit < 16; ++bit)
        glyph.cell(bit, 1) = ((c >> bit) & 1) != 0;
    return glyph;
}

struct Recoded {
    int status;
    std::string err;
    std::unique_ptr<BitmapFont> font;
};

Recoded recode(const BitmapFont& font, const std::string& pair, bool dropUnmapped)
{
    TestFolder folder;
    EXPECT_TRUE(font.writeWfn(folder.path("in.wfn")).ok());
    std::vector<std::string> arguments = { "--recode", pair, folder.path("in.wfn"), folder.path("out.wfn") };
    if (dropUnmapped)
        arguments.push_back("--drop-unmapped");
    std::ostringstream out;
    std::ostringstream err;
    Recoded result{ runConvert(arguments, out, err), err.str(), nullptr };
    if (result.status == ConvertOk) {
        result.font = std::make_unique<BitmapFont>();
        EXPECT_TRUE(result.font->readWfn(folder.path("out.wfn")).ok());
    } else {
        EXPECT_EQ(folder.entries(), std::vector<std::string>{ "in.wfn" });
    }
    return result;
}

TEST(Recode, MovesEveryUpperByteToItsCodePointAsIconvDoes)
{
    for (const char* page : { "cp1251", "koi8-r" }) {
        SCOPED_TRACE(page);
        BitmapFont font;
        font.setCodeCount(256);
        std::string undefined;
        for (int byte = 0; byte < 256; ++byte) {
            font.glyphs[byte] = markOf(byte);
            if (byte >= 128 && iconvUnicodeOf(page, byte) == 0)
                undefined += (undefined.empty() ? "" : ", ") + std::to_string(byte);
        }
        EXPECT_EQ(recode(font, std::string(page) + ":unicode", false).status, undefined.empty() ? ConvertOk : ConvertFailed);
        const Recoded recoded = recode(font, std::string(page) + ":unicode", true);
        ASSERT_EQ(recoded.status, ConvertOk) << recoded.err;
        EXPECT_EQ(recoded.err.find("dropped") != std::string::npos, !undefined.empty());
        EXPECT_NE(recoded.err.find(undefined), std::string::npos) << recoded.err;
        std::map<int, int> byteAt; // code point -> byte
        for (int byte = 0; byte < 256; ++byte)
            if (const char32_t code = byte < 128 ? byte : iconvUnicodeOf(page, byte); code != 0 || byte == 0)
                byteAt[static_cast<int>(code)] = byte;
        for (int code = 0; code < recoded.font->codeCount(); ++code) {
            const auto found = byteAt.find(code);
            ASSERT_EQ(recoded.font->glyphs[code], found == byteAt.end() ? Glyph{} : markOf(found->second)) << code;
        }
    }
}

TEST(Recode, MovesCodePointsBackToTheirBytesAndNamesThoseWithoutOne)
{
    for (const char* page : { "cp1251", "koi8-r" }) {
        SCOPED_TRACE(page);
        BitmapFont font;
        font.setCodeCount(0x4e01);
        for (int byte = 128; byte < 256; ++byte)
            if (const char32_t code = iconvUnicodeOf(page, byte))
                font.glyphs[code] = markOf(byte);
        font.glyphs[0x4e00] = markOf(0x4e00);
        const Recoded refused = recode(font, std::string("unicode:") + page, false);
        EXPECT_EQ(refused.status, ConvertFailed);
        EXPECT_NE(refused.err.find("the glyphs of codes 19968 have no place in " + std::string(page)), std::string::npos)
            << refused.err;
        const Recoded recoded = recode(font, std::string("unicode:") + page, true);
        ASSERT_EQ(recoded.status, ConvertOk) << recoded.err;
        ASSERT_EQ(recoded.font->codeCount(), 256);
        for (int byte = 128; byte < 256; ++byte)
            EXPECT_EQ(recoded.font->glyphs[byte], iconvUnicodeOf(page, byte) ? markOf(byte) : Glyph{}) << byte;
    }
}

} // namespace
} // namespace glyphsmith
