// The dialog's input on Win32 beyond what the dialog manager delivers: the
// editor's keys (virtual keys in the window system's terms, and the message
// hook that offers each key to the handler before the dialog manager or the
// focused control sees it), the mouse, and files dropped on the window.

#include "platform/win32/win32_dialog.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/win32/utf16.h"
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
    case VK_DELETE: return KeyDelete;
    case VK_ESCAPE: return KeyEscape;
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

void Win32Dialog::deliverMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (ended_)
        return;
    const MouseAction action = message == WM_LBUTTONDOWN ? MouseAction::LeftPress
        : message == WM_LBUTTONDBLCLK                    ? MouseAction::LeftDoubleClick
        : message == WM_RBUTTONDOWN                      ? MouseAction::RightPress
        : message == WM_RBUTTONDBLCLK                    ? MouseAction::RightDoubleClick
        : message == WM_MOUSEMOVE                        ? MouseAction::Move
                                                         : MouseAction::Release;
    // MK_LBUTTON, MK_RBUTTON, MK_SHIFT, MK_CONTROL and MK_MBUTTON have the
    // values of our MouseKeys bits.
    const unsigned keys = static_cast<unsigned>(wParam) & 0x1F;
    // A drag keeps the mouse until its button is let go, so its end arrives
    // even when the mouse has left the window by then.
    if (action != MouseAction::Move && action != MouseAction::Release)
        ::SetCapture(window_);
    handler_.mouse(action, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), keys);
    if (action == MouseAction::Release && !(keys & (LeftButtonHeld | RightButtonHeld)) && ::GetCapture() == window_)
        ::ReleaseCapture();
}

void Win32Dialog::deliverDrop(WPARAM dropped)
{
    auto drop = reinterpret_cast<HDROP>(dropped);
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = ::DragQueryFileW(drop, index, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(::DragQueryFileW(drop, index, path.data(), length + 1));
        if (!path.empty())
            paths.push_back(toUtf8(path));
    }
    ::DragFinish(drop);
    if (!ended_ && !paths.empty())
        handler_.filesDropped(paths);
}

} // namespace glyphsmith
