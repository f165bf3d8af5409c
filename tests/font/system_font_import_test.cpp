#include "font/bitmap_font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_boxes.h"
#include "platform/system_font_renderer.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

constexpr Rgb Blue{ 0, 0, 255 };
constexpr Rgb Black{ 0, 0, 0 };
constexpr Rgb White{ 255, 255, 255 };

// One drawn character: a white box of width x height at the top-left corner,
// with single pixels painted over it (ink or stray colours), clipped to the square.
struct FakeCharacter {
    int width = 0;
    int height = 0;
    std::vector<std::pair<std::pair<int, int>, Rgb>> pixels;
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
        square.fill(Blue);
        auto found = characters.find(code);
        const FakeCharacter& character = found != characters.end() ? found->second : everyCharacter;
        for (int y = 0; y < std::min(character.height, RenderSquareSize); ++y)
            for (int x = 0; x < std::min(character.width, RenderSquareSize); ++x)
                square[x + RenderSquareSize * y] = White;
        for (const auto& [at, colour] : character.pixels)
            if (at.first < RenderSquareSize && at.second < RenderSquareSize)
                square[at.first + RenderSquareSize * at.second] = colour;
    }

    bool canSelect = true;
    bool selected = false;
    FakeCharacter everyCharacter; // drawn for codes without an entry in `characters`
    std::map<int, FakeCharacter> characters;
    std::vector<int> requestedPoints;
    std::vector<int> drawnCodes;
};

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class RecordingMessages : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override
    {
        shown.push_back({ std::string(text), std::string(caption), buttons });
        return MessageResult::Ok;
    }
    std::vector<ShownMessage> shown;
};

const std::string ImportNotice =
    "Loading TrueType fonts is only partially supported. Only the standard system font can be loaded, at any "
    "point size you desire (use the height indicator)";
const std::string SaveRefusal = "Saving TrueType fonts is not supported, nor will it be.";

// A font whose every glyph is 5 x 7 with every cell set, so that anything the
// import fails to replace shows.
std::unique_ptr<BitmapFont> filledFont(int lineHeight)
{
    auto font = std::make_unique<BitmapFont>();
    font->lineHeight = lineHeight;
    for (Glyph& glyph : font->glyphs) {
        glyph.width = 5;
        glyph.height = 7;
        glyph.pixels.fill(1);
    }
    return font;
}

int setCellCount(const Glyph& glyph)
{
    int count = 0;
    for (std::int32_t cell : glyph.pixels)
        count += cell;
    return count;
}

TEST(SystemFontImport, GlyphSizeIsTheBoxSizeUpTo63)
{
    struct Row {
        int boxWidth;
        int boxHeight;
        int width;
        int height;
    };
    const Row rows[] = {
        { 6, 10, 6, 10 },
        { 63, 63, 63, 63 },
        { 64, 12, 0, 12 },  // no marker to the right on the top row
        { 12, 64, 12, 0 },  // no marker below any column
        { 90, 100, 0, 0 },  // clipped to the square
        { 0, 15, 0, 0 },    // a box of no width leaves the top-left pixel blue
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.boxWidth) + " x " + std::to_string(row.boxHeight));
        FakeRenderer renderer;
        renderer.everyCharacter = { row.boxWidth, row.boxHeight, {} };
        RecordingMessages messages;
        auto font = filledFont(12);

        EXPECT_TRUE(font->importSystemFont("/nowhere/missing.ttf", renderer, messages).ok());
        for (int code = 1; code < GlyphCount; ++code) {
            EXPECT_EQ(font->glyphs[code].width, row.width) << "code " << code;
            EXPECT_EQ(font->glyphs[code].height, row.height) << "code " << code;
            EXPECT_EQ(setCellCount(font->glyphs[code]), 0) << "code " << code;
        }
    }
}

TEST(SystemFontImport, BlackInkBecomesSetCellsOversizedBoxesKeepTheirInkAndTheNoticeFollows)
{
    FakeRenderer renderer;
    renderer.characters['A'] = { 5, 8, { { { 0, 0 }, Black }, { { 4, 7 }, Black }, { { 2, 3 }, Black } } };
    // 64 pixels wide and high: no marker anywhere, yet every column is read.
    renderer.characters['W'] = { 64, 64, { { { 63, 63 }, Black }, { { 40, 0 }, Black } } };
    RecordingMessages messages;
    auto font = std::make_unique<BitmapFont>();

    ASSERT_TRUE(font->importSystemFont("font.ttf", renderer, messages).ok());
    const Glyph& a = font->glyphs['A'];
    EXPECT_EQ(a.width, 5);
    EXPECT_EQ(a.height, 8);
    EXPECT_EQ(a.cell(0, 0) + a.cell(4, 7) + a.cell(2, 3), 3);
    EXPECT_EQ(setCellCount(a), 3);

    const Glyph& w = font->glyphs['W'];
    EXPECT_EQ(w.width, 0);
    EXPECT_EQ(w.height, 0);
    EXPECT_EQ(w.cell(63, 63) + w.cell(40, 0), 2);
    EXPECT_EQ(setCellCount(w), 2);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, ImportNotice);
    EXPECT_EQ(messages.shown[0].caption, "");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

