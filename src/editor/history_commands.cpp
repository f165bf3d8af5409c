#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"

// Steps of the history and the moves through it (Ctrl+Z, Ctrl+Y). Every
// command that changes the font records what it is about to change, changes
// it and ends its step; `modified` then follows the history, so undoing back
// to the state last saved clears it and redoing away sets it again.

namespace glyphsmith {

void EditorDialog::beginStep()
{
    history_.endStep(font_);
}

void EditorDialog::endStep()
{
    history_.endStep(font_);
    modified_ = history_.differsFromSaved();
}

void EditorDialog::beginTypedStep(int box)
{
    if (windowSystem_.focusedControl() != box)
        beginStep();
}

void EditorDialog::endTypedStep(int box)
{
    if (windowSystem_.focusedControl() != box)
        endStep();
    else
        modified_ = true; // settled when the box loses the focus
}

void EditorDialog::undoStep()
{
    const GlyphSize shown = shownGlyphSize();
    const bool framed = drawing_.selection.has_value();
    forgetPixelSelection();
    if (history_.undo(font_))
        showHistoryState(shown);
    if (framed)
        refreshWindow(); // takes the frame away
}

void EditorDialog::redoStep()
{
    const GlyphSize shown = shownGlyphSize();
    const bool framed = drawing_.selection.has_value();
    forgetPixelSelection();
    if (history_.redo(font_))
        showHistoryState(shown);
    if (framed)
        refreshWindow(); // takes the frame away
}

EditorDialog::GlyphSize EditorDialog::shownGlyphSize() const
{
    return { currentGlyph_->width, currentGlyph_->height };
}

void EditorDialog::showHistoryState(GlyphSize shownBefore)
{
    // A step may have replaced the whole font or changed its number of codes,
    // which moves its glyphs.
    fontResized();
    // A box is rewritten only when its value changed, since each rewrite
    // repaints; its handler sees the value the font already holds and
    // records nothing.
    auto show = [this](int box, int value) {
        if (boxNumber(box) != value)
            setBoxNumber(box, value);
    };
    if (letterMode_) {
        show(WidthBox, currentGlyph_->width);
        show(HeightBox, currentGlyph_->height);
    } else if (!showRangeBoxes()) {
        show(HeightBox, font_.lineHeight);
    }
    // The letter view shows only the current glyph and the clipboard: while
    // the glyph keeps its size, drawing over the old picture is complete, as
    // after a shift. The overview may have to fit new sizes.
    if (letterMode_ && shownGlyphSize() == shownBefore)
        paintFontView();
    else
        refreshWindow();
    modified_ = history_.differsFromSaved();
}

} // namespace glyphsmith
