#include "platform/cell_bitmap.h"

#include "platform/resources.h"

// Layout of the files read here, all values little-endian:
//   file header, 14 bytes: "BM", file size (u32), two reserved u16, offset of
//     the pixel rows from the start of the file (u32);
//   information header: its own size (u32: 40, or 108 and 124 for the later
//     kinds that add colour-space fields after the first 40 bytes), width
//     (i32), height (i32; negative means the rows are stored top row first),
//     planes (u16, 1), bits per pixel (u16), compression (u32, 0 = none),
//     image size, two resolutions, colours used (u32; 0 = all the depth
//     allows), colours important;
//   palette right after the information header: 4 bytes an entry, blue,
//     green, red, unused;
//   pixel rows at the given offset, each padded to a multiple of 4 bytes; a
//     4-bit row holds two pixels a byte, the left one in the high half.

namespace glyphsmith {

namespace {

constexpr std::size_t FileHeaderSize = 14;

// Reads little-endian values at absolute offsets; a read that would leave the
// span reports failure instead.
class BoundedBytes {
public:
    explicit BoundedBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool has(std::uint64_t offset, std::uint64_t count) const
    {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint8_t u8(std::size_t offset) const { return bytes_[offset]; }
    std::uint16_t u16(std::size_t offset) const
    {
        return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const
    {
        return static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8
            | static_cast<std::uint32_t>(bytes_[offset + 2]) << 16 | static_cast<std::uint32_t>(bytes_[offset + 3]) << 24;
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

private:
    std::span<const std::uint8_t> bytes_;
};

std::optional<RgbImage> refuse(BitmapDecodeError reason, BitmapDecodeError* error)
{
    if (error)
        *error = reason;
    return std::nullopt;
}

} // namespace

std::optional<RgbImage> decodeBitmap(std::span<const std::uint8_t> bytes, BitmapDecodeError* error)
{
    BoundedBytes in(bytes);
    if (!in.has(0, 2))
        return refuse(BitmapDecodeError::Truncated, error);
    if (in.u8(0) != 'B' || in.u8(1) != 'M')
        return refuse(BitmapDecodeError::BadSignature, error);
    if (!in.has(0, FileHeaderSize + 4))
        return refuse(BitmapDecodeError::Truncated, error);
    const std::uint32_t pixelOffset = in.u32(10);
    const std::uint32_t headerSize = in.u32(FileHeaderSize);
    if (headerSize != 40 && headerSize != 108 && headerSize != 124)
        return refuse(BitmapDecodeError::UnsupportedHeader, error);
    if (!in.has(FileHeaderSize, headerSize))
        return refuse(BitmapDecodeError::Truncated, error);

    const std::int32_t width = in.i32(FileHeaderSize + 4);
    const std::int32_t storedHeight = in.i32(FileHeaderSize + 8);
    const std::uint16_t planes = in.u16(FileHeaderSize + 12);
    const std::uint16_t bitsPerPixel = in.u16(FileHeaderSize + 14);
    const std::uint32_t compression = in.u32(FileHeaderSize + 16);
    const std::uint32_t coloursUsed = in.u32(FileHeaderSize + 32);

    // The height is widened before it is negated so that the most negative
    // value cannot overflow.
    const bool topDown = storedHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(storedHeight) : storedHeight;
    if (width <= 0 || width > MaxDecodedBitmapSide || height == 0 || height > MaxDecodedBitmapSide)
        return refuse(BitmapDecodeError::BadSize, error);
    if (planes != 1 || (bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24))
        return refuse(BitmapDecodeError::UnsupportedDepth, error);
    if (compression != 0)
        return refuse(BitmapDecodeError::Compressed, error);

    std::vector<Rgb> palette;
    if (bitsPerPixel != 24) {
        const std::uint32_t maxColours = 1u << bitsPerPixel;
        const std::uint32_t colours = coloursUsed == 0 ? maxColours : coloursUsed;
        if (colours > maxColours)
            return refuse(BitmapDecodeError::BadPalette, error);
        const std::uint64_t paletteOffset = FileHeaderSize + static_cast<std::uint64_t>(headerSize);
        if (!in.has(paletteOffset, 4ull * colours))
            return refuse(BitmapDecodeError::Truncated, error);
        for (std::uint32_t index = 0; index < colours; ++index) {
            const std::size_t entry = static_cast<std::size_t>(paletteOffset) + 4 * index;
            palette.push_back({ in.u8(entry + 2), in.u8(entry + 1), in.u8(entry) });
        }
    }

    // Sizes are worked out in 64 bits; with both sides capped they cannot overflow.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (!in.has(pixelOffset, rowBytes * static_cast<std::uint64_t>(height)))
        return refuse(BitmapDecodeError::Truncated, error);

    RgbImage image;
    image.width = width;
    image.height = static_cast<int>(height);
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < image.height; ++y) {
        const int storedRow = topDown ? y : image.height - 1 - y;
        const std::size_t row = pixelOffset + static_cast<std::size_t>(rowBytes) * static_cast<std::size_t>(storedRow);
        for (int x = 0; x < width; ++x) {
            Rgb& out = image.pixels[static_cast<std::size_t>(x + width * y)];
            if (bitsPerPixel == 24) {
                const std::size_t at = row + 3 * static_cast<std::size_t>(x);
                out = { in.u8(at + 2), in.u8(at + 1), in.u8(at) };
                continue;
            }
            std::size_t index = 0;
            if (bitsPerPixel == 8) {
                index = in.u8(row + static_cast<std::size_t>(x));
            } else {
                const std::uint8_t pair = in.u8(row + static_cast<std::size_t>(x / 2));
                index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            }
            if (index >= palette.size())
                return refuse(BitmapDecodeError::BadPalette, error);
            out = palette[index];
        }
    }
    return image;
}

std::optional<RgbImage> decodeBitmapResource(int resourceId, BitmapDecodeError* error)
{
    return decodeBitmap(embeddedResource(resourceId), error);
}

} // namespace glyphsmith
