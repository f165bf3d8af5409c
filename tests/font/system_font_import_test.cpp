#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "platform/system_font_renderer.h"
#include "recording_messages.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb White{ 255, 255, 255 };

struct Ink {
    int x, y;
    Rgb colour = Black;
};

// One drawn character: a white box at the top-left corner of the blue square,
// with single pixels painted over it.
struct FakeCharacter {
    int width = 0;
    int height = 0;
    std::vector<Ink> ink;
};

class FakeRenderer : public SystemFontRenderer {
public:
    bool selectFont(int points) override
    {
        requestedPoints.push_back(points);
        selected = canSelect;
        return canSelect;
    }

    void drawCharacter(int code, RenderSquare& square) override
    {
        EXPECT_TRUE(selected) << "drawCharacter called without a selected font";
        drawnCodes.push_back(code);
        square.fill(Rgb{ 0, 0, 255 });
        const auto found = characters.find(code);
        const FakeCharacter& character = found != characters.end() ? found->second : everyCharacter;
        for (int y = 0; y < std::min(character.height, RenderSquareSize); ++y)
            for (int x = 0; x < std::min(character.width, RenderSquareSize); ++x)
                square[x + RenderSquareSize * y] = White;
        for (const Ink& ink : character.ink)
            square[ink.x + RenderSquareSize * ink.y] = ink.colour;
    }

    bool canSelect = true;
    bool selected = false;
    FakeCharacter everyCharacter; // drawn for codes without an entry in `characters`
    std::map<int, FakeCharacter> characters;
    std::vector<int> requestedPoints;
    std::vector<int> drawnCodes;
};

// Every glyph 5 x 7 with every cell set, so that anything the import fails to
// replace shows.
std::unique_ptr<BitmapFont> filledFont(int lineHeight)
{
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = lineHeight;
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 5;
        glyph.height = 7;
        glyph.pixels.fill(~std::uint64_t{ 0 });
    }
    return font;
}

Glyph glyphOf(int width, int height, std::initializer_list<std::pair<int, int>> setCells)
{
    Glyph glyph;
    glyph.width = width;
    glyph.height = height;
    for (auto [x, y] : setCells)
        glyph.cell(x, y) = 1;
    return glyph;
}

TEST(SystemFontImport, GlyphsTakeTheBoxSizeUpTo63AndTheLineHeightIsThePointSize)
{
    struct Row {
        int boxWidth, boxHeight, width, height, lineHeight, points;
    };
    const Row rows[] = {
        { 6, 10, 6, 10, 12, 12 },
        { 63, 63, 63, 63, 0, 0 },
        { 0, 15, 0, 0, -5, 0 }, // a box of no width leaves the top-left pixel blue; no negative point size
    };
    std::vector<int> codesButZero(GlyphCount - 1);
    std::iota(codesButZero.begin(), codesButZero.end(), 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.boxWidth << " x " << row.boxHeight);
        FakeRenderer renderer;
        renderer.everyCharacter = { row.boxWidth, row.boxHeight, {} };
        RecordingMessages messages;
        auto font = filledFont(row.lineHeight);

        ASSERT_TRUE(font->importSystemFont("/nowhere/missing.ttf", renderer, messages).ok());
        EXPECT_EQ(renderer.requestedPoints, std::vector<int>{ row.points });
        EXPECT_EQ(font->lineHeight, row.lineHeight);
        // Code 0 is not drawn and glyph 0 is left empty.
        EXPECT_EQ(renderer.drawnCodes, codesButZero);
        EXPECT_EQ(font->glyphs[0], Glyph{});
        for (int code = 1; code < GlyphCount; ++code)
            EXPECT_EQ(font->glyphs[code], glyphOf(row.width, row.height, {})) << "code " << code;
    }
}

TEST(SystemFontImport, BlackIsSetWhiteClearAndAnyOtherColourAMarker)
{
    FakeRenderer renderer;
    renderer.characters['A'] = { 5, 8, { { 0, 0 }, { 4, 7 }, { 2, 3 } } };
    // Almost black on the top row ends the glyph there: nothing after it is read.
    renderer.characters['a'] = { 8, 10, { { 3, 0, Rgb{ 1, 0, 0 } }, { 5, 2 } } };
    // Almost white down the last column gives the height and hides the ink below it.
    renderer.characters['b'] = { 8, 10, { { 7, 5, Rgb{ 255, 255, 254 } }, { 7, 7 } } };
    RecordingMessages messages;
    auto font = filledFont(12);

    ASSERT_TRUE(font->importSystemFont("font.ttf", renderer, messages).ok());
    EXPECT_EQ(font->glyphs['A'], glyphOf(5, 8, { { 0, 0 }, { 4, 7 }, { 2, 3 } }));
    EXPECT_EQ(font->glyphs['a'], glyphOf(3, 10, {}));
    EXPECT_EQ(font->glyphs['b'], glyphOf(8, 5, {}));
    EXPECT_EQ(messages.shown, std::vector{ okBox("Loading TrueType fonts is only partially supported. Only the "
                                                 "standard system font can be loaded, at any point size you desire "
                                                 "(use the height indicator)") });
}

TEST(SystemFontImport, ACellTooLargeForAGlyphOrNoFontIsRefusedAndLeavesTheFontUntouched)
{
    struct Row {
        const char* name;
        FakeCharacter character;
        FileError error = FileError::GlyphCellTooLarge;
    };
    const Row rows[] = {
        { "64 wide: no marker on the top row", { 64, 12, {} } },
        { "63 wide with ink over the marker", { 63, 12, { { 63, 0 } } } },
        { "64 high: no marker below the first column", { 12, 64, {} } },
        { "64 high in every column but the first", { 12, 64, { { 0, 20, Rgb{ 0, 0, 255 } } } } },
        { "clipped on both sides", { 90, 100, {} } },
        { "no font can be chosen: nothing is drawn", { 5, 5, {} }, FileError::NoSystemFont },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FakeRenderer renderer;
        renderer.canSelect = row.error != FileError::NoSystemFont;
        renderer.everyCharacter = { 5, 5, {} };
        renderer.characters['M'] = row.character;
        // A control character as wide as a tab stop does not count.
        renderer.characters['\t'] = { 80, 5, {} };
        RecordingMessages messages;
        auto font = filledFont(41);
        const auto before = std::make_unique<BitmapFont>(*font);

        const FileResult result = font->importSystemFont("font.ttf", renderer, messages);
        EXPECT_EQ(result.outcome, FileOutcome::Failed);
        EXPECT_EQ(result.error, row.error);
        if (renderer.canSelect) {
            EXPECT_EQ(result.character, 'M');
            EXPECT_NE(describe(result).find("choose a smaller size"), std::string::npos);
        } else {
            EXPECT_TRUE(renderer.drawnCodes.empty());
        }
        EXPECT_TRUE(*font == *before);
        EXPECT_TRUE(messages.shown.empty());
    }
}

} // namespace
} // namespace glyphsmith
