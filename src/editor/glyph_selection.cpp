#include "editor/glyph_selection.h"

#include <algorithm>

namespace glyphsmith {

FloatingPixels liftPixels(const Glyph& glyph, GlyphPoint a, GlyphPoint b)
{
    const int usedWidth = std::clamp<int>(glyph.width, 0, MaxGlyphSize);
    const int usedHeight = std::clamp<int>(glyph.height, 0, MaxGlyphSize);
    const int left = std::max(std::min(a.x, b.x), 0);
    const int top = std::max(std::min(a.y, b.y), 0);
    const int right = std::min(std::max(a.x, b.x) + 1, usedWidth);
    const int bottom = std::min(std::max(a.y, b.y) + 1, usedHeight);
    FloatingPixels floating { glyph, Glyph {}, { left, top } };
    floating.pixels.width = std::max(right - left, 0);
    floating.pixels.height = std::max(bottom - top, 0);
    for (int x = left; x < right; ++x)
        for (int y = top; y < bottom; ++y) {
            floating.pixels.cell(x - left, y - top) = glyph.cell(x, y);
            floating.under.cell(x, y) = false;
        }
    return floating;
}

Glyph composed(const FloatingPixels& floating)
{
    Glyph glyph = floating.under;
    const int usedWidth = std::clamp<int>(glyph.width, 0, MaxGlyphSize);
    const int usedHeight = std::clamp<int>(glyph.height, 0, MaxGlyphSize);
    for (int x = std::max(floating.at.x, 0); x < std::min(floating.at.x + floating.pixels.width, usedWidth); ++x)
        for (int y = std::max(floating.at.y, 0); y < std::min(floating.at.y + floating.pixels.height, usedHeight); ++y)
            glyph.cell(x, y) = floating.pixels.cell(x - floating.at.x, y - floating.at.y);
    return glyph;
}

} // namespace glyphsmith
