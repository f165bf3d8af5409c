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
    return letterMode_ && drawing_.selection.has_value();
}

void EditorDialog::selectionPress(GlyphPoint point, bool onGlyph)
{
    if (drawing_.selection && drawing_.selection->covers(point.x, point.y)) {
        beginStep();
        history_.rememberGlyph(font_, currentLetter_);
        drawing_.drag = ToolDrag::Moving;
        drawing_.dragFrom = point;
        drawing_.moveStart = drawing_.selection->at;
        return;
    }
    dropPixelSelection();
    if (!onGlyph)
        return;
    drawing_.drag = ToolDrag::Selecting;
    drawing_.dragFrom = point;
    selectPixels(point, point);
}

void EditorDialog::selectPixels(GlyphPoint a, GlyphPoint b)
{
    // Nothing floats away yet: lifting leaves the glyph as it is shown.
    drawing_.selection = liftPixels(*currentGlyph_, a, b);
    drawing_.selectionCode = currentLetter_;
    refreshWindow();
}

void EditorDialog::placeSelection(GlyphPoint at)
{
    if (!drawing_.selection || drawing_.selection->at == at)
        return;
    history_.rememberGlyph(font_, currentLetter_);
    drawing_.selection->at = at;
    *currentGlyph_ = composed(*drawing_.selection);
    // The frame moves, and may leave the glyph: draw everything afresh.
    refreshWindow();
    modified_ = history_.differsFromSaved();
}

void EditorDialog::moveSelectionBy(int dx, int dy)
{
    if (!hasPixelSelection())
        return;
    beginStep();
    placeSelection({ drawing_.selection->at.x + dx, drawing_.selection->at.y + dy });
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
    if (!drawing_.selection)
        return;
    if (drawing_.drag == ToolDrag::Moving || drawing_.drag == ToolDrag::Selecting)
        toolRelease();
    drawing_.selection.reset();
    if (letterMode_)
        refreshWindow();
}

void EditorDialog::forgetPixelSelection()
{
    // The history has put the glyph back; what floated is gone with it.
    drawing_.drag = ToolDrag::None;
    drawing_.selection.reset();
}

bool EditorDialog::reshapeSelection(void (*transform)(Glyph&))
{
    if (!hasPixelSelection())
        return false;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    transform(drawing_.selection->pixels);
    *currentGlyph_ = composed(*drawing_.selection);
    refreshWindow();
    endStep();
    return true;
}

bool EditorDialog::copySelection()
{
    if (!hasPixelSelection())
        return false;
    clipboardGlyph_ = drawing_.selection->pixels;
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
    *currentGlyph_ = drawing_.selection->under;
    drawing_.selection.reset();
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
    drawing_.selection = FloatingPixels { *currentGlyph_, clipboardGlyph_, {} };
    drawing_.selectionCode = currentLetter_;
    *currentGlyph_ = composed(*drawing_.selection);
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
