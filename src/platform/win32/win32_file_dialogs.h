#pragma once

// The classic open and save dialogs (GetOpenFileNameW, GetSaveFileNameW),
// whose OFN_* flags the editor's requests carry as they are.

#include <optional>
#include <string>
#include <string_view>

#include "platform/window_system.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

// The "|"-separated filter as the double-zero-ended list the dialogs take:
// each "|" becomes a zero, and the list ends at the first empty field.
std::wstring win32FilterList(std::string_view filter);

// The answer for a chosen full path: the name after the last "\" or "/", its
// title up to the last "." and the extension after it.
FileDialogAnswer answerForWin32Path(const std::wstring& path);

std::optional<FileDialogAnswer> showWin32FileDialog(HWND owner, const FileDialogRequest& request);

} // namespace glyphsmith
