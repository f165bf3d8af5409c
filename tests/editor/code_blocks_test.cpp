// Fonts of more than 128 codes in the editor: paging through blocks, the
// letter and character boxes over every code, growing and shrinking the font.

#include "editor_session.h"
#include "editor/font_view.h"

namespace glyphsmith {
namespace {

using CodeBlocks = EditorSession;

// UTF-8 of U+0410 and U+044F, the first and last basic Cyrillic letters.
const std::string CyrillicA = "\xD0\x90";
const std::string CyrillicYa = "\xD1\x8F";

TEST_F(CodeBlocks, PagingShowsEachBlockInTheCaptionAndTheOverviewWithoutResizingTheWindow)
{
    font->setCodeCount(1104);
    font->glyphs[1100].width = 30; // the widest glyph sets the cells of every block
    open();
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0000-U+007F");
    const PixelRect window = ws.windowRect();
    editor->stepBlock(-1); // nothing before the first block
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0000-U+007F");
    for (int block = 1; block < 9; ++block)
        editor->stepBlock(+1);
    editor->stepBlock(+1); // nothing past the last block
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0400-U+044F");
    EXPECT_EQ(ws.windowRect(), window);
    ASSERT_EQ(editor->letterMode(), 0);
    // A click on the first cell selects the first code of the block shown.
    ws.userMouse(MouseAction::LeftPress, ViewLeft + 1, ViewTop + 1, 0);
    EXPECT_EQ(editor->currentLetter(), 1024);
    // In letter mode paging moves the letter by a block, up to the last code.
    editor->stepBlock(-1);
    EXPECT_EQ(editor->currentLetter(), 896);
    EXPECT_EQ(ws.caption(), "Glyphsmith U+0380-U+03FF");
    ws.userReplacesText(LetterNumberBox, "1050");
    editor->stepBlock(+1);
    EXPECT_EQ(editor->currentLetter(), 1050);
    ws.userReplacesText(LetterNumberBox, "1000");
    editor->stepBlock(+1);
    EXPECT_EQ(editor->currentLetter(), 1103);
}

TEST_F(CodeBlocks, TheBoxesAndArrowsReachEveryCodeTheFontHoldsAndNoOther)
{
    font->setCodeCount(1104);
    open();
    ws.userTypes(LetterNumberBox, "1104"); // 1104 is past the end: stays at 110
    EXPECT_EQ(editor->currentLetter(), 110);
    ws.userReplacesText(CharacterBox, CyrillicYa);
    EXPECT_EQ(editor->currentLetter(), 0x44f);
    EXPECT_EQ(text(CharacterBox), CyrillicYa);
    EXPECT_EQ(text(LetterNumberBox), "1103");
    ws.userReplacesText(CharacterBox, "\xE4\xB8\x80"); // U+4E00: not held
    EXPECT_EQ(editor->currentLetter(), 0x44f);
    ws.userClicks(CharacterUpButton); // past the last code: the empty box
    EXPECT_EQ(text(CharacterBox), "");
    ws.userClicks(CharacterDownButton);
    EXPECT_EQ(text(CharacterBox), CyrillicYa);
    ws.userReplacesText(CharacterBox, "\x7f");
    ws.userClicks(CharacterUpButton);
    EXPECT_EQ(text(CharacterBox), "\xC2\x80");
    EXPECT_EQ(editor->currentLetter(), 128);
}

TEST_F(CodeBlocks, TheCodesBoxGrowsTheFontAndShrinkingPastDrawnGlyphsAsksFirst)
{
    open();
    EXPECT_EQ(text(CodesBox), "128");
    EXPECT_EQ(ws.caption(), "Glyphsmith");
    ws.userReplacesText(CodesBox, "1104");
    EXPECT_EQ(font->codeCount(), 128) << "the number counts once the box is left";
    ws.userFocuses(HeightBox);
    ASSERT_EQ(font->codeCount(), 1104);
    EXPECT_TRUE(editor->modified());

    ws.userReplacesText(CharacterBox, CyrillicA);
    ASSERT_EQ(editor->currentLetter(), 0x410);
    ws.userReplacesText(WidthBox, "5");
    EXPECT_EQ(font->glyphs[0x410].width, 5);

    for (const MessageResult answer : { MessageResult::No, MessageResult::Yes }) {
        answerMessage(answer);
        ws.userReplacesText(CodesBox, "128");
        ws.userFocuses(HeightBox);
    }
    EXPECT_EQ(messageTexts().size(), 2u);
    EXPECT_EQ(messageTexts()[0], "Codes 128 to 1103 hold 1 glyph, which a font of 128 codes drops. Drop them?");
    EXPECT_EQ(font->codeCount(), 128);
    EXPECT_EQ(text(CodesBox), "128");
    EXPECT_EQ(ws.caption(), "Glyphsmith");
    // The dropped letter gives way to the last code left, and edits land in the font.
    EXPECT_EQ(editor->currentLetter(), 127);
    ws.userReplacesText(WidthBox, "7");
    EXPECT_EQ(font->glyphs[127].width, 7);
}

} // namespace
} // namespace glyphsmith
