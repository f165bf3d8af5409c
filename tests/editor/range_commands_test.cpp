// A range of glyphs selected in the overview, and the commands over it as one
// step of the history each.

#include <functional>
#include <memory>
#include <random>

#include "editor_session.h"

namespace glyphsmith {
namespace {

constexpr Rgb RangeColour { 0, 120, 215 };

class Range : public EditorSession {
protected:
    // Glyphs 32 to 126 (the 95 printable letters) get random pixels.
    void openWithLetters()
    {
        std::mt19937 random(95);
        for (int code = 32; code < 127; ++code) {
            glyph(code).width = 3 + code % 5;
            glyph(code).height = 9;
            for (int x = 0; x < 64; ++x)
                glyph(code).pixels[x] = random();
        }
        open();
    }
    // A click on the overview cell of `code`, with the mouse keys `keys`.
    void clickCode(int code, unsigned keys)
    {
        const GridCellSize cell = font->gridCellSize();
        ws.userMouse(MouseAction::LeftPress, 120 + 2 * cell.width * (code % 16) + 1, 32 + 2 * cell.height * (code / 16) + 1, keys);
        ws.userMouse(MouseAction::Release, 0, 0, 0);
    }
    // Letter `first` chosen, back to the overview, Shift+click on `last`.
    void selectCodes(int first, int last)
    {
        ws.userReplacesText(LetterNumberBox, std::to_string(first));
        ws.userClicks(LetterButton);
        clickCode(last, ShiftHeld);
    }
};

TEST_F(Range, EachCommandOverTheRangeIsOneStepThatOneUndoTakesBack)
{
    struct Case {
        const char* name;
        std::function<void()> command;
        std::function<bool()> done;
    };
    const std::vector<Case> cases {
        { "bold of the 95 printable letters", [&] { ws.userPressesKey('B', KeyAlt); },
            [&] { return glyph(126).width == 8 || glyph(126).width == 4 + 126 % 5; } },
        { "a quarter turn", [&] { ws.userPressesKey('R', KeyAlt); }, [&] { return glyph(40).width == 9; } },
        { "copy and paste from code 64 on",
            [&] {
                ws.userPressesKey('C', KeyControl);
                ws.userReplacesText(LetterNumberBox, "64"), ws.userClicks(LetterButton);
                ws.userPressesKey('V', KeyControl);
            },
            [&] { return glyph(64) == glyph(32) && glyph(126).width == 3 + 94 % 5 && glyph(63).width == 3 + 63 % 5; } },
        { "clear", [&] { ws.userPressesKey(KeyDelete, KeyControl); },
            [&] { return glyph(50).width == 3 + 50 % 5 && glyph(50).pixels == Glyph {}.pixels; } },
        { "a width typed", [&] { ws.userReplacesText(WidthBox, "3"), ws.userReplacesText(WidthBox, "32"); },
            [&] { return glyph(32).width == 32 && glyph(126).width == 32; } },
        { "a height by its arrow", [&] { ws.userClicks(HeightUpButton); },
            [&] { return glyph(32).height == 10 && glyph(126).height == 10; } },
        { "two blank columns", [&] { ws.userTypes(SpacingBox, "1"), ws.userReplacesText(SpacingBox, "2"); },
            [&] {
                const Glyph& g = glyph(40);
                return g.width == 3 + 40 % 5 + 2 && g.pixels[g.width - 1] == 0 && g.pixels[g.width - 2] == 0;
            } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (ws.isDialogRunning())
            ws.endDialog(DialogCancel);
        restart();
        openWithLetters();
        selectCodes(32, 126);
        ASSERT_EQ(editor->range().codes().size(), 95u);
        const auto before = std::make_unique<BitmapFont>(*font);
        const std::size_t steps = editor->history().stepCount();
        test.command();
        ws.userFocuses(LetterNumberBox); // a typed size ends its step
        EXPECT_TRUE(test.done());
        EXPECT_TRUE(editor->modified());
        EXPECT_EQ(editor->history().stepCount(), steps + 1);
        ws.userPressesKey('Z', KeyControl);
        EXPECT_TRUE(*font == *before);
        EXPECT_FALSE(editor->modified());
    }
}

TEST_F(Range, ShiftAndCtrlSelectWhatIsDrawnAndEscapeLetsGoBeforeItQuits)
{
    openWithLetters();
    selectCodes(40, 42);
    ws.userPressesKey(KeyDown, KeyShift); // 40 to 58
    clickCode(70, ControlHeld);
    clickCode(41, ControlHeld);
    std::set<int> expected;
    for (int code = 40; code <= 58; ++code)
        expected.insert(code);
    expected.insert(70);
    expected.erase(41);
    EXPECT_EQ(editor->range().codes(), expected);
    EXPECT_EQ(editor->letterMode(), 0);

    const GridCellSize cell = font->gridCellSize();
    auto cellColour = [&](int code) {
        // The bottom-right corner of the cell lies in its margin.
        return ws.canvas().pixel(120 + 2 * cell.width * (code % 16 + 1) - 1, 32 + 2 * cell.height * (code / 16 + 1) - 1);
    };
    EXPECT_EQ(cellColour(70), RangeColour);
    EXPECT_EQ(cellColour(40), RangeColour);
    EXPECT_NE(cellColour(41), RangeColour);

    ws.userPressesEscape();
    EXPECT_TRUE(editor->range().empty());
    EXPECT_TRUE(ws.isDialogRunning());
    EXPECT_NE(cellColour(70), RangeColour);
    ws.userPressesEscape();
    EXPECT_FALSE(ws.isDialogRunning());
}

} // namespace
} // namespace glyphsmith
