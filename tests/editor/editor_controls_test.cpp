// Letter selection, the four boxes and their arrows, driven as a user would.

#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

using Controls = EditorSession;

TEST_F(Controls, StartsInTheOverviewWithTheLineHeightShownAndTheWidthBoxDisabled)
{
    font->lineHeight = 9;
    open();
    EXPECT_EQ(editor->letterMode(), 0);
    EXPECT_EQ(text(HeightBox), "9");
    EXPECT_EQ(text(WidthBox), "");
    EXPECT_FALSE(enabled(WidthBox));
    EXPECT_EQ(ws.caption(), "Glyphsmith");
    EXPECT_EQ(ws.bigIcon(), Icon { AppIconResource });
    EXPECT_EQ(ws.focusedControl(), 0);
    EXPECT_FALSE(editor->modified());
}

TEST_F(Controls, TypedLetterNumbersSelectAsTheyGrowAndTheBoxShowsTheLetterWhenLeft)
{
    open();
    struct Step {
        const char* typed;
        int letter;
    };
    // Each character is a change: "200" selects 2, then 20, and 200 is out of range.
    for (Step step : { Step { "1", 1 }, Step { "2", 12 } }) {
        ws.userTypes(LetterNumberBox, step.typed);
        EXPECT_EQ(editor->currentLetter(), step.letter) << step.typed;
    }
    ws.userFocuses(HeightBox);
    EXPECT_EQ(text(LetterNumberBox), "12");
    ws.userTypes(LetterNumberBox, "200");
    EXPECT_EQ(editor->currentLetter(), 20);
    EXPECT_EQ(text(LetterNumberBox), "200"); // not rewritten while typed in
    ws.userReplacesText(LetterNumberBox, "0");
    EXPECT_EQ(editor->currentLetter(), 20);
    EXPECT_EQ(editor->letterMode(), 1);
    EXPECT_EQ(text(CharacterBox), std::string(1, char(20)));
    ws.userFocuses(HeightBox);
    EXPECT_EQ(text(LetterNumberBox), "20");
}

TEST_F(Controls, TheCharacterBoxSelectsByCodeReducedInto0To127AndRefreshesEvenForTheSameGlyph)
{
    open();
    ws.userTypes(CharacterBox, "A");
    EXPECT_EQ(editor->currentLetter(), 65);
    EXPECT_EQ(text(LetterNumberBox), "65");
    EXPECT_EQ(text(CharacterBox), "A");

    ws.userReplacesText(LetterNumberBox, "105");
    glyph(105).cell(0, 0) = 1; // an edit since the selection
    const int paints = ws.paintCount();
    ws.userReplacesText(CharacterBox, std::string(1, char(233)));
    EXPECT_EQ(editor->currentLetter(), 105);
    EXPECT_EQ(text(CharacterBox), "i");
    EXPECT_GT(ws.paintCount(), paints);
    EXPECT_EQ(editor->undoGlyph().cell(0, 0), 1); // a new undo copy was taken
}

TEST_F(Controls, SelectingALetterOrTheCurrentOneAgainChangesNothingNotEvenTheView)
{
    glyph(7).clear(); // 0 x 0: the boxes show sizes no glyph may take
    open();
    ws.userReplacesText(LetterNumberBox, "7");
    ws.userFocuses(WidthBox);
    ws.userFocuses(HeightBox);
    EXPECT_FALSE(editor->modified());
    EXPECT_EQ(editor->history().stepCount(), 0u);
    ws.userClicks(LetterButton);
    ASSERT_EQ(editor->letterMode(), 0);
    const int paints = ws.paintCount();
    ws.userReplacesText(LetterNumberBox, "7");
    ws.userReplacesText(CharacterBox, std::string(1, char(7)));
    EXPECT_EQ(editor->letterMode(), 0);
    EXPECT_EQ(ws.paintCount(), paints);
}

