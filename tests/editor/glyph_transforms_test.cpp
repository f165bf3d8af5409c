#include "editor/glyph_transforms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace glyphsmith {
namespace {

// Every one of the 4096 cells gets a value, so that cells outside the used
// area hold something a faulty transform could read or move.
Glyph randomGlyph(std::mt19937& random, int width, int height)
{
    Glyph glyph;
    glyph.width = width;
    glyph.height = height;
    std::bernoulli_distribution set(std::uniform_real_distribution<double>(0.05, 0.6)(random));
    for (int x = 0; x < MaxGlyphSize; ++x)
        for (int y = 0; y < MaxGlyphSize; ++y)
            glyph.cell(x, y) = set(random);
    return glyph;
}

// A glyph drawn as rows of '#' (set) and '.' (clear); the rest of the grid is clear.
Glyph drawn(const std::vector<std::string>& rows)
{
    Glyph glyph;
    glyph.height = static_cast<int>(rows.size());
    glyph.width = rows.empty() ? 0 : static_cast<int>(rows[0].size());
    for (int y = 0; y < glyph.height; ++y)
        for (int x = 0; x < glyph.width; ++x)
            glyph.cell(x, y) = rows[y][x] == '#' ? 1 : 0;
    return glyph;
}

// The picture moved by (dx, dy) within the used area, wrapping at its edges.
Glyph rotated(const Glyph& glyph, int dx, int dy)
{
    Glyph result = glyph;
    const int w = glyph.width;
    const int h = glyph.height;
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            result.cell((x + dx + w) % w, (y + dy + h) % h) = glyph.cell(x, y);
    return result;
}

struct Outlined {
    Glyph glyph;
    Glyph mask;
};

// The outline by its definition: in the grown area a cell is set when it is
// not an old pixel moved one right and one down but touches one of them,
// diagonals included. Only the first 62 old columns and rows count, as the
// grown glyph has no room for the ring around any further ones.
Outlined referenceOutline(const Glyph& old)
{
    const int w = std::min<int>(old.width, 62);
    const int h = std::min<int>(old.height, 62);
    auto oldPixel = [&](int x, int y) { return x >= 0 && y >= 0 && x < w && y < h && old.cell(x, y) != 0; };
    Outlined result { old, Glyph {} };
    result.glyph.width = w + 2;
    result.glyph.height = h + 2;
    for (int x = 0; x < w + 2; ++x)
        for (int y = 0; y < h + 2; ++y) {
            bool near = false;
            for (int dx = -2; dx <= 0; ++dx)
                for (int dy = -2; dy <= 0; ++dy)
                    near = near || oldPixel(x + dx, y + dy);
            result.mask.cell(x, y) = near ? 1 : 0;
            result.glyph.cell(x, y) = near && !oldPixel(x - 1, y - 1) ? 1 : 0;
        }
    return result;
}

TEST(GlyphShifts, RotateOnlyTheUsedArea)
{
    struct Case {
        const char* name;
        void (*shift)(Glyph&);
        int dx, dy;
    };
    const Case cases[] = {
        { "up", shiftGlyphUp, 0, -1 },
        { "down", shiftGlyphDown, 0, 1 },
        { "left", shiftGlyphLeft, -1, 0 },
        { "right", shiftGlyphRight, 1, 0 },
    };
    const int sizes[][2] = { { 0, 0 }, { 5, 0 }, { 0, 5 }, { 1, 1 }, { 1, 7 }, { 7, 1 }, { 3, 2 }, { 13, 9 }, { 63, 64 }, { 64, 64 } };
    std::mt19937 random(7);
    for (const Case& c : cases) {
        for (const auto& [w, h] : sizes) {
            Glyph glyph = randomGlyph(random, w, h);
            const Glyph expected = rotated(glyph, c.dx, c.dy);
            c.shift(glyph);
            EXPECT_EQ(glyph, expected) << c.name << " " << w << " x " << h;
        }
    }
}

TEST(OutlineGlyph, DrawsTheRingAroundTheOldPixels)
{
    struct Case {
        std::vector<std::string> before, after;
    };
    const Case cases[] = {
        { { "#" }, { "###", "#.#", "###" } },
        { { "###" }, { "#####", "#...#", "#####" } },
        { { "#.", ".#" }, { "###.", "#.##", "##.#", ".###" } },
        { {}, { "..", ".." } },
        { { "...", "..." }, { ".....", ".....", ".....", "....." } },
    };
    for (const Case& c : cases) {
        Glyph glyph = drawn(c.before);
        Glyph scratch;
        scratch.pixels.fill(~std::uint64_t{ 0 });
        outlineGlyph(glyph, scratch);
        EXPECT_EQ(glyph, drawn(c.after)) << c.after.size();
        EXPECT_EQ(scratch, referenceOutline(drawn(c.before)).mask);
    }
}

TEST(OutlineGlyph, MatchesTheDefinitionOnRandomGlyphs)
{
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> size(0, 64);
    Glyph scratch;
    for (int i = 0; i < 400; ++i) {
        // Cells beyond the old edges are random too, and every fourth glyph
        // sits at or near the 64 cap in one direction or both.
        const bool capped = i % 4 == 0;
        const Glyph before = randomGlyph(random, capped ? 61 + i % 16 / 4 : size(random), i % 8 == 0 ? 64 : size(random));
        const Outlined expected = referenceOutline(before);
        Glyph glyph = before;
        outlineGlyph(glyph, scratch);
        ASSERT_EQ(glyph, expected.glyph) << before.width << " x " << before.height << " #" << i;
        ASSERT_EQ(scratch, expected.mask) << before.width << " x " << before.height << " #" << i;
    }
}

TEST(OutlineAllGlyphs, OutlinesEachGlyphOnItsOwn)
{
    std::mt19937 random(11);
    auto font = std::make_unique<BitmapFont>();
    for (Glyph& glyph : font->glyphs)
        glyph = randomGlyph(random, random() % 65, random() % 65);
    const auto before = std::make_unique<BitmapFont>(*font);
    Glyph scratch;
    outlineAllGlyphs(*font, scratch);
    for (int c = 0; c < GlyphCount; ++c)
        ASSERT_EQ(font->glyphs[c], referenceOutline(before->glyphs[c]).glyph) << c;
    EXPECT_EQ(scratch, referenceOutline(before->glyphs[GlyphCount - 1]).mask);
}

} // namespace
} // namespace glyphsmith
