#pragma once

// The editor's modal dialog on Win32, built from a dialog template as an
// in-memory DLGTEMPLATE and run with DialogBoxIndirectParamW. It turns the
// dialog manager's messages into DialogHandler calls, the same events in the
// same order as the other backends deliver.

#include <functional>
#include <memory>
#include <string>

#include "platform/dialog_handler.h"
#include "platform/dialog_template.h"
#include "platform/win32/win32_canvas.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

class Win32Dialog;
class Win32TextPreview;

// A virtual key as a KeyCode; -1 for Tab, Enter, Escape and the modifier
// keys themselves, which are never offered to the handler.
int keyCodeFor(WPARAM virtualKey);
// The KeyModifiers held, as the keyboard state of this thread has them.
unsigned heldKeyModifiers();

// While it lives, every key the modal loop of `dialog` takes from the queue
// is offered to the dialog (Win32Dialog::offerKey) before anything else sees it.
class Win32KeyHook {
public:
    explicit Win32KeyHook(Win32Dialog& dialog);
    ~Win32KeyHook();
    Win32KeyHook(const Win32KeyHook&) = delete;
    Win32KeyHook& operator=(const Win32KeyHook&) = delete;

private:
    Win32Dialog* previous_;
    HHOOK hook_;
};

class Win32Dialog {
public:
    // `iconOf` gives the loaded icon for an Icon the handler names (the drag icon).
    Win32Dialog(const DialogTemplate& dialogTemplate, DialogHandler& handler, std::function<HICON(Icon)> iconOf);
    ~Win32Dialog();

    // Creates the window, delivers initDialog and runs until the dialog ends;
    // returns the end code, or -1 when the window cannot be created.
    int run();

    // Runs `session` once, inside the modal loop, after the window has been
    // shown and painted for the first time; if the dialog has not ended when
    // it returns, it ends with DialogCancel. For tests and tools that play the
    // user; the program leaves it empty.
    void setSession(std::function<void()> session) { session_ = std::move(session); }

    HWND window() const { return window_; }
    // The control with `controlId`, or null; labels have none.
    HWND control(int controlId) const;
    // The id of the control with the keyboard focus, 0 when none has it.
    int focusedControlId() const;

    // Sets an edit box's text and delivers its change notification exactly
    // once, whether or not the text differs. Other controls just take the text.
    void setControlText(int controlId, const std::wstring& text);

    // The tip shown while the mouse rests on the control.
    void setToolTip(int controlId, const std::wstring& text);

    // The text preview window, made on first use; null once the dialog has
    // ended or before its window exists.
    Win32TextPreview* textPreview();
    bool hasTextPreview() const { return preview_ != nullptr; }

    // A key message from the modal loop: offers it to the handler when it is
    // meant for the dialog, its controls or the preview; true when the
    // handler used it and nothing else may see it.
    bool offerKey(const MSG& message);

    // Invalidates and erases the client area and delivers paint() before returning.
    void refreshNow();

    // The client area as last drawn, sized to the client area; drawing goes
    // here and reaches the window through it (win32_canvas.h).
    ClientPicture& picture();

    // Ends the modal run with `result`; no event reaches the handler after.
    void endWith(int result);
    bool ended() const { return ended_; }

private:
    static INT_PTR CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void placeControls();
    bool onCommand(int id, int code, HWND from);
    void deliverPaint();
    void runSession();
    bool isEdit(HWND control) const;
    void deliverMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void deliverDrop(WPARAM drop); // an HDROP

    const DialogTemplate& template_;
    DialogHandler& handler_;
    std::function<HICON(Icon)> iconOf_;
    std::function<void()> session_;
    HWND window_ = nullptr;
    HWND savedFocus_ = nullptr;
    HWND toolTips_ = nullptr;
    std::unique_ptr<Win32TextPreview> preview_;
    ClientPicture picture_;
    bool ended_ = false;
    bool settingText_ = false;
    bool painting_ = false;
};

} // namespace glyphsmith
