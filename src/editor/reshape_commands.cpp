#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/glyph_transforms.h"

// The flips, quarter and half turns, invert and bold. Each one changes, as one
// step of the history: in letter mode the current glyph, or the pixels of the
// rectangular selection when there is one; in the overview every glyph of the
// selected range (nothing when no range is selected).

namespace glyphsmith {

void EditorDialog::reshape(void (*transform)(Glyph&))
{
    if (!letterMode_) {
        reshapeRange(transform);
        return;
    }
    if (reshapeSelection(transform))
        return;
    beginStep();
    history_.rememberGlyph(font_, currentLetter_);
    const GlyphSize before = shownGlyphSize();
    transform(*currentGlyph_);
    showReshapedGlyph(before);
    endStep();
}

void EditorDialog::showReshapedGlyph(GlyphSize before)
{
    if (shownGlyphSize() == before) {
        // Drawing over the old picture is complete while the size holds.
        paintFontView();
        return;
    }
    // The boxes show the new size, so the next arrow steps from it.
    setBoxNumber(WidthBox, currentGlyph_->width);
    setBoxNumber(HeightBox, currentGlyph_->height);
    refreshWindow();
}

void EditorDialog::flipHorizontal()
{
    reshape(flipGlyphHorizontal);
}

void EditorDialog::flipVertical()
{
    reshape(flipGlyphVertical);
}

void EditorDialog::rotateClockwise()
{
    reshape(rotateGlyphClockwise);
}

void EditorDialog::rotateAnticlockwise()
{
    reshape(rotateGlyphAnticlockwise);
}

void EditorDialog::rotateHalfTurn()
{
    reshape(rotateGlyphHalfTurn);
}

void EditorDialog::invert()
{
    reshape(invertGlyph);
}

void EditorDialog::bold()
{
    reshape(boldGlyph);
}

} // namespace glyphsmith
