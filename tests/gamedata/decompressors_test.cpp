#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "font/bitmap_font.h"
#include "gamedata/decompressors.h"
#include "gamedata/packers.h"
#include "gamedata/sci_volume.h"

namespace glyphsmith {
namespace {

using Unpacker = UnpackError (*)(std::span<const std::uint8_t>, std::size_t, std::vector<std::uint8_t>&);

struct Method {
    const char* name;
    Unpacker unpack;
    std::function<Bytes(const Bytes&)> pack;
};

const Method Methods[] = {
    { "LZW", unpackLzw, [](const Bytes& d) { return packLzw(d); } },
    { "LZW (COMP3)", unpackLzw1, [](const Bytes& d) { return packLzw1(d); } },
    { "Huffman", unpackHuffman, [](const Bytes& d) { return packHuffman(d); } },
    { "DCL, 4 distance bits", unpackDcl, [](const Bytes& d) { return packDcl(d, 4); } },
    { "DCL, 6 distance bits", unpackDcl, [](const Bytes& d) { return packDcl(d, 6); } },
    { "STACpack", unpackLzs, [](const Bytes& d) { return packLzs(d); } },
};

// Samples with long runs (copies that overlap what they write), repeats far
// apart, and no repeats at all.
std::vector<std::pair<std::string, Bytes>> samples()
{
    BitmapFont font;
    font.lineHeight = 9;
    for (int c = 33; c < 127; ++c) {
        font.glyphs[c].width = 5 + c % 3;
        font.glyphs[c].height = 9;
        for (int y = 0; y < 9; ++y)
            font.glyphs[c].cell((c + y) % 5, y) = true;
    }
    Bytes sciFile;
    EXPECT_TRUE(font.writeSciBytes(sciFile).ok());
    Bytes text;
    for (const char* word : { "the quick brown fox ", "jumps over the lazy dog; ", "the quick brown fox " })
        text.insert(text.end(), word, word + std::char_traits<char>::length(word));
    Bytes noRepeats;
    for (int i = 0; i < 200; ++i)
        noRepeats.push_back(static_cast<std::uint8_t>((i * 37 + 11) % 251));
    return { { "an SCI font", sciFile }, { "text", text }, { "a run of one byte", Bytes(3000, 0x41) },
        { "no repeats", noRepeats }, { "one byte", Bytes{ 7 } }, { "nothing", Bytes{} } };
}

TEST(Decompressors, UnpackWhatTheTestPackersPackForEveryMethod)
{
    for (const Method& method : Methods)
        for (const auto& [name, data] : samples()) {
            const Bytes packed = method.pack(data);
            Bytes unpacked{ 1, 2, 3 };
            EXPECT_EQ(method.unpack(packed, data.size(), unpacked), UnpackError::None) << method.name << ", " << name;
            EXPECT_EQ(unpacked, data) << method.name << ", " << name;
        }
}

TEST(Decompressors, UnpackDclCopiesOfTwoBytesAndTheKnownPkwareExample)
{
    // Copies of length 2 take their distance from 2 low bits, not the dictionary's.
    const std::vector<Token> tokens = { { 'a' }, { 'b' }, { 'c' }, { 0, 2, 2 }, { 0, 3, 2 }, { 0, 7, 6 } };
    Bytes out;
    ASSERT_EQ(unpackDcl(dclFromTokens(tokens, 5), 13, out), UnpackError::None);
    EXPECT_EQ(std::string(out.begin(), out.end()), "abcbccbabcbcc");
    // The published example stream of the format.
    const Bytes example = { 0x00, 0x04, 0x82, 0x24, 0x25, 0x8f, 0x80, 0x7f };
    ASSERT_EQ(unpackDcl(example, 13, out), UnpackError::None);
    EXPECT_EQ(std::string(out.begin(), out.end()), "AIAIAIAIAIAIA");
}

Bytes bits(bool msbFirst, std::initializer_list<std::pair<std::uint32_t, int>> values)
{
    BitWriter out(msbFirst);
    for (auto [value, count] : values)
        out.put(value, count);
    return out.finish();
}

TEST(Decompressors, RefuseHostileStreamsWithTheirReason)
{
    struct Case {
        const char* name;
        Unpacker unpack;
        Bytes input;
        std::size_t size;
        UnpackError expected;
    };
    const Bytes lzsText = packLzs(Bytes(40, 'x'));
    const Case cases[] = {
        { "LZW with no input", unpackLzw, {}, 5, UnpackError::InputEnds },
        { "LZW naming an entry not made yet", unpackLzw, bits(false, { { 'A', 9 }, { 0x103, 9 } }), 5, UnpackError::BadCode },
        { "LZW ending early", unpackLzw, bits(false, { { 'A', 9 }, { 0x101, 9 } }), 3, UnpackError::OutputTooShort },
        { "LZW starting over endlessly", unpackLzw, bits(false, { { 0x100, 9 }, { 0x100, 9 }, { 0x100, 9 } }), 3, UnpackError::InputEnds },
        { "COMP3 naming an entry not made yet", unpackLzw1, bits(true, { { 'A', 9 }, { 0x150, 9 } }), 5, UnpackError::BadCode },
        { "COMP3 starting with a code", unpackLzw1, bits(true, { { 0x102, 9 } }), 5, UnpackError::BadCode },
        { "Huffman tree cut short", unpackHuffman, { 4, 0, 0, 0x10 }, 5, UnpackError::InputEnds },
        { "Huffman link out of the tree", unpackHuffman, { 1, 0, 0, 0x10, 0x00 }, 5, UnpackError::BadCode },
        { "Huffman link to itself", unpackHuffman, { 1, 0, 0, 0x01, 0x00 }, 5, UnpackError::BadCode },
        { "DCL with 7 distance bits", unpackDcl, { 0, 7, 0 }, 5, UnpackError::BadCode },
        { "DCL copying from before the start", unpackDcl, dclFromTokens({ { 'a' }, { 0, 2, 3 } }, 4), 4, UnpackError::BadBackReference },
        { "DCL copying past the size", unpackDcl, dclFromTokens({ { 'a' }, { 0, 1, 9 } }, 4), 4, UnpackError::OutputOverflow },
        { "DCL cut short", unpackDcl, { 0, 4, 0x82 }, 13, UnpackError::InputEnds },
        { "STACpack copying from before the start", unpackLzs, lzsFromTokens({ { 'a' }, { 0, 5, 3 } }), 4, UnpackError::BadBackReference },
        { "STACpack copying from its own position", unpackLzs, lzsFromTokens({ { 'a' }, { 0, 200, 3 } }), 4, UnpackError::BadBackReference },
        { "STACpack with endless length steps", unpackLzs, bits(true, { { 'a', 9 }, { 0b11, 2 }, { 1, 7 }, { 0xf, 4 }, { 0xffff, 16 }, { 0xffff, 16 } }), 900, UnpackError::InputEnds },
        { "STACpack ending early", unpackLzs, lzsText, 41, UnpackError::OutputTooShort },
    };
    for (const Case& c : cases) {
        Bytes out;
        EXPECT_EQ(c.unpack(c.input, c.size, out), c.expected) << c.name;
        EXPECT_LE(out.size(), c.size) << c.name;
    }
    Bytes out;
    // A last LZW string that runs past the stated size is cut there, as the
    // interpreter cuts it.
    EXPECT_EQ(unpackLzw(bits(false, { { 'A', 9 }, { 'B', 9 }, { 0x102, 9 } }), 3, out), UnpackError::None);
    EXPECT_EQ(out, (Bytes{ 'A', 'B', 'A' }));
    EXPECT_EQ(unpackResource(SciCompression::None, Bytes(3, 0), 4, out), UnpackError::InputEnds);
    EXPECT_EQ(unpackResource(SciCompression::Unknown, Bytes(3, 0), 3, out), UnpackError::BadCode);
}

} // namespace
} // namespace glyphsmith
