// Plays one editing session on the real glyphsmith.exe, as a user would, by
// sending its dialog the messages the mouse, the keyboard and the file dialog
// would: opens START.wfn from the command line, edits letters A, B and C (see
// session_edits.h; C's width goes down three times, and Ctrl+Z twice and
// Ctrl+Y once take it back to two), saves it over START.wfn with Ctrl+S and
// as edited.wfn, edited.0 and edited.bmp beside it, and quits. Exits 0 when
// every step was seen to happen.
//
//   windows_session_driver GLYPHSMITH.exe START.wfn

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "editor/editor_controls.h"
#include "editor/font_view.h"
#include "platform/win32/utf16.h"

#include <shellapi.h>

namespace {

using namespace glyphsmith;

bool failed = false;

void fail(const std::string& what)
{
    std::fprintf(stderr, "session: %s\n", what.c_str());
    failed = true;
}

// A Unix path under Wine names drive Z:.
std::wstring windowsPath(std::wstring path)
{
    std::ranges::replace(path, L'/', L'\\');
    return path.starts_with(L'\\') ? L"Z:" + path : path;
}

template <typename Result>
Result waitFor(const std::function<Result()>& probe, const char* what)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Result found = probe())
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    fail(std::string("timed out waiting for ") + what);
    return Result {};
}

