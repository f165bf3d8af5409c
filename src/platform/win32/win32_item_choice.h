#pragma once

// The list to choose one item from, on Win32: a modal dialog built in memory
// with the prompt, a list box and OK / Cancel. A double click on an item
// chooses it; Escape and the close box cancel.

#include <optional>

#include "platform/win32/win32_handles.h"
#include "platform/window_system.h"

namespace glyphsmith {

// The control id of the list box, for tests that play the user.
inline constexpr int ItemChoiceList = 100;

std::optional<int> showWin32ItemChoice(HWND owner, const ItemChoiceRequest& request);

} // namespace glyphsmith
