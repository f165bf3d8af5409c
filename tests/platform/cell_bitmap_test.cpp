#include "platform/cell_bitmap.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace glyphsmith {
namespace {

constexpr Rgb Black { 0, 0, 0 };
constexpr Rgb White { 255, 255, 255 };

void put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Builds a BMP with a 40-byte information header. `palette` holds the
// colours for 4- and 8-bit pictures; `rows` the stored rows, already padded,
// in file order.
std::vector<std::uint8_t> makeBmp(int width, int height, int bits, const std::vector<Rgb>& palette,
    const std::vector<std::vector<std::uint8_t>>& rows)
{
    const std::size_t offset = 14 + 40 + 4 * palette.size();
    std::vector<std::uint8_t> bytes(offset);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 10, static_cast<std::uint32_t>(offset));
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<std::uint32_t>(width));
    put32(bytes, 22, static_cast<std::uint32_t>(height));
    put16(bytes, 26, 1);
    put16(bytes, 28, static_cast<std::uint16_t>(bits));
    put32(bytes, 46, static_cast<std::uint32_t>(palette.size()));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        bytes[54 + 4 * i] = palette[i].blue;
        bytes[55 + 4 * i] = palette[i].green;
        bytes[56 + 4 * i] = palette[i].red;
    }
    for (const auto& row : rows)
        bytes.insert(bytes.end(), row.begin(), row.end());
    put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

// A 3 x 2 picture, 4 bits a pixel, three colours; top row red green blue,
// bottom row blue blue red. Rows are 2 bytes of pixels padded to 4.
std::vector<std::uint8_t> smallFourBit(bool topDown)
{
    std::vector<std::uint8_t> top { 0x01, 0x20, 0, 0 };
    std::vector<std::uint8_t> bottom { 0x22, 0x00, 0, 0 };
    std::vector<Rgb> palette { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 } };
    return topDown ? makeBmp(3, -2, 4, palette, { top, bottom }) : makeBmp(3, 2, 4, palette, { bottom, top });
}

TEST(CellBitmap, TheBuiltInCellBitmapIsBlackOnTheLeftAndWhiteOnTheRight)
{
    std::optional<RgbImage> image = decodeBitmapResource(132);
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, 32);
    ASSERT_EQ(image->height, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(image->pixel(x, y), x < 16 ? Black : White) << x << ", " << y;
}

TEST(CellBitmap, ReadsFourBitRowsInEitherOrder)
{
    for (bool topDown : { false, true }) {
        std::optional<RgbImage> image = decodeBitmap(smallFourBit(topDown));
        ASSERT_TRUE(image) << "top-down " << topDown;
        EXPECT_EQ(image->pixels, (std::vector<Rgb> { { 255, 0, 0 }, { 0, 255, 0 }, { 0, 0, 255 }, { 0, 0, 255 },
                                     { 0, 0, 255 }, { 255, 0, 0 } }))
            << "top-down " << topDown;
    }
}

TEST(CellBitmap, ReadsEightBitAndTwentyFourBitPixels)
{
    std::vector<Rgb> palette(256);
    palette[200] = { 1, 2, 3 };
    std::optional<RgbImage> eight = decodeBitmap(makeBmp(1, 1, 8, palette, { { 200, 0, 0, 0 } }));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->pixel(0, 0), (Rgb { 1, 2, 3 }));

    // Two pixels of three bytes each (blue, green, red), padded to 8 bytes.
    std::optional<RgbImage> full = decodeBitmap(makeBmp(2, 1, 24, {}, { { 30, 20, 10, 60, 50, 40, 0, 0 } }));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->pixels, (std::vector<Rgb> { { 10, 20, 30 }, { 40, 50, 60 } }));
}

TEST(CellBitmap, RefusesMalformedFilesWithTheirReason)
{
    using Change = std::function<void(std::vector<std::uint8_t>&)>;
    struct Row {
        const char* what;
        Change change;
        BitmapDecodeError reason;
    };
    const Row rows[] = {
        { "empty", [](auto& b) { b.clear(); }, BitmapDecodeError::Truncated },
        { "wrong signature", [](auto& b) { b[1] = 'A'; }, BitmapDecodeError::BadSignature },
        { "ends inside the file header", [](auto& b) { b.resize(12); }, BitmapDecodeError::Truncated },
        { "ends inside the information header", [](auto& b) { b.resize(40); }, BitmapDecodeError::Truncated },
        { "old 12-byte header", [](auto& b) { put32(b, 14, 12); }, BitmapDecodeError::UnsupportedHeader },
        { "width 0", [](auto& b) { put32(b, 18, 0); }, BitmapDecodeError::BadSize },
        { "negative width", [](auto& b) { put32(b, 18, static_cast<std::uint32_t>(-3)); }, BitmapDecodeError::BadSize },
        { "height 0", [](auto& b) { put32(b, 22, 0); }, BitmapDecodeError::BadSize },
        { "most negative height", [](auto& b) { put32(b, 22, static_cast<std::uint32_t>(INT_MIN)); },
            BitmapDecodeError::BadSize },
        { "width over the limit", [](auto& b) { put32(b, 18, MaxDecodedBitmapSide + 1); }, BitmapDecodeError::BadSize },
        { "two planes", [](auto& b) { put16(b, 26, 2); }, BitmapDecodeError::UnsupportedDepth },
        { "16 bits a pixel", [](auto& b) { put16(b, 28, 16); }, BitmapDecodeError::UnsupportedDepth },
        { "run-length compressed", [](auto& b) { put32(b, 30, 2); }, BitmapDecodeError::Compressed },
        { "17 colours at 4 bits", [](auto& b) { put32(b, 46, 17); }, BitmapDecodeError::BadPalette },
        { "palette past the end", [](auto& b) { put32(b, 46, 16); b.resize(70); }, BitmapDecodeError::Truncated },
        { "pixel names a missing colour", [](auto& b) { b[b.size() - 4] = 0x30; },
            BitmapDecodeError::BadPalette },
        { "last row cut short", [](auto& b) { b.pop_back(); }, BitmapDecodeError::Truncated },
        { "pixel offset past the end", [](auto& b) { put32(b, 10, 0xFFFFFFF0u); }, BitmapDecodeError::Truncated },
    };
    for (const Row& row : rows) {
        std::vector<std::uint8_t> bytes = smallFourBit(false);
        row.change(bytes);
        BitmapDecodeError reason {};
        EXPECT_FALSE(decodeBitmap(bytes, &reason)) << row.what;
        EXPECT_EQ(reason, row.reason) << row.what;
    }
}

} // namespace
} // namespace glyphsmith