TEST(SystemFontImport, AnyColourOtherThanBlackOrWhiteIsAMarker)
{
    FakeRenderer renderer;
    // Almost black on the top row ends the glyph there: nothing after it is read.
    renderer.characters['a'] = { 8, 10, { { { 3, 0 }, Rgb{ 1, 0, 0 } }, { { 5, 2 }, Black } } };
    // A grey pixel down the last column gives the height and hides the ink below it.
    renderer.characters['b'] = { 8, 10, { { { 7, 5 }, Rgb{ 128, 128, 128 } }, { { 7, 7 }, Black } } };
    // Ink outside the box is never reached: the scan stops at the width marker.
    renderer.characters['c'] = { 4, 6, { { { 20, 5 }, Black } } };
    RecordingMessages messages;
    auto font = std::make_unique<BitmapFont>();

    ASSERT_TRUE(font->importSystemFont("font.ttf", renderer, messages).ok());
    EXPECT_EQ(font->glyphs['a'].width, 3);
    EXPECT_EQ(font->glyphs['a'].height, 10);
    EXPECT_EQ(setCellCount(font->glyphs['a']), 0);

    EXPECT_EQ(font->glyphs['b'].width, 8);
    EXPECT_EQ(font->glyphs['b'].height, 5);
    EXPECT_EQ(font->glyphs['b'].cell(7, 7), 0);

    EXPECT_EQ(font->glyphs['c'].width, 4);
    EXPECT_EQ(font->glyphs['c'].height, 6);
    EXPECT_EQ(font->glyphs['c'].cell(20, 5), 0);
}

TEST(SystemFontImport, GlyphZeroIsAlwaysEmpty)
{
    FakeRenderer renderer;
    // Even a renderer that draws something for code 0 does not fill glyph 0.
    renderer.everyCharacter = { 7, 9, { { { 1, 1 }, Black } } };
    RecordingMessages messages;
    auto font = filledFont(10);

    ASSERT_TRUE(font->importSystemFont("font.ttf", renderer, messages).ok());
    EXPECT_EQ(font->glyphs[0].width, 0);
    EXPECT_EQ(font->glyphs[0].height, 0);
    EXPECT_EQ(setCellCount(font->glyphs[0]), 0);
    EXPECT_EQ(font->glyphs[1].width, 7);
    EXPECT_EQ(font->glyphs[127].height, 9);
    EXPECT_EQ(renderer.drawnCodes.size(), 127u);
}

TEST(SystemFontImport, RequestsLineHeightPointsAndKeepsLineHeight)
{
    struct Row {
        int lineHeight;
        int points;
    };
    const Row rows[] = { { 12, 12 }, { 0, 0 }, { 1, 1 }, { 65535, 65535 }, { -5, 0 } };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lineHeight);
        FakeRenderer renderer;
        renderer.everyCharacter = { 3, 4, {} };
        RecordingMessages messages;
        auto font = filledFont(row.lineHeight);

        ASSERT_TRUE(font->importSystemFont("font.ttf", renderer, messages).ok());
        EXPECT_EQ(renderer.requestedPoints, std::vector<int>{ row.points });
        EXPECT_EQ(font->lineHeight, row.lineHeight);
    }
}

TEST(SystemFontImport, FailingFontChoiceLeavesTheFontUntouchedAndSaysNothing)
{
    FakeRenderer renderer;
    renderer.canSelect = false;
    RecordingMessages messages;
    auto font = filledFont(12);
    const auto before = std::make_unique<BitmapFont>(*font);

    const FileResult result = font->importSystemFont("font.ttf", renderer, messages);
    EXPECT_EQ(result.outcome, FileOutcome::Failed);
    EXPECT_EQ(result.error, FileError::NoSystemFont);
    EXPECT_FALSE(describe(result).empty());
    EXPECT_TRUE(*font == *before);
    EXPECT_TRUE(renderer.drawnCodes.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SaveAsTrueType, IsRefusedWithAMessageAndTouchesNoFile)
{
    TestFolder folder;
    folder.write("kept.ttf", { 1, 2, 3 });
    auto font = filledFont(12);
    const auto before = std::make_unique<BitmapFont>(*font);
    RecordingMessages messages;

    EXPECT_EQ(font->writeTtf(folder.path("new.ttf"), messages).outcome, FileOutcome::Refused);
    EXPECT_EQ(font->writeTtf(folder.path("kept.ttf"), messages).outcome, FileOutcome::Refused);

    EXPECT_EQ(folder.entries(), std::vector<std::string>{ "kept.ttf" });
    EXPECT_EQ(folder.read("kept.ttf"), (std::vector<std::uint8_t>{ 1, 2, 3 }));
    EXPECT_TRUE(*font == *before);
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const ShownMessage& shown : messages.shown) {
        EXPECT_EQ(shown.text, SaveRefusal);
        EXPECT_EQ(shown.caption, "");
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    }
}

} // namespace
} // namespace glyphsmith
