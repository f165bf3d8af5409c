// The history of changes: every change one step, undone and redone exactly,
// redo dropped by a new change, `modified` following it, and its memory.

#include <functional>

#include "editor/undo_history.h"
#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

class History : public EditorSession {
protected:
    void drag(int fromX, int toX, int y)
    {
        ws.userMouse(MouseAction::LeftPress, 184 + 16 * fromX + 8, 32 + 16 * y + 8, 0);
        for (int x = fromX; x <= toX; ++x)
            ws.userMouse(MouseAction::Move, 184 + 16 * x + 8, 32 + 16 * y + 8, LeftButtonHeld);
        ws.userMouse(MouseAction::Release, 184 + 16 * toX + 8, 32 + 16 * y + 8, 0);
    }
    void undo() { ws.userPressesKey('Z', KeyControl); }
    void redo() { ws.userPressesKey('Y', KeyControl); }
};

TEST_F(History, EveryChangeIsOneStepThatUndoAndRedoReverseExactly)
{
    TestFolder folder;
    BitmapFont other;
    other.lineHeight = 9;
    ASSERT_TRUE(other.writeWfn(folder.path("other.wfn")).ok());
    const std::vector<std::pair<const char*, std::function<void()>>> cases {
        { "a click", [&] { ws.userMouse(MouseAction::LeftPress, 190, 40, 0); } },
        { "a whole drag", [&] { drag(0, 5, 2); } },
        { "a shift", [&] { ws.userClicks(ShiftRightButton); } },
        { "Fill", [&] { ws.userClicks(FillButton); } },
        { "Paste", [&] { ws.userClicks(PasteButton); } },
        { "a width", [&] { ws.userClicks(WidthUpButton); } },
        { "a height", [&] { ws.userReplacesText(HeightBox, "12"); } },
        { "a width typed key by key",
            [&] { ws.userReplacesText(WidthBox, ""), ws.userTypes(WidthBox, "12"), ws.userFocuses(LetterNumberBox); } },
        { "the line height", [&] { ws.userClicks(LetterButton), ws.userClicks(HeightUpButton); } },
        { "Outline", [&] { ws.userClicks(OutlineButton); } },
        { "the Undo button", [&] { ws.userClicks(UndoButton); } },
        { "a load",
            [&] {
                answerMessage(MessageResult::No), answerFileDialog(folder.path("other.wfn"));
                ws.userClicks(OpenButton);
            } },
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        if (ws.isDialogRunning())
            ws.endDialog(DialogCancel);
        restart();
        glyph(40).width = glyph(40).height = 8;
        glyph(40).cell(1, 1) = 1;
        open(), ws.userReplacesText(LetterNumberBox, "40");
        // Something for Paste to bring and for the Undo button to take back.
        ws.userClicks(ShiftDownButton);
        const auto before = std::make_unique<BitmapFont>(*font);
        const std::size_t steps = editor->history().stepCount();
        change();
        const auto after = std::make_unique<BitmapFont>(*font);
        ASSERT_FALSE(*after == *before);
        undo();
        EXPECT_EQ(editor->history().stepCount(), steps + 1);
        EXPECT_TRUE(*font == *before);
        redo();
        EXPECT_TRUE(*font == *after);
        EXPECT_EQ(text(HeightBox), std::to_string(editor->letterMode() ? glyph(40).height : font->lineHeight));
    }
}

TEST_F(History, AChangeAfterAnUndoDropsRedoAndModifiedFollowsTheSavedState)
{
    TestFolder folder;
    glyph(40).width = glyph(40).height = 8;
    open(), ws.userReplacesText(LetterNumberBox, "40");
    drag(0, 3, 0);
    answerFileDialog(folder.path("saved.wfn"));
    ws.userClicks(SaveButton);
    drag(0, 3, 1);
    // Each step: the action, then whether the font counts as changed.
    const std::vector<std::pair<std::function<void()>, bool>> steps {
        { [&] { undo(); }, false }, // back where it was saved
        { [&] { undo(); }, true },
        { [&] { redo(); }, false },
        { [&] { redo(); }, true },
        { [&] { ws.userPressesKey('S', KeyControl); }, false }, // no dialog: the file it has
        { [&] { undo(); }, true },
        { [&] { drag(5, 6, 5); }, true }, // drops the redo step and with it the saved state
        { [&] { redo(); }, true },
        { [&] { undo(); }, true },
    };
    for (std::size_t at = 0; at < steps.size(); ++at) {
        steps[at].first();
        EXPECT_EQ(editor->modified(), steps[at].second) << "step " << at;
    }
    EXPECT_TRUE(glyph(40).cell(0, 0) && !glyph(40).cell(0, 1) && !glyph(40).cell(5, 5));
    EXPECT_EQ(ws.scripts().fileDialogs().size(), 1u);
}

