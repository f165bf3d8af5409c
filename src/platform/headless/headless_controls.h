#pragma once

// The controls of the headless dialog: what each holds and how typing changes
// an edit box, without any events. The window system delivers the events
// around these changes.

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"

namespace glyphsmith {

struct HeadlessControl {
    ControlKind kind = ControlKind::Button;
    int id = -1;
    std::string text; // an edit box's text, a button's or label's caption
    bool enabled = true;
    bool digitsOnly = false; // typing accepts only 0-9 (pasting does not check)
    int textLimit = 0;       // most characters the user may type; 0 for no limit
    // The selection, from selectionStart up to, not including, selectionEnd;
    // the caret stands at selectionEnd.
    int selectionStart = 0;
    int selectionEnd = 0;
    PixelRect bounds; // client pixels
    std::string toolTip;
    std::vector<std::string> items; // a drop-down list's items; `text` is the chosen one

    bool isEdit() const { return kind == ControlKind::Edit; }
    bool isButton() const { return kind == ControlKind::Button; }
    bool isList() const { return kind == ControlKind::List; }
};

class HeadlessControls {
public:
    // Replaces the controls with those of `dialog`.
    void build(const DialogTemplate& dialog);

    // The control with `controlId`; null for no such control (labels have none).
    HeadlessControl* find(int controlId);
    const HeadlessControl* find(int controlId) const;
    // As find, but throws HeadlessScriptError naming the id when there is none.
    HeadlessControl& at(int controlId);
    const HeadlessControl& at(int controlId) const;

    const std::vector<HeadlessControl>& all() const { return controls_; }

private:
    std::vector<HeadlessControl> controls_;
};

// A program sets the text: no limit applies, the caret goes to the start.
void setEditText(HeadlessControl& box, std::string_view text);

// Selects from `start` to `end`, clamped to the text; a start after the end
// is swapped with it, and -1 as the end means the end of the text.
void selectEditText(HeadlessControl& box, int start, int end);

// The user types one character over the selection. Returns false, changing
// nothing, when the box refuses it: a non-digit in a digits-only box, or a
// character that would make the text longer than the limit.
bool typeIntoEdit(HeadlessControl& box, char character);

// The user replaces the whole text at once (select all, then paste): the new
// text is cut to the limit, and the caret goes after it.
void replaceEditText(HeadlessControl& box, std::string_view text);

} // namespace glyphsmith
