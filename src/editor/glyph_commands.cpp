#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/glyph_transforms.h"

// The buttons that change the current glyph as a whole (U, D, L, R, Fill,
// Copy, Paste, Undo) and Outline, which changes the whole font. The glyph
// buttons work only in letter mode; in the overview they do nothing at all.
//
// The Undo button brings back undoGlyph, the glyph as it was when its letter
// was last selected, pasted, undone or outlined. Every change is also a step
// of the history, which Ctrl+Z and Ctrl+Y move through.

namespace glyphsmith {

void EditorDialog::transformCurrentGlyph(void (*transform)(Glyph&))
{
    if (!letterMode_)
        return;
    // The glyph changes under any floating pixels: put them down first, or
    // they would bring the old glyph back with their next move.
    dropPixelSelection();
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    transform(*currentGlyph_);
    // The size is unchanged, so drawing over the old picture is complete.
    paintFontView();
    endStep();
}

void EditorDialog::shiftUp()
{
    transformCurrentGlyph(shiftGlyphUp);
}

void EditorDialog::shiftDown()
{
    transformCurrentGlyph(shiftGlyphDown);
}

void EditorDialog::shiftLeft()
{
    transformCurrentGlyph(shiftGlyphLeft);
}

void EditorDialog::shiftRight()
{
    transformCurrentGlyph(shiftGlyphRight);
}

void EditorDialog::fillGlyph()
{
    transformCurrentGlyph(glyphsmith::fillGlyph);
}

void EditorDialog::copyGlyph()
{
    if (!letterMode_) {
        if (!range_.glyphs.empty())
            copyRange();
        return;
    }
    if (copySelection())
        return;
    clipboardGlyph_ = *currentGlyph_;
    // Shows the new clipboard preview; a copy changes nothing in the font.
    refreshWindow();
}

void EditorDialog::pasteGlyph()
{
    if (!letterMode_) {
        pasteRange();
        return;
    }
    if (drawing_.tool == DrawingTool::Select) {
        pasteAsSelection();
        return;
    }
    dropPixelSelection();
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    *currentGlyph_ = clipboardGlyph_;
    // Refills the boxes with the pasted size and takes the pasted glyph as
    // the new undo copy.
    selectLetter(currentLetter_, true);
    refreshWindow();
    endStep();
}

void EditorDialog::undoEdits()
{
    if (!letterMode_)
        return;
    // Itself a step of the history, so that Ctrl+Z brings the edits back.
    dropPixelSelection();
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    *currentGlyph_ = undoGlyph_;
    selectLetter(currentLetter_, true);
    refreshWindow();
    endStep();
}

void EditorDialog::outlineFont()
{
    // The undo glyph is the scratch space, and afterwards holds the outlined
    // current glyph: the Undo button cannot bring back the font as it was,
    // but the history can.
    dropPixelSelection();
    beginStep();
    for (int code = 0; code < font_.codeCount(); ++code)
        history_.rememberGlyph(font_, code);
    outlineAllGlyphs(font_, undoGlyph_);
    currentGlyph_ = &font_.glyphs[currentLetter_];
    undoGlyph_ = *currentGlyph_;
    if (letterMode_) {
        // Show the grown size, as a selection would, so that the next arrow
        // click steps from the true size.
        setBoxNumber(WidthBox, currentGlyph_->width);
        setBoxNumber(HeightBox, currentGlyph_->height);
    }
    refreshWindow();
    endStep();
}

} // namespace glyphsmith
