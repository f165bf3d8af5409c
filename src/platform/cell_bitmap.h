#pragma once

// Decodes the cell bitmap resource (and any other small uncompressed BMP) into
// plain RGB pixels, for a backend that has no picture decoder of its own.
// Accepted: 4-bit and 8-bit paletted or 24-bit pixels, no compression, rows
// stored bottom-up or top-down. Everything is bounds-checked against the bytes
// given; a malformed file is refused with a reason and never read past.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/system_font_renderer.h"

namespace glyphsmith {

// An RGB picture; pixel (x, y), x to the right and y downward, is at x + width * y.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb pixel(int x, int y) const { return pixels[static_cast<std::size_t>(x + width * y)]; }
};

enum class BitmapDecodeError {
    Truncated,         // the headers, the palette or the pixel rows run past the end
    BadSignature,      // does not begin with "BM"
    UnsupportedHeader, // an information header other than the 40, 108 or 124 byte kinds
    BadSize,           // width or height is 0, negative where it may not be, or above the limit
    UnsupportedDepth,  // not 4, 8 or 24 bits per pixel, or more than one plane
    Compressed,        // any compression
    BadPalette,        // more palette entries than the depth allows, or a pixel naming a missing entry
};

// Widest and tallest picture accepted; the cell bitmap is 32 x 16.
inline constexpr int MaxDecodedBitmapSide = 4096;

// Decodes `bytes`; on failure returns nullopt and, when `error` is given, says why.
std::optional<RgbImage> decodeBitmap(std::span<const std::uint8_t> bytes, BitmapDecodeError* error = nullptr);

// Decodes the embedded bitmap resource `resourceId`; nullopt when it is
// malformed or missing (a missing resource reads as an empty, truncated file).
std::optional<RgbImage> decodeBitmapResource(int resourceId, BitmapDecodeError* error = nullptr);

} // namespace glyphsmith
