#include "editor/editor_dialog.h"
#include "editor/font_view.h"

// The mouse as the editor's pen. In the overview a press on a glyph's cell
// selects that glyph (with Shift or Ctrl held, a range: range_commands.cpp).
// In letter mode, with the pencil, a press flips the pixel under it and a
// move with any button, Shift or Ctrl held paints the value of that last
// flip; the other tools are in tool_editing.cpp, and a press left of the
// glyph drags a guide (letter_guides.cpp). A move over the overview names
// the code under the mouse in the status line. The mouse is not captured:
// moves outside the window are not seen.

namespace glyphsmith {

namespace {

// The glyph pixel under client point (x, y) of the enlarged letter, or false
// when the point lies outside the glyph's used area.
bool letterPixelAt(const Glyph& glyph, int x, int y, int& pixelX, int& pixelY)
{
    if (x < LetterLeft || y < LetterTop)
        return false;
    pixelX = (x - LetterLeft) / LetterScale;
    pixelY = (y - LetterTop) / LetterScale;
    return pixelX < glyph.width && pixelY < glyph.height;
}

} // namespace

void EditorDialog::mouse(MouseAction action, int x, int y, unsigned keys)
{
    switch (action) {
    case MouseAction::LeftPress:
    case MouseAction::LeftDoubleClick:
        // A double click is a second press: quick presses each count.
        press(x, y, keys);
        break;
    case MouseAction::RightPress:
    case MouseAction::RightDoubleClick:
        if (!letterMode_)
            press(x, y, keys);
        break;
    case MouseAction::Move:
        move(keys, x, y);
        break;
    case MouseAction::Release:
        guideRelease();
        toolRelease();
        endStep();
        break;
    }
}

void EditorDialog::press(int x, int y, unsigned keys)
{
    if (!letterMode_) {
        if (const int code = overviewCodeAt(x, y); code >= 0)
            overviewPress(code, keys);
        return;
    }
    if (guidePress(x, y))
        return;
    if (drawing_.tool != DrawingTool::Pencil) {
        toolPress(x, y);
        return;
    }
    int pixelX = 0;
    int pixelY = 0;
    if (!letterPixelAt(*currentGlyph_, x, y, pixelX, pixelY))
        return;
    // A press starts the step that the drag after it adds to.
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    Glyph::CellRef cell = currentGlyph_->cell(pixelX, pixelY);
    cell = !cell;
    paintValue_ = cell ? 1 : 0;
    paintFontView();
    modified_ = history_.differsFromSaved();
}

void EditorDialog::move(unsigned keys, int x, int y)
{
    if (keys == 0) {
        // Nothing held: whatever drag there was has ended.
        guideRelease();
        toolRelease();
        endStep();
        showCodeUnder(x, y);
        return;
    }
    if (!letterMode_)
        return;
    if (drawing_.guideDrag != GuideDrag::None) {
        guideMove(y);
        return;
    }
    if (drawing_.tool != DrawingTool::Pencil) {
        toolMove(keys, x, y);
        return;
    }
    int pixelX = 0;
    int pixelY = 0;
    if (!letterPixelAt(*currentGlyph_, x, y, pixelX, pixelY))
        return;
    history_.rememberGlyph(font_, currentLetter_);
    currentGlyph_->cell(pixelX, pixelY) = paintValue_ != 0;
    paintFontView();
    modified_ = history_.differsFromSaved();
}

} // namespace glyphsmith
