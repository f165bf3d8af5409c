#pragma once

// The headless dialog's client area as an RGB picture. It holds only what was
// painted on it: the background erase and the editor's own drawing. Controls
// are not drawn. Every operation clips to the canvas.

#include <vector>

#include "platform/cell_bitmap.h"
#include "platform/window_system.h"

namespace glyphsmith {

// The dialog's ordinary background colour, which an erase paints.
inline constexpr Rgb DialogBackgroundColour { 240, 240, 240 };

class HeadlessCanvas {
public:
    PixelSize size() const { return { width_, height_ }; }

    // Changes the size, keeping what lies inside both the old and the new
    // area; newly uncovered pixels take the background colour.
    void resize(PixelSize size);

    // Paints the whole canvas in the background colour.
    void erase();

    Rgb pixel(int x, int y) const;
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void fillRect(PixelRect rect, Rgb colour);

    // Copies the width x height block at (sourceX, sourceY) of `source` to
    // (destX, destY), pixel for pixel. Parts of the block outside the source
    // or outside the canvas are skipped.
    void copyBlock(const RgbImage& source, int sourceX, int sourceY, int width, int height, int destX, int destY);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

} // namespace glyphsmith
