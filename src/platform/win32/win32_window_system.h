#pragma once

// The window system on the Win32 API (the W functions; our UTF-8 strings are
// converted at this edge): the editor's dialog from its template, drawing with
// GDI, MessageBoxW, the classic file dialogs, tooltips, the text preview
// window, settings kept in the registry, the current user's file-class
// registry, the shell and the process facts.

#include <functional>
#include <map>
#include <memory>

#include "platform/window_system.h"
#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system_font_renderer.h"

namespace glyphsmith {

class Win32Dialog;

class Win32WindowSystem : public WindowSystem {
public:
    Win32WindowSystem();
    ~Win32WindowSystem() override;

    MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override;
    std::optional<int> chooseItem(const ItemChoiceRequest& request) override;

    int runModalDialog(int templateId, DialogHandler& handler) override;
    void endDialog(int result) override;

    std::string controlText(int controlId, std::size_t maxChars) override;
    void setControlText(int controlId, std::string_view text) override;
    void enableControl(int controlId, bool enabled) override;
    bool isControlEnabled(int controlId) override;
    void limitText(int controlId, int maxChars) override;
    void selectText(int controlId, int start, int end) override;
    void scrollCaretIntoView(int controlId) override;
    int focusedControl() override;
    void setToolTip(int controlId, std::string_view text) override; // win32_tool_tips.cpp

    void setCaption(std::string_view caption) override;
    std::string caption() override;
    void centreOnScreen() override;
    PixelRect windowRect() override;
    void moveWindow(PixelRect outer) override;
    PixelSize clientSize() override;
    void refreshNow() override;
    bool isMinimised() override;

    Icon loadIcon(int resourceId) override;
    void setIcons(Icon big, Icon small) override;
    PixelSize systemIconSize() override;
    void loadCellBitmap(int resourceId) override;
    std::unique_ptr<ClientSurface> clientSurface() override;
    SystemFontRenderer& systemFontRenderer() override;

    // win32_text_preview.cpp
    void showTextPreview(bool shown) override;
    bool isTextPreviewShown() override;
    void setTextPreviewText(std::string_view text) override;
    std::string textPreviewText() override;
    void setTextPreviewPicture(const IndexedPicture& picture) override;

    // win32_settings.cpp: HKEY_CURRENT_USER\Software\Glyphsmith
    std::string setting(std::string_view name) override;
    void setSetting(std::string_view name, std::string_view value) override;

    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest& request) override;

    std::optional<RegistryKey> createClassKey(std::string_view name) override;
    void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value) override;
    void closeKey(RegistryKey key) override;

    void openWebAddress(std::string_view address) override;
    std::string currentDirectory() override;
    std::string executableName() override;
    std::string executablePath() override;
    std::string commandLine() override;

    // For tests and tools that play the user: runs `session` once inside the
    // next modal run, after the window is first shown and painted (see
    // Win32Dialog::setSession).
    void setSession(std::function<void()> session) { session_ = std::move(session); }
    // The running dialog's window, or null.
    HWND dialogWindow() const;
    // The text preview's window and its text box, or null while it has not been made.
    HWND textPreviewWindow() const;
    HWND textPreviewBox() const;
    // The loaded icon for `icon`, or null.
    HICON iconHandle(Icon icon) const;

private:
    std::unique_ptr<Win32Dialog> dialog_;
    std::function<void()> session_;
    std::map<int, UniqueIcon> icons_;
    CellBitmapDc cellBitmap_;
    Win32Registry registry_;
    Win32SystemFontRenderer fontRenderer_;
};

// The command line after the program name and the blanks after it, as
// Windows quotes it: a quoted program name ends at the closing quote.
std::string commandLineAfterProgram(std::wstring_view commandLine);

} // namespace glyphsmith
