#pragma once

// Draws characters of the window system's standard font, for building a font
// from it. The font code scans what is drawn; only the drawing lives here.

#include <array>
#include <cstdint>

namespace glyphsmith {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

inline constexpr int RenderSquareSize = 64;

// A 64 x 64 picture; pixel (x, y), x to the right and y downward, is at x + 64 * y.
using RenderSquare = std::array<Rgb, RenderSquareSize * RenderSquareSize>;

class SystemFontRenderer {
public:
    virtual ~SystemFontRenderer() = default;

    // Chooses the standard font at `points` points (0 asks for the default
    // size). Returns false when no such font or no drawing surface can be had;
    // drawCharacter may only be called after it returned true.
    virtual bool selectFont(int points) = 0;

    // Fills `square` with pure blue (0, 0, 255), then draws the character
    // with code `code` at its top-left corner: black ink on an opaque white box
    // as wide as the character's advance and as high as the font's line,
    // clipped to the square. Code 0 draws nothing. No smoothing: every pixel
    // is exactly black, white or blue.
    virtual void drawCharacter(int code, RenderSquare& square) = 0;
};

} // namespace glyphsmith
