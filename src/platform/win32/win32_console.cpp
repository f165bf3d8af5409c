#include "platform/win32/win32_console.h"

#include "platform/win32/utf16.h"

namespace glyphsmith {

namespace {

// Writes to a console in UTF-16, to anything else (a pipe, a file) in UTF-8.
bool writeTo(HANDLE out, std::string_view text)
{
    if (!out || out == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    DWORD written = 0;
    if (::GetConsoleMode(out, &mode)) {
        const std::wstring wide = toUtf16(text);
        return ::WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    if (::GetFileType(out) == FILE_TYPE_UNKNOWN)
        return false;
    return ::WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
}

} // namespace

void showTextToUser(std::string_view text, std::string_view caption)
{
    if (writeTo(::GetStdHandle(STD_OUTPUT_HANDLE), text))
        return;
    if (::AttachConsole(ATTACH_PARENT_PROCESS)) {
        HANDLE console = ::CreateFileW(
            L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        // The prompt has already been printed; start on a line of our own.
        const bool written = writeTo(console, "\n") && writeTo(console, text);
        if (console != INVALID_HANDLE_VALUE)
            ::CloseHandle(console);
        ::FreeConsole();
        if (written)
            return;
    }
    ::MessageBoxW(nullptr, toUtf16(text).c_str(), toUtf16(caption).c_str(), MB_OK | MB_ICONINFORMATION);
}

} // namespace glyphsmith
