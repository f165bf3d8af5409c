// Mouse editing, the glyph buttons and Outline, driven through the dialog.

#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

class Editing : public EditorSession {
protected:
    // Opens the dialog with glyph `code` current in letter mode, sized w x h.
    void editLetter(int code, int width, int height)
    {
        glyph(code).width = width;
        glyph(code).height = height;
        open();
        ws.userReplacesText(LetterNumberBox, std::to_string(code));
    }
    void press(int x, int y, MouseAction action = MouseAction::LeftPress) { ws.userMouse(action, x, y, 0); }
    // The client point in the middle of enlarged pixel (x, y).
    static int screenX(int x) { return 184 + 16 * x + 8; }
    static int screenY(int y) { return 32 + 16 * y + 8; }
};

TEST_F(Editing, APressInTheOverviewSelectsTheGlyphWhoseWholeCellIsUnderIt)
{
    struct Case {
        int widest; // 0 keeps the new font's 1 x 1 glyphs: cells of 8 x 8
        int tallest;
        int x;
        int y;
        int selected; // -1: nothing
    };
    const std::vector<Case> cases {
        { 0, 0, 120, 32, 0 }, { 0, 0, 135, 47, 0 }, { 0, 0, 136, 32, 1 }, { 0, 0, 120, 48, 16 },
        { 0, 0, 375, 159, 127 }, { 0, 0, 376, 40, -1 }, { 0, 0, 130, 160, -1 }, { 0, 0, 119, 40, -1 },
        { 0, 0, 130, 31, -1 },
        // Cells of 22 x 12: 44 x 24 screen pixels each.
        { 20, 10, 163, 55, 0 }, { 20, 10, 164, 55, 1 }, { 20, 10, 163, 56, 16 }, { 20, 10, 120 + 44 * 16, 40, -1 },
        // Cells of 66 x 66.
        { 64, 64, 120 + 132 * 15 + 101, 32 + 132 * 7 + 101, 127 },
    };
    for (const Case& test : cases) {
        restart();
        if (test.widest)
            for (int code = 0; code < GlyphCount; ++code) {
                glyph(code).width = 1 + code % test.widest;
                glyph(code).height = 1 + code % test.tallest;
            }
        // From letter 9, so that glyph 0 can be chosen; at the screen's edge the window keeps this size.
        open([&] { ws.moveWindow({ 0, 0, test.x + 2 * HeadlessFrameBorder + 1, test.y + 40 }); });
        ws.userReplacesText(LetterNumberBox, "9");
        ws.userClicks(LetterButton);
        press(test.x, test.y, test.x % 2 ? MouseAction::LeftPress : MouseAction::RightPress);
        const std::string where = std::to_string(test.x) + ", " + std::to_string(test.y);
        EXPECT_EQ(editor->letterMode(), test.selected >= 0) << where;
        EXPECT_EQ(editor->currentLetter(), test.selected >= 0 ? test.selected : 9) << where;
        ws.endDialog(DialogCancel);
    }
}

TEST_F(Editing, PressesFlipThePixelUnderThemAndDragsPaintTheLastFlippedValue)
{
    editLetter(66, 8, 8);
    struct Step {
        MouseAction action;
        int x;
        int y;
        unsigned keys;
        int pixelX; // the pixel expected to change, -1 for none
        int pixelY;
        int value;
    };
    using enum MouseAction;
    const std::vector<Step> steps {
        { LeftPress, 184, 32, 0, 0, 0, 1 },
        { LeftPress, 311, 159, 0, 7, 7, 1 },
        { LeftPress, 312, 32, 0, -1, 0, 0 },
        { LeftPress, 183, 40, 0, -1, 0, 0 },
        { RightPress, screenX(2), screenY(2), 0, -1, 0, 0 }, // the right button only picks glyphs
        { Move, screenX(3), screenY(1), 0, -1, 0, 0 },       // nothing held
        { Move, screenX(3), screenY(1), LeftButtonHeld, 3, 1, 1 },
        { Move, screenX(4), screenY(1), RightButtonHeld, 4, 1, 1 },
        { Move, screenX(5), screenY(1), ShiftHeld, 5, 1, 1 },
        { Move, screenX(6), screenY(1), ControlHeld, 6, 1, 1 },
        { LeftPress, screenX(3), screenY(1), 0, 3, 1, 0 }, // clears it: drags now clear
        { Move, screenX(4), screenY(1), LeftButtonHeld, 4, 1, 0 },
        { LeftDoubleClick, screenX(4), screenY(1), 0, 4, 1, 1 },
    };
    const int erases = ws.eraseCount();
    for (const Step& step : steps) {
        const Glyph before = glyph(66);
        ws.userMouse(step.action, step.x, step.y, step.keys);
        Glyph expected = before;
        if (step.pixelX >= 0)
            expected.cell(step.pixelX, step.pixelY) = step.value;
        EXPECT_TRUE(glyph(66) == expected) << "at " << step.x << ", " << step.y;
    }
    EXPECT_EQ(editor->paintValue(), 1);
    EXPECT_TRUE(editor->modified());
    EXPECT_EQ(ws.eraseCount(), erases); // drawn over, not erased
    EXPECT_EQ(ws.canvas().pixel(screenX(7), screenY(7)), (Rgb { 255, 255, 255 }));
}

