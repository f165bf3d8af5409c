// The editor's keys on Win32: virtual keys in the window system's terms, and
// the message hook that offers each key to the handler before the dialog
// manager or the focused control sees it.

#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_text_preview.h"

namespace glyphsmith {

namespace {

// The dialog whose modal loop runs on this thread; one at a time.
thread_local Win32Dialog* runningDialog = nullptr;

// The dialog manager's loop passes every message it takes from the queue to
// IsDialogMessageW, which hands it to this hook first; a non-zero answer
// means the message has been dealt with and goes no further.
LRESULT CALLBACK messageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && runningDialog && runningDialog->offerKey(*reinterpret_cast<const MSG*>(lParam)))
        return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

int keyCodeFor(WPARAM virtualKey)
{
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
        return static_cast<int>(virtualKey); // the virtual keys of these are their ASCII capitals and digits
    switch (virtualKey) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    // A modifier on its own is no key of the editor's.
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
        return -1;
    case VK_PRIOR: return KeyPageUp;
    case VK_NEXT: return KeyPageDown;
    case VK_LEFT: return KeyLeft;
    case VK_RIGHT: return KeyRight;
    case VK_UP: return KeyUp;
    case VK_DOWN: return KeyDown;
    case VK_HOME: return KeyHome;
    case VK_END: return KeyEnd;
    case VK_F1: return KeyF1;
    default: return KeyOther;
    }
}

unsigned heldKeyModifiers()
{
    auto held = [](int virtualKey) { return (::GetKeyState(virtualKey) & 0x8000) != 0; };
    return (held(VK_SHIFT) ? KeyShift : 0u) | (held(VK_CONTROL) ? KeyControl : 0u) | (held(VK_MENU) ? KeyAlt : 0u);
}

Win32KeyHook::Win32KeyHook(Win32Dialog& dialog)
    : previous_(runningDialog)
    , hook_(::SetWindowsHookExW(WH_MSGFILTER, &messageFilter, nullptr, ::GetCurrentThreadId()))
{
    runningDialog = &dialog;
}

Win32KeyHook::~Win32KeyHook()
{
    if (hook_)
        ::UnhookWindowsHookEx(hook_);
    runningDialog = previous_;
}

bool Win32Dialog::offerKey(const MSG& message)
{
    if ((message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) || ended_ || !window_)
        return false;
    const bool inPreview = preview_ && preview_->owns(message.hwnd);
    if (!inPreview && message.hwnd != window_ && !::IsChild(window_, message.hwnd))
        return false;
    // While a message box or file dialog of ours is up the dialog is disabled;
    // no key may start another command underneath it.
    if (!::IsWindowEnabled(window_))
        return false;
    if (inPreview && message.wParam == VK_ESCAPE) {
        // Escape closes the preview, as its close box does; the editor's own
        // Escape (Quit) belongs to the dialog.
        preview_->closeByUser();
        return true;
    }
    const int key = keyCodeFor(message.wParam);
    if (key < 0)
        return false;
    const unsigned modifiers = heldKeyModifiers();
    // The preview's text box keeps the keys that edit its text (Ctrl+Z there
    // undoes typing); the rest go to the editor.
    if (inPreview && preview_->boxUses(message.wParam, modifiers))
        return false;
    return handler_.keyPressed(key, modifiers);
}

} // namespace glyphsmith
