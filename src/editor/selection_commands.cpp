#include "editor/editor_dialog.h"

// The rectangular selection of letter mode: dragged out with the selection
// tool, moved with the mouse or the arrow keys, copied, cut, deleted, pasted
// as a new selection, and turned or flipped by the transforms. The font
// always holds the glyph as shown, the floating pixels laid over what was
// under them; each move is one step of the history. Putting the selection
// down (Escape, another tool, another letter, a press outside it) only
// forgets it, so pixels moved past the edges are dropped then.

namespace glyphsmith {

bool EditorDialog::hasPixelSelection() const
{
    return letterMode_ && selection_.has_value();
}

void EditorDialog::selectionPress(GlyphPoint point, bool onGlyph)
{
    if (selection_ && selection_->covers(point.x, point.y)) {
        beginStep();
        history_.rememberGlyph(font_, currentLetter_);
        drag_ = Drag::Moving;
        dragFrom_ = point;
        moveStart_ = selection_->at;
        return;
    }
    dropPixelSelection();
    if (!onGlyph)
        return;
    drag_ = Drag::Selecting;
    dragFrom_ = point;
    selectPixels(point, point);
}

void EditorDialog::selectPixels(GlyphPoint a, GlyphPoint b)
{
    // Nothing floats away yet: lifting leaves the glyph as it is shown.
    selection_ = liftPixels(*currentGlyph_, a, b);
    selectionCode_ = currentLetter_;
    refreshWindow();
}

void EditorDialog::placeSelection(GlyphPoint at)
{
    if (!selection_ || selection_->at == at)
        return;
    history_.rememberGlyph(font_, currentLetter_);
    selection_->at = at;
    *currentGlyph_ = composed(*selection_);
    // The frame moves, and may leave the glyph: draw everything afresh.
    refreshWindow();
    modified_ = history_.differsFromSaved();
}

void EditorDialog::moveSelectionBy(int dx, int dy)
{
    if (!hasPixelSelection())
        return;
    beginStep();
    placeSelection({ selection_->at.x + dx, selection_->at.y + dy });
    endStep();
}

void EditorDialog::selectionLeft()
{
    moveSelectionBy(-1, 0);
}

void EditorDialog::selectionRight()
{
    moveSelectionBy(+1, 0);
}

void EditorDialog::selectionUp()
{
    moveSelectionBy(0, -1);
}

void EditorDialog::selectionDown()
{
    moveSelectionBy(0, +1);
}

void EditorDialog::dropPixelSelection()
{
    if (!selection_)
        return;
    if (drag_ == Drag::Moving || drag_ == Drag::Selecting)
        toolRelease();
    selection_.reset();
    if (letterMode_)
        refreshWindow();
}

void EditorDialog::forgetPixelSelection()
{
    // The history has put the glyph back; what floated is gone with it.
    drag_ = Drag::None;
    selection_.reset();
}

bool EditorDialog::reshapeSelection(void (*transform)(Glyph&))
{
    if (!hasPixelSelection())
        return false;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    transform(selection_->pixels);
    *currentGlyph_ = composed(*selection_);
    refreshWindow();
    endStep();
    return true;
}

bool EditorDialog::copySelection()
{
    if (!hasPixelSelection())
        return false;
    clipboardGlyph_ = selection_->pixels;
    refreshWindow();
    return true;
}

void EditorDialog::cutSelection()
{
    if (copySelection())
        deleteSelection();
}

bool EditorDialog::deleteSelection()
{
    if (!hasPixelSelection())
        return false;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    *currentGlyph_ = selection_->under;
    selection_.reset();
    refreshWindow();
    endStep();
    return true;
}

void EditorDialog::pasteAsSelection()
{
    dropPixelSelection();
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    // The copied pixels float at the top-left corner, ready to be moved.
    selection_ = FloatingPixels { *currentGlyph_, clipboardGlyph_, {} };
    selectionCode_ = currentLetter_;
    *currentGlyph_ = composed(*selection_);
    refreshWindow();
    endStep();
}

void EditorDialog::clearSelected()
{
    if (letterMode_)
        deleteSelection();
    else
        clearRange();
}

} // namespace glyphsmith
