#include "platform/cell_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace glyphsmith {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr Rgb Red { 255, 0, 0 };
constexpr Rgb Green { 0, 255, 0 };
constexpr Rgb Blue { 0, 0, 255 };

// Stores `value` little-endian in the 4 bytes at `at`.
void put(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// A BMP with a 40-byte information header; `rows` are the stored rows, already
// padded, in file order.
Bytes makeBmp(int width, int height, int bits, const std::vector<Rgb>& palette, const std::vector<Bytes>& rows)
{
    Bytes bytes { 'B', 'M' };
    bytes.resize(14 + 40);
    put(bytes, 14, 40);
    put(bytes, 18, static_cast<std::uint32_t>(width));
    put(bytes, 22, static_cast<std::uint32_t>(height));
    bytes[26] = 1; // planes and depth are 16-bit values that fit in their low byte
    bytes[28] = static_cast<std::uint8_t>(bits);
    put(bytes, 46, static_cast<std::uint32_t>(palette.size()));
    for (Rgb colour : palette)
        bytes.insert(bytes.end(), { colour.blue, colour.green, colour.red, 0 });
    put(bytes, 10, static_cast<std::uint32_t>(bytes.size())); // the pixel rows start here
    for (const Bytes& row : rows)
        bytes.insert(bytes.end(), row.begin(), row.end());
    put(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

// A 3 x 2 picture at 4 bits a pixel: top row red green blue, bottom row blue
// blue red. Each row is 2 bytes of pixels padded to 4.
Bytes smallFourBit(bool topDown)
{
    const Bytes top { 0x01, 0x20, 0, 0 };
    const Bytes bottom { 0x22, 0x00, 0, 0 };
    return makeBmp(3, topDown ? -2 : 2, 4, { Red, Green, Blue },
        topDown ? std::vector { top, bottom } : std::vector { bottom, top });
}

TEST(CellBitmap, ReadsEachDepthInEitherRowOrder)
{
    std::vector<Rgb> palette(256);
    palette[200] = { 1, 2, 3 };
    const std::pair<Bytes, std::vector<Rgb>> cases[] = {
        { smallFourBit(false), { Red, Green, Blue, Blue, Blue, Red } },
        { smallFourBit(true), { Red, Green, Blue, Blue, Blue, Red } },
        { makeBmp(1, 1, 8, palette, { { 200, 0, 0, 0 } }), { { 1, 2, 3 } } },
        // Two pixels of three bytes each (blue, green, red), padded to 8 bytes.
        { makeBmp(2, 1, 24, {}, { { 30, 20, 10, 60, 50, 40, 0, 0 } }), { { 10, 20, 30 }, { 40, 50, 60 } } },
    };
    for (const auto& [bytes, want] : cases) {
        std::optional<RgbImage> image = decodeBitmap(bytes);
        ASSERT_TRUE(image) << ::testing::PrintToString(want);
        EXPECT_EQ(image->pixels, want);
    }
}

TEST(CellBitmap, RefusesMalformedFilesWithTheirReason)
{
    const struct {
        const char* what;
        std::function<void(Bytes&)> change;
        BitmapDecodeError reason;
    } rows[] = {
        { "empty", [](Bytes& b) { b.clear(); }, BitmapDecodeError::Truncated },
        { "wrong signature", [](Bytes& b) { b[1] = 'A'; }, BitmapDecodeError::BadSignature },
        { "ends inside the file header", [](Bytes& b) { b.resize(12); }, BitmapDecodeError::Truncated },
        { "ends inside the information header", [](Bytes& b) { b.resize(40); }, BitmapDecodeError::Truncated },
        { "old 12-byte header", [](Bytes& b) { put(b, 14, 12); }, BitmapDecodeError::UnsupportedHeader },
        { "width 0", [](Bytes& b) { put(b, 18, 0); }, BitmapDecodeError::BadSize },
        { "negative width", [](Bytes& b) { put(b, 18, static_cast<std::uint32_t>(-3)); }, BitmapDecodeError::BadSize },
        { "height 0", [](Bytes& b) { put(b, 22, 0); }, BitmapDecodeError::BadSize },
        { "most negative height", [](Bytes& b) { put(b, 22, static_cast<std::uint32_t>(INT_MIN)); },
            BitmapDecodeError::BadSize },
        { "width over the limit", [](Bytes& b) { put(b, 18, MaxDecodedBitmapSide + 1); }, BitmapDecodeError::BadSize },
        { "two planes", [](Bytes& b) { b[26] = 2; }, BitmapDecodeError::UnsupportedDepth },
        { "16 bits a pixel", [](Bytes& b) { b[28] = 16; }, BitmapDecodeError::UnsupportedDepth },
        { "run-length compressed", [](Bytes& b) { put(b, 30, 2); }, BitmapDecodeError::Compressed },
        { "17 colours at 4 bits", [](Bytes& b) { put(b, 46, 17); }, BitmapDecodeError::BadPalette },
        { "palette past the end", [](Bytes& b) { put(b, 46, 16); b.resize(70); }, BitmapDecodeError::Truncated },
        { "pixel names a missing colour", [](Bytes& b) { b[b.size() - 4] = 0x30; }, BitmapDecodeError::BadPalette },
        { "last row cut short", [](Bytes& b) { b.pop_back(); }, BitmapDecodeError::Truncated },
        { "pixel offset past the end", [](Bytes& b) { put(b, 10, 0xFFFFFFF0u); }, BitmapDecodeError::Truncated },
    };
    for (const auto& row : rows) {
        Bytes bytes = smallFourBit(false);
        row.change(bytes);
        BitmapDecodeError reason {};
        EXPECT_FALSE(decodeBitmap(bytes, &reason)) << row.what;
        EXPECT_EQ(reason, row.reason) << row.what;
    }
}

} // namespace
} // namespace glyphsmith
