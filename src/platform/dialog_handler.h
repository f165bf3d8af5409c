#pragma once

// Events the window system delivers to the editor dialog. All of them arrive
// on the one user-interface thread, one at a time, and are handled to the end
// before the next; a handler may cause further events inside its own call
// (setting an edit box's text delivers that box's editChanged at once).

#include <string>
#include <vector>

namespace glyphsmith {

struct Icon;

// Keys as the dialog receives them: 'A' to 'Z' for the letter keys (whatever
// the Shift state) and '0' to '9' for the digit keys, and these codes for the
// keys without a character. Every other key arrives as KeyOther.
enum KeyCode : int {
    KeyPageUp = 0x100,
    KeyPageDown,
    KeyLeft,
    KeyRight,
    KeyUp,
    KeyDown,
    KeyHome,
    KeyEnd,
    KeyF1,
    KeyOther,
    KeyDelete,
    // Offered to keyPressed before it becomes the cancel command; a handler
    // that takes it keeps the dialog from seeing it.
    KeyEscape,
};

// The modifier keys held with a key, one bit each.
enum KeyModifiers : unsigned {
    KeyShift = 0x01,
    KeyControl = 0x02,
    KeyAlt = 0x04,
};

// Key-state flags that come with mouse events, one bit each.
enum MouseKeys : unsigned {
    LeftButtonHeld = 0x01,
    RightButtonHeld = 0x02,
    ShiftHeld = 0x04,
    ControlHeld = 0x08,
    MiddleButtonHeld = 0x10,
};

enum class MouseAction {
    LeftPress,
    LeftDoubleClick,
    RightPress,
    RightDoubleClick,
    Move,
    // A mouse button was let go; it ends a drag.
    Release,
};

class DialogHandler {
public:
    virtual ~DialogHandler() = default;

    // Once, after the controls exist and before the window is first shown.
    virtual void initDialog() = 0;

    // A push button was clicked, or Enter was pressed while it had the focus.
    // The cancel button (id 2) arrives as cancel() instead. Enter never ends
    // the dialog by itself: in an edit box, or with no control focused, it
    // reaches no handler at all. (A button with id 1, which the main dialog
    // does not have, would end the dialog with DialogOk without a command.)
    virtual void command(int controlId) = 0;

    // An edit box's text changed, by the user or by setControlText.
    virtual void editChanged(int controlId) = 0;
    virtual void editFocusGained(int controlId) = 0;
    virtual void editFocusLost(int controlId) = 0;

    // A mouse press, double click or move inside the client area. (x, y) are
    // client pixels, origin top left, y downward; `keys` holds MouseKeys bits.
    virtual void mouse(MouseAction action, int x, int y, unsigned keys) = 0;

    // The client area must be drawn. By the time this runs the window system
    // has done its own painting, including any background erase asked for.
    virtual void paint() = 0;

    // The icon to show while the minimised window is dragged.
    virtual Icon dragIcon() = 0;

    // The cancel command: the Quit button (id 2), the Escape key or the close
    // box. The dialog ends only if the handler calls endDialog.
    virtual void cancel() = 0;

    // A key was pressed while the dialog or any of its controls had the
    // focus. Every key but Tab and Enter (which keep their dialog meaning)
    // comes here before the focused control sees it; Escape comes here first
    // and, when the handler leaves it, goes on as the cancel command. True means the
    // handler used the key and the control must not see it; false lets it go
    // on as usual, so typing into the boxes works as without this handler.
    virtual bool keyPressed(int key, unsigned modifiers)
    {
        (void)key;
        (void)modifiers;
        return false;
    }

    // Files were dropped on the dialog: their full paths, in the order given.
    virtual void filesDropped(const std::vector<std::string>& paths) { (void)paths; }

    // The user chose an item of a drop-down list, with the mouse or the keys.
    virtual void listChosen(int controlId) { (void)controlId; }

    // The user edited the text of the text preview window.
    virtual void textPreviewChanged() { }
    // The user closed the text preview window (its close box).
    virtual void textPreviewClosed() { }
};

} // namespace glyphsmith
