#include "platform/headless/headless_canvas.h"

#include <gtest/gtest.h>

#include <climits>

namespace glyphsmith {
namespace {

// A picture in which every pixel has its own colour.
RgbImage numberedImage(int width, int height)
{
    RgbImage image { width, height, {} };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back({ static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 7 });
    return image;
}

TEST(HeadlessCanvas, BlockCopiesMatchAPixelByPixelReference)
{
    const RgbImage source = numberedImage(5, 4);
    const int offsets[] = { -7, -2, 0, 1, 3, 6 };
    for (int sourceX : offsets)
        for (int sourceY : offsets)
            for (int destX : offsets)
                for (int destY : { -3, 0, 2 })
                    for (int size : { 0, 1, 3, 9 }) {
                        HeadlessCanvas canvas;
                        canvas.resize({ 6, 5 });
                        canvas.copyBlock(source, sourceX, sourceY, size, size - 1, destX, destY);
                        for (int y = 0; y < 5; ++y) {
                            for (int x = 0; x < 6; ++x) {
                                // The obvious rule: a canvas pixel inside the block whose
                                // source lies inside the picture takes that pixel.
                                const int fromX = x - destX + sourceX;
                                const int fromY = y - destY + sourceY;
                                const bool inBlock = x >= destX && x < destX + size && y >= destY && y < destY + size - 1;
                                const bool inSource = fromX >= 0 && fromY >= 0 && fromX < 5 && fromY < 4;
                                const Rgb want = inBlock && inSource ? source.pixel(fromX, fromY) : DialogBackgroundColour;
                                ASSERT_EQ(canvas.pixel(x, y), want) << "block " << sourceX << "," << sourceY << " size "
                                                                    << size << " to " << destX << "," << destY
                                                                    << " at " << x << "," << y;
                            }
                        }
                    }
}

TEST(HeadlessCanvas, HugeOrFarBlocksAndFillsAreClippedWithoutOverflow)
{
    const RgbImage source = numberedImage(5, 4);
    const Rgb fill { 1, 2, 3 };
    HeadlessCanvas canvas;
    canvas.resize({ 6, 5 });
    canvas.fillRect({ -5, -5, 100, 2 }, fill);
    canvas.copyBlock(source, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    canvas.copyBlock(source, 0, 0, INT_MAX, INT_MAX, 1, 1);
    EXPECT_EQ(canvas.pixel(0, 0), fill);
    EXPECT_EQ(canvas.pixel(5, 1), source.pixel(4, 0));
    EXPECT_EQ(canvas.pixel(0, 2), DialogBackgroundColour);
    EXPECT_EQ(canvas.pixel(5, 4), source.pixel(4, 3));
    EXPECT_THROW(canvas.pixel(6, 0), std::out_of_range) << "a test that reads past the canvas fails";
}

} // namespace
} // namespace glyphsmith
