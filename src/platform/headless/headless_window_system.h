#pragma once

// A window system without a screen, for tests. It builds the dialog's controls
// from the template and keeps everything a real window would show, so a test
// can play the user (click, type, move the focus, use the mouse) and look at
// the result (box texts, enabled states, caption, window placement, the client
// area as RGB pixels). Message boxes and file dialogs are answered from queues
// set up by the test; one with no answer queued throws HeadlessScriptError, so
// nothing here ever waits.
//
// Running the dialog: runModalDialog builds the dialog, delivers initDialog,
// shows the window (an erase and a paint) and then runs the user session set
// with setUserSession, once. If the dialog has not ended when the session
// returns, it ends with DialogCancel. To step event by event instead, call
// openDialog and then the user* operations one at a time.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cell_bitmap.h"
#include "platform/headless/headless_canvas.h"
#include "platform/headless/headless_controls.h"
#include "platform/headless/headless_registry.h"
#include "platform/headless/headless_scripts.h"
#include "platform/window_system.h"

namespace glyphsmith {

// The fixed window frame: the outer rectangle is the client area plus a
// border on every side and a caption bar above.
inline constexpr int HeadlessFrameBorder = 3;
inline constexpr int HeadlessCaptionBarHeight = 22;
inline constexpr PixelSize HeadlessScreenSize { 1920, 1080 };
inline constexpr PixelSize HeadlessIconSize { 32, 32 };
// An icon is drawn as a square of this colour, framed in black.
inline constexpr Rgb HeadlessIconColour { 0, 0, 128 };

// Paints nested inside paints beyond this depth mean a resize that never
// settles; the backend throws rather than recursing without end.
inline constexpr int HeadlessMaxPaintDepth = 8;

struct DrawnIcon {
    Icon icon;
    int x = 0;
    int y = 0;
    bool operator==(const DrawnIcon&) const = default;
};

class HeadlessWindowSystem : public WindowSystem {
public:
    HeadlessWindowSystem();
    ~HeadlessWindowSystem() override;
    HeadlessWindowSystem(const HeadlessWindowSystem&) = delete;
    HeadlessWindowSystem& operator=(const HeadlessWindowSystem&) = delete;

    // --- Running the dialog ---

    // What the user does while runModalDialog runs; used once.
    void setUserSession(std::function<void()> session);
    // Builds the dialog, delivers initDialog and shows the window, then
    // returns with the dialog up (unless initDialog ended it).
    void openDialog(int templateId, DialogHandler& handler);
    // True from openDialog until the dialog ends.
    bool isDialogRunning() const;
    // The end code of the dialog once it has ended.
    std::optional<int> endCode() const { return endCode_; }
    bool isShown() const { return shown_; }

    // --- What the user does; each throws HeadlessScriptError unless the dialog is running ---

    // A mouse click on a control. A disabled control ignores it. A button
    // takes the focus, then delivers its command: button 2 the cancel
    // command, button 1 ends the dialog with DialogOk, any other command(id).
    // An edit box just takes the focus.
    void userClicks(int controlId);
    // Puts the focus on a control, as a click into it would; the caret of an
    // edit box then stands after its text. A disabled control ignores it.
    void userFocuses(int controlId);
    // Types `text` into an edit box one key at a time, after focusing it if
    // needed. Each character replaces the selection and delivers
    // editChanged; characters the box refuses (past its limit, non-digits in
    // a digits-only box) change nothing and deliver nothing.
    void userTypes(int controlId, std::string_view text);
    // Replaces the whole text of an edit box at once, as selecting everything
    // and pasting would, after focusing it if needed; the text is cut to the
    // box's limit. Delivers editChanged once.
    void userReplacesText(int controlId, std::string_view text);
    void userPressesEscape();
    // Enter clicks the push button that has the focus; with no button focused
    // it does nothing, reaches no handler and leaves the dialog running.
    void userPressesEnter();
    // The close box of the caption bar: the cancel command.
    void userClosesWindow();
    // A mouse event inside the client area; events outside it are not seen.
    void userMouse(MouseAction action, int x, int y, unsigned keys);
    // The minimised window is dragged: returns the icon the handler gives for it.
    Icon userDragsMinimisedWindow();
    // The window is uncovered: the client area is erased and painted.
    void userUncoversWindow();
    // A key with `modifiers` (KeyModifiers bits) while the dialog has the
    // focus. The handler sees it first; a key it leaves alone that stands for
    // a character (a letter or digit, without Ctrl or Alt) is typed into the
    // focused edit box. Returns whether the handler used the key.
    bool userPressesKey(int key, unsigned modifiers = 0);
    // Files dropped on the dialog.
    void userDropsFiles(const std::vector<std::string>& paths);
    // Replaces the text of the text preview window, which must be shown.
    void userEditsPreviewText(std::string_view text);
    // The close box of the text preview window, which must be shown.
    void userClosesTextPreview();

    // --- What a test sets ---

    void setMinimised(bool minimised) { minimised_ = minimised; }
    void setCurrentDirectory(std::string directory) { currentDirectory_ = std::move(directory); }
    void setExecutableName(std::string name) { executableName_ = std::move(name); }
    void setExecutablePath(std::string path) { executablePath_ = std::move(path); }
    void setCommandLine(std::string text) { commandLine_ = std::move(text); }
    // When false, clientSurface() gives null, as when no drawing context can be had.
    void setSurfaceAvailable(bool available) { surfaceAvailable_ = available; }
    // The renderer systemFontRenderer() gives; null restores the default one,
    // whose selectFont always fails. Not owned: it must outlive its use.
    void setSystemFontRenderer(SystemFontRenderer* renderer) { fontRenderer_ = renderer; }
    HeadlessScripts& scripts() { return scripts_; }
    HeadlessRegistry& registry() { return registry_; }

