// Fonts of more than 128 codes in the editor: paging through blocks, the
// boxes over every code, growing and shrinking the font.

#include "editor_session.h"
#include "editor/font_view.h"

namespace glyphsmith {
namespace {

using CodeBlocks = EditorSession;

const std::string CyrillicYa = "\xD1\x8F"; // U+044F in UTF-8

TEST_F(CodeBlocks, PagingShowsEachBlockInTheCaptionAndTheOverviewWithoutResizingTheWindow)
{
    font->setCodeCount(1104);
    font->glyphs[1100].width = 30; // the widest glyph sets the cells of every block
    open();
    const PixelRect window = ws.windowRect();
    ws.userPressesKey(KeyPageUp); // nothing before the first block
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0000-U+007F");
    ws.userPressesKey(KeyPageDown);
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0080-U+00FF");
    for (int block = 1; block < 9; ++block) // the last step goes nowhere
        ws.userPressesKey(KeyPageDown);
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0400-U+044F");
    EXPECT_EQ(ws.windowRect(), window);
    ws.userMouse(MouseAction::LeftPress, ViewLeft + 1, ViewTop + 1, 0);
    EXPECT_EQ(editor->currentLetter(), 1024);
    // In letter mode paging moves the letter by a block, up to the last code.
    const std::pair<const char*, int> steps[] = { { "1050", 922 }, { "1000", 1103 } };
    for (const auto& [typed, paged] : steps) {
        ws.userReplacesText(LetterNumberBox, typed);
        ws.userPressesKey(paged < 1000 ? KeyPageUp : KeyPageDown);
        EXPECT_EQ(editor->currentLetter(), paged) << typed;
    }
}

TEST_F(CodeBlocks, TheBoxesAndArrowsReachEveryCodeTheFontHoldsAndNoOther)
{
    font->setCodeCount(1104);
    open();
    ws.userTypes(LetterNumberBox, "1104"); // 1104 is past the end: stays at 110
    EXPECT_EQ(editor->currentLetter(), 110);
    ws.userReplacesText(CharacterBox, CyrillicYa);
    EXPECT_EQ(text(LetterNumberBox), "1103");
    ws.userReplacesText(CharacterBox, "\xE4\xB8\x80"); // U+4E00: not held
    EXPECT_EQ(editor->currentLetter(), 1103);
}

TEST_F(CodeBlocks, TheCharacterArrowsStepOverTheSurrogatesAndWrapAtTheLastCode)
{
    const std::string D7FF = "\xED\x9F\xBF", E000 = "\xEE\x80\x80";
    struct Row {
        int codes;
        std::string from;
        int button;
        std::string shown; // "" is code 0, the empty box
    };
    const Row rows[] = {
        { 0xE001, D7FF, CharacterUpButton, E000 },
        { 0xE001, E000, CharacterDownButton, D7FF },
        { 0xE000, D7FF, CharacterUpButton, "" },
        { 1104, CyrillicYa, CharacterUpButton, "" },
        { 1104, "", CharacterDownButton, CyrillicYa },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.codes);
        if (font->codeCount() != row.codes) {
            if (ws.isDialogRunning())
                ws.endDialog(DialogCancel);
            restart();
            font->setCodeCount(row.codes);
            open();
        }
        ws.setControlText(CharacterBox, row.from);
        editor->command(row.button);
        EXPECT_EQ(text(CharacterBox), row.shown);
    }
}

TEST_F(CodeBlocks, TheCodesBoxGrowsTheFontWhenLeftAndShrinkingPastDrawnGlyphsAsksFirst)
{
    open();
    ws.userReplacesText(CodesBox, "1104");
    EXPECT_EQ(font->codeCount(), 128);
    ws.userFocuses(HeightBox);
    ASSERT_EQ(font->codeCount(), 1104);
    EXPECT_TRUE(editor->modified());
    // Shrinking under the block shown shows the last block left.
    for (int block = 0; block < 8; ++block)
        ws.userPressesKey(KeyPageDown);
    for (const char* codes : { "256", "1104" })
        ws.userReplacesText(CodesBox, codes), ws.userFocuses(HeightBox);
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0080-U+00FF");
    glyph(128).width = 2; // the first code a font of 128 drops
    ws.userReplacesText(CharacterBox, CyrillicYa);
    ws.userReplacesText(WidthBox, "5");
    for (const MessageResult answer : { MessageResult::No, MessageResult::Yes }) {
        answerMessage(answer);
        ws.userReplacesText(CodesBox, "128");
        ws.userFocuses(HeightBox);
        EXPECT_EQ(font->codeCount(), answer == MessageResult::Yes ? 128 : 1104);
    }
    EXPECT_EQ(messageTexts()[0], "Codes 128 to 1103 hold 2 glyphs, which a font of 128 codes drops. Drop them?");
    EXPECT_EQ(ws.caption(), "Glyphsmith");
    // The dropped letter gives way to the last code left, and edits land in the font.
    EXPECT_EQ(editor->currentLetter(), 127);
    ws.userReplacesText(WidthBox, "7");
    EXPECT_EQ(font->glyphs[127].width, 7);
}

} // namespace
} // namespace glyphsmith
