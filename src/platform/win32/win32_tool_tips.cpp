// Tooltips on Win32: one common-controls tooltip window per dialog, with a
// tool for each control that has a tip. The tooltip window watches the
// control's mouse messages itself (TTF_SUBCLASS).

#include "platform/win32/utf16.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_window_system.h"

#include <commctrl.h>

namespace glyphsmith {

void Win32Dialog::setToolTip(int controlId, const std::wstring& text)
{
    HWND target = control(controlId);
    if (!target || ended_)
        return;
    if (!toolTips_) {
        INITCOMMONCONTROLSEX classes {};
        classes.dwSize = sizeof classes;
        classes.dwICC = ICC_WIN95_CLASSES;
        ::InitCommonControlsEx(&classes);
        // Owned by the dialog, so it goes with it; shown even while the
        // dialog is not the active window.
        toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, ::GetModuleHandleW(nullptr),
            nullptr);
        if (!toolTips_)
            return;
        // Long tips wrap instead of running across the screen.
        ::SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TTTOOLINFOW tool {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(target);
    // A control's tip replaces the one it had.
    ::SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty())
        return;
    std::wstring copy = text; // the tooltip copies the text; the API just takes a non-const pointer
    tool.lpszText = copy.data();
    ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32WindowSystem::setToolTip(int controlId, std::string_view text)
{
    if (dialog_)
        dialog_->setToolTip(controlId, toUtf16(text));
}

} // namespace glyphsmith