    // --- What a test looks at ---

    const HeadlessControl& control(int controlId) const { return controls_.at(controlId); }
    // Every control, labels included, in template order.
    const std::vector<HeadlessControl>& controls() const { return controls_.all(); }
    const HeadlessCanvas& canvas() const { return canvas_; }
    const std::vector<PixelRect>& moveRequests() const { return moveRequests_; }
    const std::vector<DrawnIcon>& drawnIcons() const { return drawnIcons_; }
    std::optional<Icon> bigIcon() const { return bigIcon_; }
    std::optional<Icon> smallIcon() const { return smallIcon_; }
    const std::vector<std::string>& openedAddresses() const { return openedAddresses_; }
    // Counted since the dialog was opened.
    int paintCount() const { return paintCount_; }
    int eraseCount() const { return eraseCount_; }
    // The bitmap loaded with loadCellBitmap, if any.
    const std::optional<RgbImage>& cellBitmap() const { return cellBitmap_; }
    int liveSurfaceCount() const { return liveSurfaces_; }
    // The last picture given to the text preview.
    const IndexedPicture& textPreviewPicture() const { return previewPicture_; }
    int textPreviewPictureCount() const { return previewPictureCount_; }

    // --- WindowSystem ---

    int runModalDialog(int templateId, DialogHandler& handler) override;
    void endDialog(int result) override;
    std::string controlText(int controlId, std::size_t maxChars) override;
    void setControlText(int controlId, std::string_view text) override;
    void enableControl(int controlId, bool enabled) override;
    bool isControlEnabled(int controlId) override;
    void limitText(int controlId, int maxChars) override;
    void selectText(int controlId, int start, int end) override;
    void scrollCaretIntoView(int controlId) override;
    int focusedControl() override { return focus_; }
    void setToolTip(int controlId, std::string_view text) override { controls_.at(controlId).toolTip = text; }
    void setCaption(std::string_view caption) override { caption_ = std::string(caption); }
    std::string caption() override { return caption_; }
    void centreOnScreen() override;
    PixelRect windowRect() override { return windowRect_; }
    void moveWindow(PixelRect outer) override;
    PixelSize clientSize() override;
    void refreshNow() override;
    bool isMinimised() override { return minimised_; }
    Icon loadIcon(int resourceId) override { return Icon { resourceId }; }
    void setIcons(Icon big, Icon small) override;
    PixelSize systemIconSize() override { return HeadlessIconSize; }
    void loadCellBitmap(int resourceId) override;
    std::unique_ptr<ClientSurface> clientSurface() override;
    SystemFontRenderer& systemFontRenderer() override;
    void showTextPreview(bool shown) override { previewShown_ = shown; }
    bool isTextPreviewShown() override { return previewShown_; }
    void setTextPreviewText(std::string_view text) override { previewText_ = text; }
    std::string textPreviewText() override { return previewText_; }
    void setTextPreviewPicture(const IndexedPicture& picture) override;
    std::string setting(std::string_view name) override;
    void setSetting(std::string_view name, std::string_view value) override { settings_[std::string(name)] = value; }
    std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest& request) override;
    MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override;
    std::optional<int> chooseItem(const ItemChoiceRequest& request) override;
    std::optional<RegistryKey> createClassKey(std::string_view name) override;
    void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value) override;
    void closeKey(RegistryKey key) override;
    void openWebAddress(std::string_view address) override { openedAddresses_.emplace_back(address); }
    std::string currentDirectory() override { return currentDirectory_; }
    std::string executableName() override { return executableName_; }
    std::string executablePath() override { return executablePath_; }
    std::string commandLine() override { return commandLine_; }

private:
    class Surface;
    class NoSystemFont;

    // The running dialog's handler; throws when no dialog is running.
    DialogHandler& runningHandler(const char* action);
    void moveFocus(int controlId);
    void clickButton(HeadlessControl& button);
    void show();
    void eraseAndPaint();
    void deliverPaint();
    void drawIcon(Icon icon, int x, int y);

    HeadlessControls controls_;
    DialogHandler* handler_ = nullptr;
    std::function<void()> session_;
    bool running_ = false;
    std::optional<int> endCode_;
    bool shown_ = false;
    int focus_ = 0;

    std::string caption_;
    PixelRect windowRect_;
    std::vector<PixelRect> moveRequests_;
    bool minimised_ = false;
    HeadlessCanvas canvas_;
    std::optional<RgbImage> cellBitmap_;
    bool surfaceAvailable_ = true;
    int liveSurfaces_ = 0;
    int paintDepth_ = 0;
    int paintCount_ = 0;
    int eraseCount_ = 0;
    std::optional<Icon> bigIcon_;
    std::optional<Icon> smallIcon_;
    std::vector<DrawnIcon> drawnIcons_;
    std::unique_ptr<SystemFontRenderer> defaultFontRenderer_;
    SystemFontRenderer* fontRenderer_ = nullptr;

    HeadlessScripts scripts_;
    HeadlessRegistry registry_;
    std::vector<std::string> openedAddresses_;
    std::string currentDirectory_ = "C:\\Fonts";
    std::string executableName_ = "Glyphsmith";
    std::string executablePath_ = "C:\\Tools\\Glyphsmith.exe";
    std::string commandLine_;

    bool previewShown_ = false;
    std::string previewText_;
    IndexedPicture previewPicture_;
    int previewPictureCount_ = 0;
    std::map<std::string, std::string, std::less<>> settings_;
};

} // namespace glyphsmith
