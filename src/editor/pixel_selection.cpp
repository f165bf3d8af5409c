#include "editor/editor_dialog.h"

namespace glyphsmith {

bool EditorDialog::hasPixelSelection() const
{
    return false;
}

void EditorDialog::dropPixelSelection() { }

bool EditorDialog::reshapeSelection(void (*)(Glyph&))
{
    return false;
}

} // namespace glyphsmith
