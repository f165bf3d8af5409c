#include "platform/win32/win32_window_system.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/resources.h"
#include "platform/win32/utf16.h"
#include "platform/win32/win32_dialog.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_item_choice.h"
#include "platform/win32/win32_message_box.h"

namespace glyphsmith {

namespace {

std::wstring windowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

std::wstring modulePath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::wstring(path.data(), length);
        path.resize(path.size() * 2);
    }
}

// The first image of an .ico file as an icon of its own size. The file is
// checked against its length before anything is read from it.
HICON iconFromFile(std::span<const std::uint8_t> bytes)
{
    auto u16 = [&](std::size_t at) { return static_cast<unsigned>(bytes[at] | bytes[at + 1] << 8); };
    auto u32 = [&](std::size_t at) { return static_cast<std::size_t>(u16(at) | u16(at + 2) << 16); };
    constexpr std::size_t HeaderSize = 6;
    constexpr std::size_t EntrySize = 16;
    if (bytes.size() < HeaderSize + EntrySize || u16(2) != 1 || u16(4) == 0)
        return nullptr;
    const int width = bytes[HeaderSize] ? bytes[HeaderSize] : 256;
    const int height = bytes[HeaderSize + 1] ? bytes[HeaderSize + 1] : 256;
    const std::size_t size = u32(HeaderSize + 8);
    const std::size_t offset = u32(HeaderSize + 12);
    if (offset > bytes.size() || size > bytes.size() - offset || size == 0)
        return nullptr;
    // The image is read, not changed, despite the non-const parameter.
    return ::CreateIconFromResourceEx(const_cast<PBYTE>(bytes.data() + offset), static_cast<DWORD>(size), TRUE,
        0x00030000, width, height, LR_DEFAULTCOLOR);
}

} // namespace

std::string commandLineAfterProgram(std::wstring_view commandLine)
{
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const std::size_t close = commandLine.find(L'"', 1);
        at = close == std::wstring_view::npos ? commandLine.size() : close + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != L' ' && commandLine[at] != L'\t')
            ++at;
    }
    while (at < commandLine.size() && (commandLine[at] == L' ' || commandLine[at] == L'\t'))
        ++at;
    return toUtf8(commandLine.substr(at));
}

Win32WindowSystem::Win32WindowSystem() = default;
Win32WindowSystem::~Win32WindowSystem() = default;

MessageResult Win32WindowSystem::showMessage(std::string_view text, std::string_view caption, MessageButtons buttons)
{
    return showWin32Message(dialogWindow(), text, caption, buttons, executableName());
}

std::optional<int> Win32WindowSystem::chooseItem(const ItemChoiceRequest& request)
{
    return showWin32ItemChoice(dialogWindow(), request);
}

int Win32WindowSystem::runModalDialog(int templateId, DialogHandler& handler)
{
    if (dialog_)
        return -1; // one dialog at a time
    std::optional<DialogTemplate> dialogTemplate = loadDialogTemplate(templateId);
    if (!dialogTemplate)
        return -1;
    dialog_ = std::make_unique<Win32Dialog>(*dialogTemplate, handler, [this](Icon icon) { return iconHandle(icon); });
    if (session_)
        dialog_->setSession(std::exchange(session_, nullptr));
    const int result = dialog_->run();
    dialog_.reset();
    return result;
}

void Win32WindowSystem::endDialog(int result)
{
    if (dialog_)
        dialog_->endWith(result);
}

HWND Win32WindowSystem::dialogWindow() const
{
    return dialog_ ? dialog_->window() : nullptr;
}

std::string Win32WindowSystem::controlText(int controlId, std::size_t maxChars)
{
    HWND control = dialog_ ? dialog_->control(controlId) : nullptr;
    if (!control)
        return {};
    // Characters are counted in UTF-16 units, as Qt counts them; a cut never
    // separates the two halves of a character beyond U+FFFF.
    std::wstring text = windowText(control);
    if (text.size() > maxChars) {
        const bool splitsPair = maxChars > 0 && text[maxChars - 1] >= 0xD800 && text[maxChars - 1] < 0xDC00;
        text.resize(splitsPair ? maxChars - 1 : maxChars);
    }
    return toUtf8(text);
}

void Win32WindowSystem::setControlText(int controlId, std::string_view text)
{
    if (dialog_)
        dialog_->setControlText(controlId, toUtf16(text));
}

void Win32WindowSystem::setListItems(int controlId, const std::vector<std::string>& items)
{
    HWND list = dialog_ ? dialog_->control(controlId) : nullptr;
    if (!list)
        return;
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toUtf16(item).c_str()));
    ::SendMessageW(list, CB_SETCURSEL, 0, 0);
}

void Win32WindowSystem::enableControl(int controlId, bool enabled)
{
    if (HWND control = dialog_ ? dialog_->control(controlId) : nullptr)
        ::EnableWindow(control, enabled);
}

bool Win32WindowSystem::isControlEnabled(int controlId)
{
    HWND control = dialog_ ? dialog_->control(controlId) : nullptr;
    return control && ::IsWindowEnabled(control);
}

void Win32WindowSystem::limitText(int controlId, int maxChars)
{
    // 0 lifts the limit, as for EM_LIMITTEXT itself.
    if (HWND control = dialog_ ? dialog_->control(controlId) : nullptr)
        ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(std::max(maxChars, 0)), 0);
}