std::wstring textOf(HWND window)
{
    wchar_t text[512] = {};
    ::SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// A visible window that `owner` owns: the file dialog or a message box.
HWND ownedPopup(HWND owner)
{
    std::pair<HWND, HWND> search { owner, nullptr };
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& [owner, found] = *reinterpret_cast<std::pair<HWND, HWND>*>(data);
            if (::GetWindow(window, GW_OWNER) == owner && ::IsWindowVisible(window))
                found = window;
            return !found;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

class Session {
public:
    explicit Session(HWND dialog)
        : dialog_(dialog)
    {
        // Sharing the editor's input state, the modifiers this thread holds
        // are the ones the editor reads when a key arrives.
        ::AttachThreadInput(::GetCurrentThreadId(), ::GetWindowThreadProcessId(dialog, nullptr), TRUE);
    }

    // Ctrl+`key` pressed on the editor; returns once `done` is seen.
    void pressWithControl(WPARAM key, const std::function<bool()>& done, const char* what)
    {
        BYTE state[256] = {};
        ::GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        ::SetKeyboardState(state);
        ::PostMessageW(dialog_, WM_KEYDOWN, key, 1);
        ::PostMessageW(dialog_, WM_KEYUP, key, 0xC0000001);
        waitFor<bool>(done, what);
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
    }

    int number(int boxId) { return std::stoi(L"0" + textOf(::GetDlgItem(dialog_, boxId))); }

    // What a button sends its dialog when clicked.
    void click(int buttonId, bool wait = true)
    {
        const WPARAM command = MAKEWPARAM(buttonId, BN_CLICKED);
        const auto button = reinterpret_cast<LPARAM>(::GetDlgItem(dialog_, buttonId));
        wait ? ::SendMessageW(dialog_, WM_COMMAND, command, button) : ::PostMessageW(dialog_, WM_COMMAND, command, button);
    }

    // The box's text replaced, as typing over it does; the box notifies the editor.
    void type(int boxId, const wchar_t* text)
    {
        ::SendMessageW(::GetDlgItem(dialog_, boxId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    void mouse(UINT message, LPARAM at, WPARAM keys) { ::SendMessageW(dialog_, message, keys, at); }

    // Save, type the full name into the save dialog, OK.
    void saveAs(const std::wstring& path)
    {
        click(SaveButton, false); // the save dialog holds the editor until it closes
        HWND files = waitFor<HWND>([&] { return ownedPopup(dialog_); }, "the save dialog");
        if (!files)
            return;
        HWND name = fileNameBox(files);
        if (!name) {
            fail("the save dialog has no file name box");
            ::PostMessageW(files, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ::PostMessageW(files, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(files, IDOK)));
        waitFor<bool>([&] { return !::IsWindow(files) || !::IsWindowVisible(files); }, "the save dialog to close");
        // The save is done when the editor takes input again; a message box
        // in between means it warned or failed.
        waitFor<bool>([&] {
            if (HWND box = ownedPopup(dialog_)) {
                fail("a message box came up: " + toUtf8(textOf(::GetDlgItem(box, 0xFFFF))));
                ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
                return false;
            }
            return ::IsWindowEnabled(dialog_) != FALSE;
        }, "the editor after saving");
    }

    std::wstring caption() { return textOf(dialog_); }

private:
    // The classic dialog's file name box: an edit box, or the edit inside
    // the file name combo box.
    static HWND fileNameBox(HWND files)
    {
        for (int id : { 0x47c /* cmb13 */, 0x480 /* edt1 */ }) {
            HWND control = ::GetDlgItem(files, id);
            if (!control)
                continue;
            if (HWND inner = ::FindWindowExW(control, nullptr, L"Edit", nullptr))
                return inner;
            return control;
        }
        return nullptr;
    }

    HWND dialog_;
};

// When the file was last written, as one number; 0 when it cannot be read.
unsigned long long modifiedTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
}

// The middle of enlarged pixel (x, y) in letter mode.
LPARAM letterPixel(int x, int y)
{
    return MAKELPARAM(LetterLeft + LetterScale * x + LetterScale / 2, LetterTop + LetterScale * y + LetterScale / 2);
}

} // namespace

int main()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count != 3) {
        std::fprintf(stderr, "usage: windows_session_driver GLYPHSMITH.exe START.wfn\n");
        return 2;
    }
    const std::wstring program = windowsPath(arguments[1]);
    const std::wstring start = windowsPath(arguments[2]);
    ::LocalFree(arguments);
    const std::wstring folder = start.substr(0, start.find_last_of(L'\\') + 1);

    std::wstring commandLine = L"\"" + program + L"\" \"" + start + L"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
            &process)) {
        std::fprintf(stderr, "session: cannot start %ls\n", program.c_str());
        return 1;
    }
    ::CloseHandle(process.hThread);

    const auto startTime = modifiedTime(start);
    HWND dialog = waitFor<HWND>([] { return ::FindWindowW(L"#32770", L"Glyphsmith (start.wfn)"); }, "the editor window");
    if (dialog) {
        Session session(dialog);
        session.type(LetterNumberBox, L"65");
        // Press on pixel (0, 0), which flips it, and drag along the row,
        // which paints the flipped value.
        session.mouse(WM_LBUTTONDOWN, letterPixel(0, 0), MK_LBUTTON);
        for (int x = 1; x < 4; ++x)
            session.mouse(WM_MOUSEMOVE, letterPixel(x, 0), MK_LBUTTON);
        session.mouse(WM_LBUTTONUP, letterPixel(3, 0), 0);
        session.click(ShiftRightButton);
        session.click(ShiftDownButton);
        session.click(CopyButton);
        session.type(LetterNumberBox, L"66");
        session.click(FillButton);
        session.click(UndoButton);
        session.click(PasteButton);
        session.click(UndoButton);
        session.click(OutlineButton);
        session.type(LetterNumberBox, L"67");
        for (int step = 0; step < 3; ++step)
            session.click(WidthDownButton);
        const int narrowest = session.number(WidthBox);
        session.pressWithControl('Z', [&] { return session.number(WidthBox) == narrowest + 1; }, "Ctrl+Z");
        session.pressWithControl('Z', [&] { return session.number(WidthBox) == narrowest + 2; }, "a second Ctrl+Z");
        session.pressWithControl('Y', [&] { return session.number(WidthBox) == narrowest + 1; }, "Ctrl+Y");
        session.pressWithControl('S', [&] { return modifiedTime(start) != startTime; }, "Ctrl+S to save start.wfn");
        for (const wchar_t* name : { L"edited.wfn", L"edited.0", L"edited.bmp" })
            session.saveAs(folder + name);
        if (session.caption() != L"Glyphsmith (edited.bmp)")
            fail("the caption after the saves is " + toUtf8(session.caption()));
        session.click(QuitButton, false);
    }
    if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        fail("the editor did not quit");
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hProcess);
    return failed ? 1 : 0;
}
