#pragma once

// The window system on Qt 6 Widgets: the editor's dialog, its controls and
// canvas, message boxes, file dialogs, the file-class registry as freedesktop
// files, the desktop's web browser, the process facts, settings (QSettings)
// and the text preview window (its part is in qt_text_preview.cpp). A
// QApplication must exist before it is used.

#include <map>
#include <memory>
#include <string>

#include <QImage>

#include "platform/qt/qt_modal_script.h"
#include "platform/qt/qt_registry.h"
#include "platform/qt/qt_system_font_renderer.h"
#include "platform/window_system.h"

namespace glyphsmith {

class QtDialog;

struct QtWindowSystemOptions {
    // Answer message boxes and file dialogs from script() and open no web
    // pages; for tests and tools that must never wait for a user.
    bool scripted = false;
    // Run the freedesktop cache tools after registry writes.
    bool refreshDesktopCaches = true;
};

class QtWindowSystem : public WindowSystem {
public:
    explicit QtWindowSystem(QtWindowSystemOptions options = {});
    ~QtWindowSystem() override;

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
    void setToolTip(int controlId, std::string_view text) override;

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

    void showTextPreview(bool shown) override;
    bool isTextPreviewShown() override;
    void setTextPreviewText(std::string_view text) override;
    std::string textPreviewText() override;
    void setTextPreviewPicture(const IndexedPicture& picture) override;
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

    // The scripted answers and what the boxes showed (options.scripted).
    QtModalScript& script() { return script_; }
    // The dialog while runModalDialog runs, else null.
    QtDialog* dialog() { return dialog_.get(); }
    // The picture of icon `icon`, null when it was never loaded.
    QImage iconImage(Icon icon) const;
    const QImage& cellBitmap() const { return cellBitmap_; }

private:
    std::unique_ptr<QtDialog> dialog_;
    QtModalScript script_;
    FreedesktopRegistry registry_;
    QtSystemFontRenderer fontRenderer_;
    QImage cellBitmap_;
    std::map<int, QImage> icons_;
    // Settings of a scripted run stay in memory, away from the user's own.
    std::map<std::string, std::string, std::less<>> scriptedSettings_;
};

} // namespace glyphsmith