void Win32WindowSystem::selectText(int controlId, int start, int end)
{
    if (HWND control = dialog_ ? dialog_->control(controlId) : nullptr)
        ::SendMessageW(control, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Win32WindowSystem::scrollCaretIntoView(int controlId)
{
    if (HWND control = dialog_ ? dialog_->control(controlId) : nullptr)
        ::SendMessageW(control, EM_SCROLLCARET, 0, 0);
}

int Win32WindowSystem::focusedControl()
{
    return dialog_ ? dialog_->focusedControlId() : 0;
}

void Win32WindowSystem::setCaption(std::string_view caption)
{
    if (HWND window = dialogWindow())
        ::SetWindowTextW(window, toUtf16(caption).c_str());
}

std::string Win32WindowSystem::caption()
{
    HWND window = dialogWindow();
    return window ? toUtf8(windowText(window)) : std::string();
}

void Win32WindowSystem::centreOnScreen()
{
    HWND window = dialogWindow();
    if (!window)
        return;
    MONITORINFO monitor {};
    monitor.cbSize = sizeof monitor;
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return;
    RECT outer {};
    ::GetWindowRect(window, &outer);
    const RECT& work = monitor.rcWork;
    const int left = work.left + ((work.right - work.left) - (outer.right - outer.left)) / 2;
    const int top = work.top + ((work.bottom - work.top) - (outer.bottom - outer.top)) / 2;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

PixelRect Win32WindowSystem::windowRect()
{
    RECT outer {};
    if (HWND window = dialogWindow())
        ::GetWindowRect(window, &outer);
    return { outer.left, outer.top, outer.right, outer.bottom };
}

void Win32WindowSystem::moveWindow(PixelRect outer)
{
    HWND window = dialogWindow();
    if (!window)
        return;
    ::MoveWindow(window, outer.left, outer.top, outer.width(), outer.height(), TRUE);
    // The newly uncovered parts are painted before returning, as the other
    // backends do; a plain move leaves nothing to paint.
    ::UpdateWindow(window);
}

PixelSize Win32WindowSystem::clientSize()
{
    RECT client {};
    if (HWND window = dialogWindow())
        ::GetClientRect(window, &client);
    return { client.right, client.bottom };
}

void Win32WindowSystem::refreshNow()
{
    if (dialog_)
        dialog_->refreshNow();
}

bool Win32WindowSystem::isMinimised()
{
    HWND window = dialogWindow();
    return window && ::IsIconic(window);
}

Icon Win32WindowSystem::loadIcon(int resourceId)
{
    if (!icons_.count(resourceId)) {
        UniqueIcon icon(iconFromFile(embeddedResource(resourceId)));
        if (!icon)
            return {};
        icons_[resourceId] = std::move(icon);
    }
    return { resourceId };
}

HICON Win32WindowSystem::iconHandle(Icon icon) const
{
    auto found = icons_.find(icon.resourceId);
    return found == icons_.end() ? nullptr : found->second.get();
}

void Win32WindowSystem::setIcons(Icon big, Icon small)
{
    HWND window = dialogWindow();
    if (!window)
        return;
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconHandle(big)));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconHandle(small)));
}

PixelSize Win32WindowSystem::systemIconSize()
{
    return { ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON) };
}

void Win32WindowSystem::loadCellBitmap(int resourceId)
{
    std::optional<RgbImage> image = decodeBitmapResource(resourceId);
    if (image)
        cellBitmap_.load(*image);
}

std::unique_ptr<ClientSurface> Win32WindowSystem::clientSurface()
{
    HWND window = dialogWindow();
    if (!window)
        return nullptr;
    return std::make_unique<Win32ClientSurface>(
        window, dialog_->picture(), cellBitmap_, [this](Icon icon) { return iconHandle(icon); });
}

SystemFontRenderer& Win32WindowSystem::systemFontRenderer()
{
    return fontRenderer_;
}

std::optional<FileDialogAnswer> Win32WindowSystem::fileDialog(const FileDialogRequest& request)
{
    return showWin32FileDialog(dialogWindow(), request);
}

std::optional<RegistryKey> Win32WindowSystem::createClassKey(std::string_view name)
{
    return registry_.createClassKey(name);
}

void Win32WindowSystem::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    registry_.setDefaultValue(key, subkeyPath, value);
}

void Win32WindowSystem::closeKey(RegistryKey key)
{
    registry_.closeKey(key);
}

void Win32WindowSystem::openWebAddress(std::string_view address)
{
    ::ShellExecuteW(nullptr, L"open", toUtf16(address).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

std::string Win32WindowSystem::currentDirectory()
{
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    if (length == 0)
        return {};
    std::wstring folder(length, L'\0');
    const DWORD copied = ::GetCurrentDirectoryW(length, folder.data());
    folder.resize(copied < length ? copied : 0);
    return toUtf8(folder);
}

std::string Win32WindowSystem::executableName()
{
    const std::wstring path = modulePath();
    const std::size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.resize(dot);
    return toUtf8(name);
}

std::string Win32WindowSystem::executablePath()
{
    return toUtf8(modulePath());
}

std::string Win32WindowSystem::commandLine()
{
    return commandLineAfterProgram(::GetCommandLineW());
}

} // namespace glyphsmith