TEST(UndoHistory, AThousandDragsOnA64By64LetterStayUnder50MegabytesAndAllComeBack)
{
    auto font = std::make_unique<BitmapFont>();
    Glyph& letter = font->glyphs[40];
    letter.width = letter.height = 64;
    const Glyph start = letter;
    UndoHistory history;
    for (int drag = 0; drag < 1000; ++drag) {
        // A drag across the whole letter, remembering the glyph at every move.
        for (int x = 0; x < 64; ++x) {
            history.rememberGlyph(*font, 40);
            letter.cell(x, drag % 64) = !letter.cell(x, drag % 64);
        }
        history.endStep(*font);
    }
    EXPECT_EQ(history.stepCount(), 1000u);
    EXPECT_LT(history.storedBytes(), std::size_t { 50 } << 20);
    while (history.undo(*font)) { }
    EXPECT_TRUE(letter == start);
    EXPECT_FALSE(history.differsFromSaved());
}

TEST(UndoHistory, TheMemoryCapDropsTheOldestStepsAndWithThemTheSavedState)
{
    // What one glyph step costs, to set the cap in whole steps.
    auto font = std::make_unique<BitmapFont>();
    UndoHistory probe;
    probe.rememberGlyph(*font, 1);
    font->glyphs[1].width = 5;
    probe.endStep(*font);
    const std::size_t step = probe.storedBytes();
    struct Row {
        const char* name;
        std::size_t capSteps;
        int steps;
        int savedAfter; // 0: the start state is the saved one
        int undos;
        int undone;
        bool modified; // what `modified` (and with it the Quit prompt) shows
    };
    const Row rows[] = {
        { "three steps fit a cap of three", 3, 3, 0, 9, 3, false },
        { "a fourth drops the first and the saved start", 3, 4, 0, 9, 3, true },
        { "saved after two, back there", 3, 4, 2, 2, 2, false },
        { "saved after two, one step before it", 3, 4, 2, 3, 3, true },
        { "a step larger than the cap stays", 0, 2, 0, 9, 1, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        font = std::make_unique<BitmapFont>();
        UndoHistory history(row.capSteps * step);
        for (int at = 1; at <= row.steps; ++at) {
            history.rememberGlyph(*font, at);
            font->glyphs[at].width = 5;
            history.endStep(*font);
            if (at == row.savedAfter)
                history.markSaved(*font);
        }
        int undone = 0;
        while (undone < row.undos && history.undo(*font))
            ++undone;
        EXPECT_EQ(undone, row.undone);
        EXPECT_EQ(history.differsFromSaved(), row.modified);
    }
}

TEST(UndoHistory, UndoesAndRedoesGrowingAndShrinkingTheFontWithTheGlyphsItDropped)
{
    auto font = std::make_unique<BitmapFont>();
    UndoHistory history;
    history.rememberCodeCount(*font, 300);
    font->setCodeCount(300);
    history.rememberGlyph(*font, 299);
    font->glyphs[299].width = 5;
    history.endStep(*font);
    const auto grown = std::make_unique<BitmapFont>(*font);

    history.rememberGlyph(*font, 200);
    font->glyphs[200].height = 3;
    history.rememberCodeCount(*font, 128);
    font->setCodeCount(128);
    history.endStep(*font);

    ASSERT_TRUE(history.undo(*font));
    EXPECT_TRUE(*font == *grown);
    ASSERT_TRUE(history.undo(*font));
    EXPECT_TRUE(*font == BitmapFont());
    ASSERT_TRUE(history.redo(*font));
    EXPECT_TRUE(*font == *grown);
    ASSERT_TRUE(history.redo(*font));
    EXPECT_EQ(font->codeCount(), 128);
}

} // namespace
} // namespace glyphsmith
