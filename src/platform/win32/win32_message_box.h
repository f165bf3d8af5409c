#pragma once

// Message boxes through MessageBoxW: no icon, the first button the default.

#include <string_view>

#include "platform/message_boxes.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

// Shows the box modally over `owner` (may be null). An empty caption shows
// `applicationName` instead.
MessageResult showWin32Message(HWND owner, std::string_view text, std::string_view caption, MessageButtons buttons,
    std::string_view applicationName);

} // namespace glyphsmith