TEST_F(Editing, InTheOverviewTheGlyphButtonsDoNothing)
{
    open();
    const int paints = ws.paintCount();
    const Glyph before = glyph(0);
    for (int button : { ShiftUpButton, ShiftDownButton, ShiftLeftButton, ShiftRightButton, FillButton, CopyButton,
             PasteButton, UndoButton })
        ws.userClicks(button);
    EXPECT_TRUE(glyph(0) == before);
    EXPECT_EQ(ws.paintCount(), paints);
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(editor->clipboardGlyph().width, 0);
}

TEST_F(Editing, ShiftsAndFillChangeTheCurrentGlyphAndDrawOverTheView)
{
    editLetter(70, 3, 2);
    glyph(70).cell(0, 0) = 1;
    glyph(70).cell(3, 0) = 1; // beyond the width: never moves
    const int erases = ws.eraseCount();
    for (int button : { ShiftRightButton, ShiftLeftButton, ShiftLeftButton, ShiftDownButton, ShiftUpButton })
        ws.userClicks(button);
    EXPECT_EQ(glyph(70).cell(2, 0), 1);
    EXPECT_EQ(glyph(70).cell(3, 0), 1);
    EXPECT_EQ(ws.canvas().pixel(screenX(2), screenY(0)), (Rgb { 255, 255, 255 }));
    ws.userClicks(FillButton); // cell (0, 0) was clear: fills the whole grid
    EXPECT_EQ(glyph(70).cell(63, 63), 1);
    EXPECT_EQ(ws.canvas().pixel(screenX(0), screenY(1)), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(ws.eraseCount(), erases);
    EXPECT_TRUE(editor->modified());
}

TEST_F(Editing, CopyPasteAndUndoMoveWholeGlyphsAndShowTheirSizes)
{
    TestFolder folder;
    editLetter(65, 5, 7);
    glyph(65).cell(4, 6) = 1;
    ws.userClicks(CopyButton);
    ws.userReplacesText(LetterNumberBox, "66");
    ws.userClicks(PasteButton);
    EXPECT_TRUE(glyph(66) == glyph(65));
    EXPECT_EQ(text(WidthBox), "5");
    EXPECT_EQ(text(HeightBox), "7");
    EXPECT_TRUE(editor->modified());
    ws.userClicks(UndoButton); // the paste retook the undo copy
    EXPECT_TRUE(glyph(66) == glyph(65));

    // Pixel edits, a shift and a size change since the selection all go.
    ws.userReplacesText(LetterNumberBox, "67");
    const Glyph selected = glyph(67);
    press(screenX(0), screenY(0));
    ws.userClicks(ShiftRightButton);
    ws.userReplacesText(WidthBox, "9");
    ws.userClicks(UndoButton);
    EXPECT_TRUE(glyph(67) == selected);
    EXPECT_EQ(text(WidthBox), "1");

    // A copy after a save leaves the font saved; the clipboard outlives a load.
    answerFileDialog(folder.path("saved.wfn"));
    ws.userClicks(SaveButton);
    ws.userClicks(CopyButton);
    EXPECT_FALSE(editor->modified());
    answerFileDialog(folder.path("saved.wfn"));
    ws.userClicks(OpenButton);
    ws.userReplacesText(LetterNumberBox, "68");
    ws.userClicks(PasteButton);
    EXPECT_TRUE(glyph(68) == selected);
}

TEST_F(Editing, OutlineMarksTheFontChangedAndShowsTheCurrentGlyphsNewSize)
{
    TestFolder folder;
    editLetter(72, 1, 1);
    glyph(72).cell(0, 0) = 1;
    answerFileDialog(folder.path("saved.0"));
    ws.userClicks(SaveButton);
    ASSERT_FALSE(editor->modified());

    ws.userClicks(OutlineButton);
    EXPECT_TRUE(editor->modified());
    EXPECT_EQ(glyph(72).width, 3);
    EXPECT_EQ(glyph(72).cell(1, 1), 0);
    EXPECT_EQ(glyph(72).cell(2, 2), 1);
    EXPECT_EQ(text(WidthBox), "3");
    EXPECT_EQ(text(HeightBox), "3");
    ws.userClicks(UndoButton); // the undo copy is the outlined glyph
    EXPECT_EQ(glyph(72).width, 3);
    ws.userClicks(WidthUpButton);
    EXPECT_EQ(glyph(72).width, 4);

    // In the overview the window grows with the glyphs; the line height stays.
    font->lineHeight = 9;
    ws.userClicks(LetterButton);
    const int before = ws.windowRect().width();
    for (int times = 0; times < 4; ++times)
        ws.userClicks(OutlineButton);
    EXPECT_EQ(glyph(0).width, 11); // outlined five times from 1 x 1
    EXPECT_EQ(ws.windowRect().width(), 32 * (12 + 2) + 120);
    EXPECT_GT(ws.windowRect().width(), before);
    EXPECT_EQ(font->lineHeight, 9);
    EXPECT_EQ(text(HeightBox), "9");
}

} // namespace
} // namespace glyphsmith
