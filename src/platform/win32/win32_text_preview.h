#pragma once

// The text preview window on Win32: a small top-level window owned by the
// editor's dialog, with a one-line edit box at the top and the editor's
// picture of that text below it, shown one screen pixel per picture pixel.
// A picture larger than the room below the box scrolls with the window's
// scroll bars (and the mouse wheel, Shift for sideways).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/window_system.h"
#include "platform/win32/win32_handles.h"

namespace glyphsmith {

class Win32TextPreview {
public:
    // `onEdited` runs when the user edits the text, `onClosed` when the user
    // closes the window; neither runs for the program's own changes.
    Win32TextPreview(HWND dialog, std::function<void()> onEdited, std::function<void()> onClosed);
    ~Win32TextPreview();
    Win32TextPreview(const Win32TextPreview&) = delete;
    Win32TextPreview& operator=(const Win32TextPreview&) = delete;

    // Null when the window could not be made, or once its owner is gone.
    HWND window() const { return window_; }
    HWND textBox() const { return box_; }
    // True for the window and its text box.
    bool owns(HWND window) const;
    // True for the keys the text box edits its text with.
    bool boxUses(WPARAM virtualKey, unsigned modifiers) const;

    // Shows the window beside the dialog (right of it where the screen has
    // room, else below, else above), or hides it.
    void show(bool shown);
    bool shown() const;
    void setText(const std::wstring& text);
    std::wstring text() const;
    void setPicture(const IndexedPicture& picture);
    // What the close box does: hides the window and tells the owner.
    void closeByUser();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void placeBesideDialog();
    void layOut();
    void paint();
    // The part of the client area the picture shows in.
    RECT viewport() const;
    // Sets both scroll bars to the picture and the viewport, keeping each
    // position where it can.
    void updateScrollBars();
    // Scrolls along `bar` (SB_HORZ or SB_VERT) to `position`, kept in range.
    void scrollTo(int bar, int position);
    void scrollBy(int bar, UINT request);

    HWND dialog_;
    std::function<void()> onEdited_;
    std::function<void()> onClosed_;
    HWND window_ = nullptr;
    HWND box_ = nullptr;
    bool settingText_ = false;
    // A top-down 8-bit DIB: the header and its colour table, then the rows,
    // each padded to four bytes.
    std::vector<std::uint8_t> header_;
    std::vector<std::uint8_t> rows_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    // The picture pixel at the viewport's top-left corner.
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace glyphsmith
