#include "platform/headless/headless_window_system.h"

#include <algorithm>

// Opening, running and ending the headless dialog, and the user's actions
// that drive it. Every event is delivered inside the call that causes it.

namespace glyphsmith {

void HeadlessWindowSystem::setUserSession(std::function<void()> session)
{
    session_ = std::move(session);
}

bool HeadlessWindowSystem::isDialogRunning() const
{
    return running_ && !endCode_;
}

void HeadlessWindowSystem::openDialog(int templateId, DialogHandler& handler)
{
    if (isDialogRunning())
        throw HeadlessScriptError("a dialog was opened while another one is still running");
    std::string error;
    std::optional<DialogTemplate> dialog = loadDialogTemplate(templateId, &error);
    if (!dialog)
        throw HeadlessScriptError("cannot build dialog " + std::to_string(templateId) + ": " + error);

    controls_.build(*dialog);
    handler_ = &handler;
    running_ = true;
    endCode_.reset();
    shown_ = false;
    focus_ = 0;
    caption_ = dialog->caption;
    const int clientWidth = dialogUnitsToPixelsX(dialog->width);
    const int clientHeight = dialogUnitsToPixelsY(dialog->height);
    windowRect_ = { 0, 0, clientWidth + 2 * HeadlessFrameBorder,
        clientHeight + HeadlessCaptionBarHeight + 2 * HeadlessFrameBorder };
    moveRequests_.clear();
    canvas_.resize(clientSize());
    canvas_.erase();
    paintCount_ = 0;
    eraseCount_ = 0;
    drawnIcons_.clear();

    handler.initDialog();
    // A dialog ended during its initialisation is never shown.
    if (!endCode_)
        show();
}

int HeadlessWindowSystem::runModalDialog(int templateId, DialogHandler& handler)
{
    if (isDialogRunning())
        throw HeadlessScriptError("a modal dialog was run while another one is still running");
    if (!session_)
        throw HeadlessScriptError("the modal dialog was run with no user session set (setUserSession)");
    std::function<void()> session = std::move(session_);
    session_ = nullptr;

    // However the run ends, even by an exception, the dialog is gone
    // afterwards and its handler is never called again.
    struct Finish {
        HeadlessWindowSystem& owner;
        ~Finish()
        {
            if (!owner.endCode_)
                owner.endCode_ = DialogCancel;
            owner.handler_ = nullptr;
            owner.shown_ = false;
            owner.running_ = false;
        }
    } finish { *this };

    openDialog(templateId, handler);
    if (!endCode_)
        session();
    return endCode_.value_or(DialogCancel);
}

void HeadlessWindowSystem::endDialog(int result)
{
    // Ending an ended dialog again only changes its result, as with the real
    // call; ending one that was never opened or has been torn down is a fault.
    if (!running_ || !handler_)
        throw HeadlessScriptError("endDialog(" + std::to_string(result) + ") was called with no dialog running");
    endCode_ = result;
}

DialogHandler& HeadlessWindowSystem::runningHandler(const char* action)
{
    if (!isDialogRunning())
        throw HeadlessScriptError(std::string("the user ") + action
            + (endCode_ ? " after the dialog ended" : " with no dialog running"));
    return *handler_;
}

void HeadlessWindowSystem::show()
{
    shown_ = true;
    eraseAndPaint();
}

void HeadlessWindowSystem::eraseAndPaint()
{
    canvas_.erase();
    ++eraseCount_;
    deliverPaint();
}

void HeadlessWindowSystem::deliverPaint()
{
    if (!handler_)
        return;
    if (paintDepth_ >= HeadlessMaxPaintDepth)
        throw HeadlessScriptError("paint was re-entered " + std::to_string(paintDepth_)
            + " times: the window is resized from its own painting without settling");
    ++paintDepth_;
    ++paintCount_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave { paintDepth_ };
    handler_->paint();
}

void HeadlessWindowSystem::moveFocus(int controlId)
{
    const int previous = focus_;
    if (previous == controlId)
        return;
    // As with the real window system, the focus has already moved when the
    // box that lost it is told.
    focus_ = controlId;
    const HeadlessControl* lost = controls_.find(previous);
    if (lost && lost->isEdit())
        handler_->editFocusLost(previous);
    if (focus_ == controlId && controls_.at(controlId).isEdit())
        handler_->editFocusGained(controlId);
}

void HeadlessWindowSystem::clickButton(HeadlessControl& button)
{
    if (button.id == DialogCancel)
        handler_->cancel();
    else if (button.id == DialogOk)
        endDialog(DialogOk);
    else
        handler_->command(button.id);
}

void HeadlessWindowSystem::userClicks(int controlId)
{
    runningHandler("clicked a control");
    HeadlessControl& control = controls_.at(controlId);
    if (!control.enabled || control.kind == ControlKind::Label)
        return;
    if (control.isEdit() || control.isList()) {
        userFocuses(controlId);
        return;
    }
    // The button takes the focus on the press and acts on the release; a
    // handler run by the focus change may already have ended the dialog.
    moveFocus(controlId);
    if (isDialogRunning())
        clickButton(control);
}

void HeadlessWindowSystem::userFocuses(int controlId)
{
    runningHandler("moved the focus");
    HeadlessControl& control = controls_.at(controlId);
    if (!control.enabled || control.kind == ControlKind::Label)
        return;
    moveFocus(controlId);
    if (control.isEdit() && focus_ == controlId)
        control.selectionStart = control.selectionEnd = static_cast<int>(control.text.size());
}

void HeadlessWindowSystem::userTypes(int controlId, std::string_view text)
{
    DialogHandler& handler = runningHandler("typed");
    HeadlessControl& box = controls_.at(controlId);
    if (!box.isEdit())
        throw HeadlessScriptError("the user typed into control " + std::to_string(controlId) + ", which is no edit box");
    if (focus_ != controlId)
        userFocuses(controlId);
    for (char character : text) {
        // The focus may have moved away, or the dialog ended, in a handler.
        if (!isDialogRunning() || focus_ != controlId || !box.enabled)
            return;
        if (typeIntoEdit(box, character))
            handler.editChanged(controlId);
    }
}

void HeadlessWindowSystem::userChoosesListItem(int controlId, std::string_view item)
{
    DialogHandler& handler = runningHandler("chose a list item");
    HeadlessControl& list = controls_.at(controlId);
    if (!list.isList() || std::ranges::find(list.items, item) == list.items.end())
        throw HeadlessScriptError("control " + std::to_string(controlId) + " has no item '" + std::string(item) + "'");
    if (focus_ != controlId)
        userFocuses(controlId);
    if (!isDialogRunning() || focus_ != controlId)
        return;
    list.text = std::string(item);
    handler.listChosen(controlId);
}

void HeadlessWindowSystem::userReplacesText(int controlId, std::string_view text)
{
    DialogHandler& handler = runningHandler("replaced a text");
    HeadlessControl& box = controls_.at(controlId);
    if (!box.isEdit())
        throw HeadlessScriptError("the user replaced the text of control " + std::to_string(controlId)
            + ", which is no edit box");
    if (focus_ != controlId)
        userFocuses(controlId);
    if (!isDialogRunning() || focus_ != controlId)
        return;
    replaceEditText(box, text);
    handler.editChanged(controlId);
}

void HeadlessWindowSystem::userPressesEscape()
{
    DialogHandler& handler = runningHandler("pressed Escape");
    if (!handler.keyPressed(KeyEscape, 0))
        handler.cancel();
}

void HeadlessWindowSystem::userPressesEnter()
{
    runningHandler("pressed Enter");
    HeadlessControl* focused = controls_.find(focus_);
    if (focused && focused->isButton() && focused->enabled)
        clickButton(*focused);
}

void HeadlessWindowSystem::userClosesWindow()
{
    runningHandler("closed the window").cancel();
}

void HeadlessWindowSystem::userMouse(MouseAction action, int x, int y, unsigned keys)
{
    DialogHandler& handler = runningHandler("used the mouse");
    if (canvas_.contains(x, y))
        handler.mouse(action, x, y, keys);
}

bool HeadlessWindowSystem::userPressesKey(int key, unsigned modifiers)
{
    DialogHandler& handler = runningHandler("pressed a key");
    if (handler.keyPressed(key, modifiers))
        return true;
    const bool character = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
    HeadlessControl* focused = controls_.find(focus_);
    if (character && (modifiers & (KeyControl | KeyAlt)) == 0 && focused && focused->isEdit()) {
        const bool lowerCase = key >= 'A' && !(modifiers & KeyShift);
        userTypes(focus_, std::string(1, static_cast<char>(lowerCase ? key - 'A' + 'a' : key)));
    }
    // Up and Down choose the item before or after the chosen one of a list.
    if ((key == KeyUp || key == KeyDown) && modifiers == 0 && focused && focused->isList()) {
        const auto chosen = std::ranges::find(focused->items, focused->text);
        const auto next = key == KeyUp ? (chosen == focused->items.begin() ? chosen : chosen - 1)
                                       : (chosen == focused->items.end() ? chosen : chosen + 1);
        if (next != focused->items.end() && next != chosen) {
            focused->text = *next;
            handler.listChosen(focus_);
        }
    }
    return false;
}

void HeadlessWindowSystem::userDropsFiles(const std::vector<std::string>& paths)
{
    runningHandler("dropped files").filesDropped(paths);
}

void HeadlessWindowSystem::userEditsPreviewText(std::string_view text)
{
    DialogHandler& handler = runningHandler("edited the preview text");
    if (!previewShown_)
        throw HeadlessScriptError("the user edited the text of a text preview that is not shown");
    previewText_ = text;
    handler.textPreviewChanged();
}

void HeadlessWindowSystem::userClosesTextPreview()
{
    DialogHandler& handler = runningHandler("closed the text preview");
    if (!previewShown_)
        throw HeadlessScriptError("the user closed a text preview that is not shown");
    previewShown_ = false;
    handler.textPreviewClosed();
}

Icon HeadlessWindowSystem::userDragsMinimisedWindow()
{
    return runningHandler("dragged the minimised window").dragIcon();
}

void HeadlessWindowSystem::userUncoversWindow()
{
    runningHandler("uncovered the window");
    eraseAndPaint();
}

} // namespace glyphsmith
