// The Win32 backend in the shared window-system contract, run under Wine. The
// user's actions go through the message queue and the dialog manager as a
// real user's would: keys are posted and pumped through IsDialogMessageW.

#include "platform/win32/utf16.h"
#include "platform/win32/win32_window_system.h"
#include "platform/window_system_contract.h"

namespace glyphsmith {

namespace {

class Win32ContractBackend : public ContractBackend {
public:
    WindowSystem& windowSystem() override { return system_; }

    int runDialog(DialogHandler& handler, const std::function<void()>& session) override
    {
        system_.setSession(session);
        return system_.runModalDialog(MainDialogTemplate, handler);
    }

    void userReplacesText(int controlId, std::string_view text) override
    {
        HWND box = control(controlId);
        // Select everything and type over it: one edit, as a paste would be.
        const std::wstring wide = toUtf16(text);
        ::SendMessageW(box, EM_SETSEL, 0, -1);
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
        pump();
    }

    void userClicks(int controlId) override
    {
        // The mouse never reaches a disabled button.
        HWND button = control(controlId);
        if (button && ::IsWindowEnabled(button))
            ::SendMessageW(button, BM_CLICK, 0, 0);
        pump();
    }

    void userFocuses(int controlId) override
    {
        ::SetFocus(control(controlId));
        pump();
    }

    void userPressesEscape() override { pressKey(VK_ESCAPE); }
    void userPressesEnter() override { pressKey(VK_RETURN); }

    void userClosesWindow() override
    {
        ::SendMessageW(system_.dialogWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        pump();
    }

    bool dialogIsUp() override
    {
        HWND window = system_.dialogWindow();
        return window && ::IsWindowVisible(window);
    }

    void userMouse(MouseAction action, int x, int y, unsigned keys) override
    {
        const UINT message = action == MouseAction::LeftPress ? WM_LBUTTONDOWN
            : action == MouseAction::LeftDoubleClick          ? WM_LBUTTONDBLCLK
            : action == MouseAction::RightPress               ? WM_RBUTTONDOWN
            : action == MouseAction::RightDoubleClick         ? WM_RBUTTONDBLCLK
                                                              : WM_MOUSEMOVE;
        ::SendMessageW(system_.dialogWindow(), message, keys, MAKELPARAM(x, y));
    }

    Rgb clientPixel(int x, int y) override
    {
        HWND window = system_.dialogWindow();
        HDC dc = ::GetDC(window);
        const COLORREF colour = ::GetPixel(dc, x, y);
        ::ReleaseDC(window, dc);
        return { GetRValue(colour), GetGValue(colour), GetBValue(colour) };
    }

private:
    HWND control(int controlId) { return ::GetDlgItem(system_.dialogWindow(), controlId); }

    void pressKey(WPARAM key)
    {
        HWND target = ::GetFocus();
        if (!target)
            target = system_.dialogWindow();
        ::PostMessageW(target, WM_KEYDOWN, key, 1);
        ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
        pump();
    }

    // Hands everything queued to the dialog manager, as the modal loop would;
    // the session runs inside that loop, so it cannot do it itself.
    void pump()
    {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            HWND window = system_.dialogWindow();
            if (window && ::IsDialogMessageW(window, &message))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    Win32WindowSystem system_;
};

std::unique_ptr<ContractBackend> makeWin32ContractBackend()
{
    return std::make_unique<Win32ContractBackend>();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Win32, WindowSystemContract, ::testing::Values(BackendFactory(&makeWin32ContractBackend)));

} // namespace glyphsmith
