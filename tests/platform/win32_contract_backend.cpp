// The Win32 backend in the shared window-system contract, run under Wine. The
// user's actions go through the message queue and the dialog manager as a
// real user's would: keys are posted and pumped through IsDialogMessageW.

#include <shlobj.h>

#include <cstring>

#include "platform/win32/utf16.h"
#include "platform/win32/win32_item_choice.h"
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
            : action == MouseAction::Release                  ? WM_LBUTTONUP
                                                              : WM_MOUSEMOVE;
        ::SendMessageW(system_.dialogWindow(), message, keys, MAKELPARAM(x, y));
    }

    void userPressesKey(int key, unsigned modifiers) override
    {
        // The modifiers are held in this thread's keyboard state while the
        // key's messages are read, as they would be on a real keyboard.
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        const BYTE saved[3] = { state[VK_SHIFT], state[VK_CONTROL], state[VK_MENU] };
        state[VK_SHIFT] = modifiers & KeyShift ? 0x80 : 0;
        state[VK_CONTROL] = modifiers & KeyControl ? 0x80 : 0;
        state[VK_MENU] = modifiers & KeyAlt ? 0x80 : 0;
        ::SetKeyboardState(state);
        // Letters and digits are their own virtual keys; Page Up is the one
        // named key the contract uses.
        pressKey(key == KeyPageUp ? VK_PRIOR : static_cast<WPARAM>(key), modifiers & KeyAlt);
        state[VK_SHIFT] = saved[0];
        state[VK_CONTROL] = saved[1];
        state[VK_MENU] = saved[2];
        ::SetKeyboardState(state);
    }

    void userDropsFiles(const std::vector<std::string>& paths) override
    {
        // What the shell hands the window: a DROPFILES block followed by the
        // paths, each ended by a zero, the list by another.
        std::wstring list;
        for (const std::string& path : paths)
            list += toUtf16(path) + L'\0';
        list += L'\0';
        const std::size_t bytes = list.size() * sizeof(wchar_t);
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), bytes);
        ::GlobalUnlock(block);
        // The window frees the block (DragFinish).
        ::PostMessageW(system_.dialogWindow(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
        pump();
    }

    void userEditsPreviewText(std::string_view text) override
    {
        HWND box = system_.textPreviewBox();
        const std::wstring wide = toUtf16(text);
        ::SendMessageW(box, EM_SETSEL, 0, -1);
        ::SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
        pump();
    }

    void userClosesTextPreview() override
    {
        ::SendMessageW(system_.textPreviewWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        pump();
    }

    void userChoosesItem(std::optional<int> item) override
    {
        // The list runs its own modal loop; a timer answers it from inside
        // that loop as the user would, through its list box and buttons.
        pendingChoice_ = item;
        pendingOwner_ = system_.dialogWindow();
        ::SetTimer(nullptr, 0, 20, answerChoice);
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
    static BOOL CALLBACK findChoiceBox(HWND window, LPARAM found)
    {
        if (::IsWindowVisible(window) && ::GetWindow(window, GW_OWNER) == pendingOwner_
            && ::GetDlgItem(window, ItemChoiceList)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK answerChoice(HWND, UINT, UINT_PTR timer, DWORD)
    {
        HWND box = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), findChoiceBox, reinterpret_cast<LPARAM>(&box));
        if (!box)
            return; // not up yet; the timer comes again
        ::KillTimer(nullptr, timer);
        if (pendingChoice_ && *pendingChoice_ >= 0)
            ::SendDlgItemMessageW(box, ItemChoiceList, LB_SETCURSEL, static_cast<WPARAM>(*pendingChoice_), 0);
        ::SendMessageW(::GetDlgItem(box, pendingChoice_ ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    }

    static inline std::optional<int> pendingChoice_;
    static inline HWND pendingOwner_ = nullptr;

    HWND control(int controlId) { return ::GetDlgItem(system_.dialogWindow(), controlId); }

    void pressKey(WPARAM key, bool withAlt = false)
    {
        HWND target = ::GetFocus();
        if (!target)
            target = system_.dialogWindow();
        // The scan code lets TranslateMessage find the key's character.
        const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
        ::PostMessageW(target, withAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, scanCode | 1);
        ::PostMessageW(target, withAlt ? WM_SYSKEYUP : WM_KEYUP, key, scanCode | 0xC0000001);
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
