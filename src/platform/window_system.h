#pragma once

// The window-system boundary. The editor and the start-up code talk to the
// screen, the file dialogs, the registry and the process only through
// WindowSystem; a Qt backend serves the real program and a headless backend
// serves the tests. Positions are client pixels of the dialog (origin top
// left, y downward) unless a name says screen pixels.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_handler.h"
#include "platform/message_boxes.h"
#include "platform/system_font_renderer.h"

namespace glyphsmith {

// Resource ids of the data files in res/.
inline constexpr int MainDialogTemplate = 102;
inline constexpr int AppIconResource = 130;
inline constexpr int CellBitmapResource = 132;

// Dialog end codes.
inline constexpr int DialogOk = 1;
inline constexpr int DialogCancel = 2;

struct Icon {
    int resourceId = 0;
    bool operator==(const Icon&) const = default;
};

// A rectangle; right and bottom are exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    bool operator==(const PixelSize&) const = default;
};

// A drawing surface on the dialog's client area, taken for one drawing and
// released when destroyed. Drawing lands on the window as it happens.
class ClientSurface {
public:
    virtual ~ClientSurface() = default;

    // Plain copy of the width x height block at (sourceX, sourceY) of the cell
    // bitmap (loaded with loadCellBitmap) to (destX, destY) of the client area.
    virtual void copyCellBlock(int sourceX, int sourceY, int width, int height, int destX, int destY) = 0;

    // Fills `rect` of the client area with a solid colour.
    virtual void fillRect(PixelRect rect, Rgb colour) = 0;

    // Draws `icon` with its top-left corner at (x, y).
    virtual void drawIcon(Icon icon, int x, int y) = 0;
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    // Pairs of description and pattern list, each field ended by "|", the
    // whole ended by an empty field: "AGS font (*.wfn)|*.wfn||". Patterns
    // within a list are separated by ";".
    std::string filter;
    unsigned flags = 0; // OFN_* values: 2 overwrite prompt, 4 hide read-only, 2048 path must exist, 4096 file must exist
    std::string initialName;
    std::string defaultExtension; // without the dot; empty for none
};

struct FileDialogAnswer {
    std::string path;      // full path
    std::string name;      // file name with extension, without folder
    std::string title;     // file name without folder and extension
    std::string extension; // without the dot; empty when the name has none
};

// A modal list from which the user picks one item.
struct ItemChoiceRequest {
    std::string caption;            // the box's title
    std::string prompt;             // the line above the list
    std::vector<std::string> items; // one line each, UTF-8
    int initialItem = 0;            // the item selected when the list opens
};

// A picture of palette colours, row by row from the top: pixel (x, y) is
// palette[pixels[y * width + x]].
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> pixels;
};

// An open registry key under the file-class root.
struct RegistryKey {
    int handle = 0;
};

class WindowSystem : public MessageBoxes {
public:
    // --- The modal dialog ---

    // Builds the dialog from template `templateId`, delivers initDialog, shows
    // it and runs it until it ends; returns the end code.
    virtual int runModalDialog(int templateId, DialogHandler& handler) = 0;

    // Ends the running dialog with `result` once the current event is handled.
    virtual void endDialog(int result) = 0;

    // --- Controls, by id ---

    // Control texts are UTF-8, and character counts (limits, selections)
    // count characters, not bytes.
    // The control's text, at most `maxChars` characters (edit boxes are read
    // into a 10-byte buffer, so the editor asks for 9).
    virtual std::string controlText(int controlId, std::size_t maxChars) = 0;

    // Sets the text. For an edit box this delivers editChanged(controlId)
    // inside the call, even when the text is unchanged.
    virtual void setControlText(int controlId, std::string_view text) = 0;

    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual bool isControlEnabled(int controlId) = 0;
    virtual void limitText(int controlId, int maxChars) = 0;
    // Selects the characters from `start` up to, not including, `end`.
    virtual void selectText(int controlId, int start, int end) = 0;
    virtual void scrollCaretIntoView(int controlId) = 0;
    // The id of the control with the keyboard focus, or 0 when none has it.
    virtual int focusedControl() = 0;
    // The tip shown while the mouse rests on the control.
    virtual void setToolTip(int controlId, std::string_view text) = 0;

