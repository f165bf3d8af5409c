// Times the Windows editor (run it under Wine here, or on Windows): the start
// of glyphsmith's editor on the sample font to its first painted frame, and
// one mouse move of a left-button drag over an enlarged 64 x 64 letter with
// the painting it does. The same figures as the Qt build's
// glyphsmith-editor-bench (startToFirstFrame, dragMove/64x64); Google
// Benchmark is not packaged for mingw-w64, so this program times the runs
// itself and prints the median of each.
//
//   win32_editor_benchmark SAMPLE.wfn

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/start_up.h"
#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "editor/font_view.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_window_system.h"

#include <shellapi.h>

namespace glyphsmith {
namespace {

using Clock = std::chrono::steady_clock;

double median(std::vector<double> values)
{
    std::ranges::sort(values);
    return values.empty() ? -1 : values[values.size() / 2];
}

// The editor's dialog in a paint-counting form: the first paint ends the run.
class FirstFrameDialog : public EditorDialog {
public:
    FirstFrameDialog(Win32WindowSystem& windowSystem, BitmapFont& font, ApplicationHooks hooks)
        : EditorDialog(windowSystem, font, std::move(hooks))
        , windowSystem_(windowSystem)
    {
    }
    void paint() override
    {
        EditorDialog::paint();
        if (!painted) {
            painted = true;
            ::GdiFlush();
            windowSystem_.endDialog(DialogCancel);
        }
    }
    bool painted = false;

private:
    Win32WindowSystem& windowSystem_;
};

// The child's part: the editor started on `file` as the program starts it,
// up to its first painted frame; prints the milliseconds that took.
int runToFirstFrame(const std::string& file, Clock::time_point started)
{
    Win32WindowSystem ws;
    auto font = std::make_unique<BitmapFont>();
    FirstFrameDialog* dialog = nullptr;
    FirstFrameDialog first(ws, *font, { .startUp = [&] {
        registerFileTypes(ws);
        openCommandLineFile(ws, *dialog);
    }, .about = {} });
    dialog = &first;
    (void)file; // the window system reads it from the command line
    ws.runModalDialog(MainDialogTemplate, first);
    const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    std::printf("%f\n", first.painted ? milliseconds : -1.0);
    return first.painted ? 0 : 1;
}

// Starts this program again as a fresh process for each run, as a user
// starts the editor, and collects the child's time to its first frame and
// the whole run as the parent sees it.
void startToFirstFrame(const std::wstring& self, const std::wstring& file)
{
    std::vector<double> inside, whole;
    for (int run = 0; run < 10; ++run) {
        SECURITY_ATTRIBUTES inherit { sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE };
        HANDLE readEnd = nullptr, writeEnd = nullptr;
        if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
            return;
        ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = writeEnd;
        startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
        std::wstring commandLine = L"\"" + self + L"\" " + file;
        PROCESS_INFORMATION process {};
        const Clock::time_point started = Clock::now();
        if (!::CreateProcessW(self.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                &process))
            return;
        ::CloseHandle(writeEnd);
        char buffer[64] = {};
        DWORD got = 0;
        ::ReadFile(readEnd, buffer, sizeof buffer - 1, &got, nullptr);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        whole.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        ::CloseHandle(readEnd);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
        inside.push_back(std::atof(buffer));
    }
    std::printf("startToFirstFrame        %8.1f ms (median of 10; %.1f ms with process creation and exit)\n",
        median(inside), median(whole));
}

void dragMove()
{
    Win32WindowSystem ws;
    auto font = std::make_unique<BitmapFont>();
    Glyph& letter = font->glyphs[66];
    letter.width = MaxGlyphSize;
    letter.height = MaxGlyphSize;
    for (int x = 0; x < MaxGlyphSize; ++x)
        for (int y = 0; y < MaxGlyphSize; ++y)
            letter.cell(x, y) = (x * 7 + y * 13) % 11 < 4;
    EditorDialog editor(ws, *font);
    ws.setSession([&] {
        ws.setControlText(LetterNumberBox, "66");
        HWND window = ws.dialogWindow();
        constexpr int Moves = 4096;
        const Clock::time_point started = Clock::now();
        for (int step = 0; step < Moves; ++step) {
            const int x = LetterLeft + (step % 64) * LetterScale + 4;
            const int y = LetterTop + ((step / 64) % 64) * LetterScale + 4;
            ::SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
            ::GdiFlush();
        }
        const double microseconds = std::chrono::duration<double, std::micro>(Clock::now() - started).count() / Moves;
        std::printf("dragMove/64x64           %8.1f us per move (mean of %d)\n", microseconds, Moves);
    });
    ws.runModalDialog(MainDialogTemplate, editor);
}

} // namespace
} // namespace glyphsmith

int main()
{
    const auto started = glyphsmith::Clock::now();
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments || count != 2) {
        std::fprintf(stderr, "usage: win32_editor_benchmark SAMPLE.wfn\n");
        return 2;
    }
    const std::wstring self = arguments[0];
    const std::wstring file = arguments[1];
    ::LocalFree(arguments);
    if (::GetStdHandle(STD_OUTPUT_HANDLE) && std::getenv("GLYPHSMITH_FIRST_FRAME_CHILD"))
        return glyphsmith::runToFirstFrame(glyphsmith::toUtf8(file), started);
    ::SetEnvironmentVariableW(L"GLYPHSMITH_FIRST_FRAME_CHILD", L"1");
    glyphsmith::startToFirstFrame(self, file);
    ::SetEnvironmentVariableW(L"GLYPHSMITH_FIRST_FRAME_CHILD", nullptr);
    glyphsmith::dragMove();
    return 0;
}
