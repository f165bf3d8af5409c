#include "platform/win32/win32_message_box.h"

#include "platform/win32/utf16.h"

namespace glyphsmith {

MessageResult showWin32Message(HWND owner, std::string_view text, std::string_view caption, MessageButtons buttons,
    std::string_view applicationName)
{
    const std::wstring wideText = toUtf16(text);
    const std::wstring wideCaption = toUtf16(caption.empty() ? applicationName : caption);
    const UINT type = (buttons == MessageButtons::Ok ? MB_OK : MB_YESNOCANCEL) | MB_DEFBUTTON1 | MB_SETFOREGROUND;
    // Escape and the close box answer IDCANCEL on a Yes/No/Cancel box, and
    // IDOK on a box with only OK.
    switch (::MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), type)) {
    case IDYES: return MessageResult::Yes;
    case IDNO: return MessageResult::No;
    case IDOK: return MessageResult::Ok;
    default: return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

} // namespace glyphsmith
