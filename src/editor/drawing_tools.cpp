#include "editor/drawing_tools.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace glyphsmith {

namespace {

bool inside(const Glyph& glyph, int x, int y)
{
    return x >= 0 && y >= 0 && x < std::min<int>(glyph.width, MaxGlyphSize) && y < std::min<int>(glyph.height, MaxGlyphSize);
}

void put(Glyph& glyph, int x, int y, bool value)
{
    if (inside(glyph, x, y))
        glyph.cell(x, y) = value;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

GlyphPoint constrainedEnd(GlyphPoint from, GlyphPoint to)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int ax = std::abs(dx);
    const int ay = std::abs(dy);
    // Within half of 45 degrees of an axis the line lies on the axis:
    // tan(22.5 degrees) is about 0.414, so compare 2.414 times the shorter side.
    if (ay * 1000 <= ax * 414)
        return { to.x, from.y };
    if (ax * 1000 <= ay * 414)
        return { from.x, to.y };
    const int length = std::max(ax, ay);
    return { from.x + sign(dx) * length, from.y + sign(dy) * length };
}

void drawLine(Glyph& glyph, GlyphPoint from, GlyphPoint to, bool value)
{
    // Bresenham's walk: one cell per step along the longer axis, the other
    // axis stepping whenever the error passes half a cell.
    const int dx = std::abs(to.x - from.x);
    const int dy = -std::abs(to.y - from.y);
    const int stepX = from.x < to.x ? 1 : -1;
    const int stepY = from.y < to.y ? 1 : -1;
    int error = dx + dy;
    int x = from.x;
    int y = from.y;
    for (;;) {
        put(glyph, x, y, value);
        if (x == to.x && y == to.y)
            return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

void drawRectangle(Glyph& glyph, GlyphPoint a, GlyphPoint b, bool filled, bool value)
{
    // Only the part that can land inside the grid is walked.
    const int left = std::max(std::min(a.x, b.x), -1);
    const int right = std::min(std::max(a.x, b.x), MaxGlyphSize);
    const int top = std::max(std::min(a.y, b.y), -1);
    const int bottom = std::min(std::max(a.y, b.y), MaxGlyphSize);
    for (int x = left; x <= right; ++x)
        for (int y = top; y <= bottom; ++y)
            if (filled || x == std::min(a.x, b.x) || x == std::max(a.x, b.x) || y == std::min(a.y, b.y)
                || y == std::max(a.y, b.y))
                put(glyph, x, y, value);
}

void floodFill(Glyph& glyph, GlyphPoint start, bool value)
{
    if (!inside(glyph, start.x, start.y))
        return;
    const bool from = glyph.cell(start.x, start.y);
    if (from == value)
        return;
    // Every cell pushed takes the new value at once, so none is pushed twice.
    std::vector<GlyphPoint> pending { start };
    glyph.cell(start.x, start.y) = value;
    while (!pending.empty()) {
        const GlyphPoint at = pending.back();
        pending.pop_back();
        for (const GlyphPoint next : { GlyphPoint { at.x - 1, at.y }, GlyphPoint { at.x + 1, at.y },
                 GlyphPoint { at.x, at.y - 1 }, GlyphPoint { at.x, at.y + 1 } }) {
            if (inside(glyph, next.x, next.y) && glyph.cell(next.x, next.y) == from) {
                glyph.cell(next.x, next.y) = value;
                pending.push_back(next);
            }
        }
    }
}

} // namespace glyphsmith