    // --- The window ---

    virtual void setCaption(std::string_view caption) = 0;
    virtual std::string caption() = 0;
    virtual void centreOnScreen() = 0;
    // Outer rectangle, frame and caption included, in screen pixels.
    virtual PixelRect windowRect() = 0;
    // Moves and resizes the outer rectangle (screen pixels) and repaints.
    virtual void moveWindow(PixelRect outer) = 0;
    virtual PixelSize clientSize() = 0;
    // Invalidates the whole client area, erases it to the dialog background
    // and delivers paint() before returning.
    virtual void refreshNow() = 0;
    virtual bool isMinimised() = 0;

    // --- Icons and drawing ---

    virtual Icon loadIcon(int resourceId) = 0;
    virtual void setIcons(Icon big, Icon small) = 0;
    virtual PixelSize systemIconSize() = 0;
    // Loads bitmap resource `resourceId` into the memory surface that
    // copyCellBlock draws from.
    virtual void loadCellBitmap(int resourceId) = 0;
    // A surface on the client area, or null when none can be had.
    virtual std::unique_ptr<ClientSurface> clientSurface() = 0;
    virtual SystemFontRenderer& systemFontRenderer() = 0;

    // --- The text preview: a small window of its own beside the dialog ---

    // It holds a one-line text box at the top and a picture below it, which
    // the window shows at its own size. The user closing it (its close box,
    // or Escape while it has the focus) delivers textPreviewClosed; editing
    // its text delivers textPreviewChanged. Keys its text box does not use
    // go to the dialog's keyPressed. It lives while the dialog runs.
    virtual void showTextPreview(bool shown) = 0;
    virtual bool isTextPreviewShown() = 0;
    // The text is UTF-8. Setting it delivers no notification.
    virtual void setTextPreviewText(std::string_view text) = 0;
    virtual std::string textPreviewText() = 0;
    virtual void setTextPreviewPicture(const IndexedPicture& picture) = 0;

    // --- Settings kept between runs of the program ---

    // The value stored under `name`, empty when there is none.
    virtual std::string setting(std::string_view name) = 0;
    virtual void setSetting(std::string_view name, std::string_view value) = 0;

    // --- File dialogs ---

    // Shows the open or save dialog; nullopt when the user cancels.
    virtual std::optional<FileDialogAnswer> fileDialog(const FileDialogRequest& request) = 0;

    // --- Choosing one item from a list ---

    // Shows `request` modally over the dialog with OK and Cancel; returns the
    // index of the item chosen (OK, Enter or a double click on an item), or
    // nullopt when the user cancels (Cancel, Escape, the close box).
    virtual std::optional<int> chooseItem(const ItemChoiceRequest& request) = 0;

    // --- Registry, under the file-class root ---

    // Creates the key `name` or opens it if it exists; nullopt when neither works.
    virtual std::optional<RegistryKey> createClassKey(std::string_view name) = 0;
    // Sets the default string value of the key, or of the subkey path
    // `subkeyPath` below it ("shell\\open\\command"), creating missing subkeys.
    virtual void setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value) = 0;
    virtual void closeKey(RegistryKey key) = 0;

    // --- Shell and process ---

    // Opens a web address with the desktop's default handler, maximised.
    virtual void openWebAddress(std::string_view address) = 0;
    virtual std::string currentDirectory() = 0;
    // The executable's file name without folder and extension.
    virtual std::string executableName() = 0;
    // The running executable's own absolute path.
    virtual std::string executablePath() = 0;
    // The command-line text after the program name and the blanks after it.
    virtual std::string commandLine() = 0;
};

} // namespace glyphsmith
