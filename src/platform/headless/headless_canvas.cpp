#include "platform/headless/headless_canvas.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <stdexcept>
#include <string>

namespace glyphsmith {

void HeadlessCanvas::resize(PixelSize size)
{
    const int width = std::max(size.width, 0);
    const int height = std::max(size.height, 0);
    std::vector<Rgb> resized(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), DialogBackgroundColour);
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            resized[static_cast<std::size_t>(x + width * y)] = pixel(x, y);
    pixels_ = std::move(resized);
    width_ = width;
    height_ = height;
}

void HeadlessCanvas::erase()
{
    std::ranges::fill(pixels_, DialogBackgroundColour);
}

Rgb HeadlessCanvas::pixel(int x, int y) const
{
    if (!contains(x, y))
        throw std::out_of_range("client pixel (" + std::to_string(x) + ", " + std::to_string(y)
            + ") lies outside the " + std::to_string(width_) + " x " + std::to_string(height_) + " client area");
    return pixels_[static_cast<std::size_t>(x + width_ * y)];
}

void HeadlessCanvas::fillRect(PixelRect rect, Rgb colour)
{
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, width_);
    const int bottom = std::min(rect.bottom, height_);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            pixels_[static_cast<std::size_t>(x + width_ * y)] = colour;
}

namespace {

// The offsets 0 <= i < count for which both from + i lies in [0, fromLimit)
// and to + i lies in [0, toLimit), as a half-open range. Worked out in 64 bits
// so that blocks far outside either picture cannot overflow.
std::pair<int, int> clippedSpan(int count, int from, int fromLimit, int to, int toLimit)
{
    const std::int64_t first = std::max<std::int64_t>({ 0, -static_cast<std::int64_t>(from), -static_cast<std::int64_t>(to) });
    const std::int64_t last = std::min<std::int64_t>({ count, static_cast<std::int64_t>(fromLimit) - from,
        static_cast<std::int64_t>(toLimit) - to });
    if (last <= first)
        return { 0, 0 };
    return { static_cast<int>(first), static_cast<int>(last) };
}

} // namespace

void HeadlessCanvas::copyBlock(
    const RgbImage& source, int sourceX, int sourceY, int width, int height, int destX, int destY)
{
    const auto [firstColumn, endColumn] = clippedSpan(width, sourceX, source.width, destX, width_);
    const auto [firstRow, endRow] = clippedSpan(height, sourceY, source.height, destY, height_);
    for (int row = firstRow; row < endRow; ++row)
        for (int column = firstColumn; column < endColumn; ++column)
            pixels_[static_cast<std::size_t>(destX + column + width_ * (destY + row))]
                = source.pixel(sourceX + column, sourceY + row);
}

} // namespace glyphsmith
