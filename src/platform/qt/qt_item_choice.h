#pragma once

// The list to choose one item from, on Qt: a small modal dialog with the
// prompt, the list and OK / Cancel. A double click on an item chooses it.

#include <optional>

#include "platform/qt/qt_modal_script.h"
#include "platform/window_system.h"

class QWidget;

namespace glyphsmith {

// Runs the list over `owner` to its end. With `script` active the scripted
// answer is given through the dialog itself (the item selected, then OK or
// Cancel clicked) as soon as its modal loop runs.
std::optional<int> runItemChoice(QWidget* owner, const ItemChoiceRequest& request, QtModalScript& script);

} // namespace glyphsmith
