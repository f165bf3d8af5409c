// The committed code page tables must map every byte exactly as the C
// library's iconv does, both ways.

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

#include "font/code_pages.h"

namespace glyphsmith {
namespace {

// One conversion through iconv of `in` (length `inSize`); nullopt when iconv refuses it.
std::optional<std::string> convert(const std::string& from, const std::string& to, const char* in, std::size_t inSize)
{
    iconv_t converter = iconv_open(to.c_str(), from.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    char out[16] = {};
    char* inPointer = const_cast<char*>(in);
    char* outPointer = out;
    std::size_t outLeft = sizeof out;
    const bool converted = iconv(converter, &inPointer, &inSize, &outPointer, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!converted)
        return std::nullopt;
    return std::string(out, sizeof out - outLeft);
}

TEST(CodePages, MapEveryUpperByteAsIconvDoesBothWays)
{
    ASSERT_GE(codePageNames().size(), 15u);
    for (const std::string_view nameView : codePageNames()) {
        const std::string name(nameView);
        const CodePage* page = findCodePage(name);
        ASSERT_NE(page, nullptr) << name;
        for (int byte = 128; byte < 256; ++byte) {
            SCOPED_TRACE(name + " byte " + std::to_string(byte));
            const char in = static_cast<char>(byte);
            const std::optional<std::string> utf32 = convert(name, "UTF-32LE", &in, 1);
            const std::optional<char32_t> ours = unicodeOf(*page, static_cast<std::uint8_t>(byte));
            ASSERT_EQ(ours.has_value(), utf32.has_value());
            if (!ours)
                continue;
            ASSERT_EQ(utf32->size(), 4u);
            const char32_t expected = static_cast<std::uint8_t>((*utf32)[0]) | static_cast<std::uint8_t>((*utf32)[1]) << 8
                | static_cast<std::uint8_t>((*utf32)[2]) << 16 | static_cast<std::uint8_t>((*utf32)[3]) << 24;
            EXPECT_EQ(*ours, expected);
            const std::optional<std::string> back = convert("UTF-32LE", name, utf32->data(), utf32->size());
            ASSERT_TRUE(back.has_value());
            EXPECT_EQ(byteOf(*page, *ours), std::optional<std::uint8_t>(static_cast<std::uint8_t>((*back)[0])));
        }
    }
}

TEST(CodePages, FindsNamesWithoutRegardToCaseAndKnowsNoOthers)
{
    EXPECT_NE(findCodePage("KOI8-R"), nullptr);
    EXPECT_EQ(findCodePage("KOI8-R"), findCodePage("koi8-r"));
    EXPECT_EQ(findCodePage("cp1251x"), nullptr);
    EXPECT_EQ(findCodePage("unicode"), nullptr);
}

} // namespace
} // namespace glyphsmith