TEST_F(Controls, CharacterArrowsStepThrough1To127AndWrapThroughTheEmptyBox)
{
    open();
    struct Step {
        int button;
        std::string shown;
        int letter;
    };
    ws.userReplacesText(CharacterBox, std::string(1, char(127)));
    const std::vector<Step> steps {
        { CharacterUpButton, "", 127 },       // past 127: the empty box selects nothing
        { CharacterUpButton, "\x01", 1 },     // from empty to 1
        { CharacterDownButton, "", 1 },       // below 1: empty again
        { CharacterDownButton, "\x7f", 127 }, // from empty to 127
        { CharacterDownButton, "~", 126 },
    };
    for (const Step& step : steps) {
        ws.userClicks(step.button);
        EXPECT_EQ(text(CharacterBox), step.shown) << "after " << step.letter;
        EXPECT_EQ(editor->currentLetter(), step.letter);
    }
}

TEST_F(Controls, WidthAndHeightArrowsWrapBetween1And64)
{
    open();
    ws.userReplacesText(LetterNumberBox, "3");
    struct Step {
        int box;
        const char* before;
        int button;
        const char* after;
    };
    const std::vector<Step> steps {
        { WidthBox, "64", WidthUpButton, "1" },
        { WidthBox, "1", WidthDownButton, "64" },
        { WidthBox, "", WidthDownButton, "64" },
        { WidthBox, "", WidthUpButton, "1" },
        { WidthBox, "100", WidthDownButton, "99" },
        { WidthBox, "100", WidthUpButton, "1" },
        { HeightBox, "5", HeightUpButton, "6" },
        { HeightBox, "1", HeightDownButton, "64" },
    };
    // The program sets the box and the arrow acts on it; a user's click would
    // first take the focus from the box, which shows the true size again.
    for (const Step& step : steps) {
        ws.setControlText(step.box, step.before);
        editor->command(step.button);
        EXPECT_EQ(text(step.box), step.after) << step.before << " then " << step.button;
    }
    EXPECT_EQ(glyph(3).width, 1);
    EXPECT_EQ(glyph(3).height, 64);
}

TEST_F(Controls, InTheOverviewTheHeightBoxSetsTheLineHeightWithoutARepaintAndTheWidthArrowsDoNothing)
{
    open();
    const int paints = ws.paintCount();
    ws.userClicks(HeightUpButton);
    ws.userClicks(HeightUpButton);
    EXPECT_EQ(font->lineHeight, 2);
    ws.userReplacesText(HeightBox, "65");
    EXPECT_EQ(font->lineHeight, 2);
    ws.userClicks(WidthUpButton);
    EXPECT_EQ(text(WidthBox), "");
    EXPECT_EQ(ws.paintCount(), paints);
    EXPECT_TRUE(editor->modified()); // the line height is saved with the font
    EXPECT_EQ(glyph(0).height, 1);
}

TEST_F(Controls, SizeChangesKeepTheHiddenCellsAndMarkTheFontChanged)
{
    glyph(9) = Glyph {};
    glyph(9).width = 8;
    glyph(9).height = 8;
    glyph(9).cell(5, 2) = 1;
    open();
    ws.userReplacesText(LetterNumberBox, "9");
    TestFolder folder; // saved after the selection: only the width change can mark it
    answerFileDialog(folder.path("saved.wfn"));
    ws.userClicks(SaveButton);
    ASSERT_FALSE(editor->modified());
    ws.userReplacesText(WidthBox, "4");
    EXPECT_EQ(glyph(9).width, 4);
    EXPECT_TRUE(editor->modified());
    ws.userReplacesText(WidthBox, "8");
    EXPECT_EQ(glyph(9).cell(5, 2), 1);
    ws.userReplacesText(HeightBox, "0"); // out of range: the box keeps it until left
    EXPECT_EQ(glyph(9).height, 8);
    ws.userFocuses(LetterNumberBox);
    EXPECT_EQ(text(HeightBox), "8");
}

} // namespace
} // namespace glyphsmith
