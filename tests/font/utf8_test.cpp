#include "font/utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace glyphsmith {
namespace {

TEST(Utf8, DecodesEveryCharacterAndTakesEachMalformedByteForAReplacementCharacter)
{
    const std::vector<std::pair<std::string, std::u32string>> cases {
        { "Ab", U"Ab" },
        { "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", U"\u00E9\u20AC\U0001F600" },
        { "\x80z", U"\uFFFDz" },                       // a lone continuation byte
        { "\xC3", U"\uFFFD" },                         // cut short
        { "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80", U"\u007F\u0080\u07FF\u0800" }, // each length's edges
        { "\xC1\xBF", U"\uFFFD\uFFFD" },               // overlong U+007F
        { "\xE0\x9F\xBF", U"\uFFFD\uFFFD\uFFFD" },     // overlong U+07FF
        { "\xF0\x8F\xBF\xBF", U"\uFFFD\uFFFD\uFFFD\uFFFD" }, // overlong U+FFFF
        { "\xED\x9F\xBF\xEE\x80\x80", U"\uD7FF\uE000" }, // around the surrogates
        { "\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD" },     // the first surrogate
        { "\xED\xBF\xBF", U"\uFFFD\uFFFD\uFFFD" },     // the last
        { "\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD" }, // past U+10FFFF
    };
    for (const auto& [text, expected] : cases)
        EXPECT_TRUE(decodeUtf8(text) == expected) << text;
}

TEST(Utf8, WritesWhatItReadsAtEveryLengthsEdges)
{
    for (char32_t character : { 0x1, 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFF, 0x10000, 0x10FFFF }) {
        std::string text;
        appendUtf8(text, character);
        EXPECT_TRUE(decodeUtf8(text) == std::u32string(1, character)) << std::hex << unsigned(character);
    }
}

} // namespace
} // namespace glyphsmith
