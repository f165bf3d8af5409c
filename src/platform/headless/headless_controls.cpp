#include "platform/headless/headless_controls.h"

#include <algorithm>

#include "platform/headless/headless_scripts.h"

namespace glyphsmith {

namespace {

int length(const HeadlessControl& box)
{
    return static_cast<int>(box.text.size());
}

} // namespace

void HeadlessControls::build(const DialogTemplate& dialog)
{
    controls_.clear();
    for (const ControlTemplate& source : dialog.controls) {
        HeadlessControl control;
        control.kind = source.kind;
        control.id = source.id;
        control.text = source.caption;
        control.enabled = !source.hasStyle("disabled");
        control.digitsOnly = source.hasStyle("number");
        control.bounds = toPixels(source);
        controls_.push_back(std::move(control));
    }
}

HeadlessControl* HeadlessControls::find(int controlId)
{
    auto found = std::ranges::find_if(
        controls_, [controlId](const HeadlessControl& control) { return control.id == controlId && control.id != -1; });
    return found == controls_.end() ? nullptr : &*found;
}

const HeadlessControl* HeadlessControls::find(int controlId) const
{
    return const_cast<HeadlessControls*>(this)->find(controlId);
}

HeadlessControl& HeadlessControls::at(int controlId)
{
    HeadlessControl* control = find(controlId);
    if (!control)
        throw HeadlessScriptError("the dialog has no control with id " + std::to_string(controlId));
    return *control;
}

const HeadlessControl& HeadlessControls::at(int controlId) const
{
    return const_cast<HeadlessControls*>(this)->at(controlId);
}

void setEditText(HeadlessControl& box, std::string_view text)
{
    box.text = std::string(text);
    box.selectionStart = 0;
    box.selectionEnd = 0;
}

void selectEditText(HeadlessControl& box, int start, int end)
{
    if (end == -1)
        end = length(box);
    if (start > end)
        std::swap(start, end);
    box.selectionStart = std::clamp(start, 0, length(box));
    box.selectionEnd = std::clamp(end, 0, length(box));
}

bool typeIntoEdit(HeadlessControl& box, char character)
{
    if (box.digitsOnly && (character < '0' || character > '9'))
        return false;
    const int start = std::min(box.selectionStart, box.selectionEnd);
    const int end = std::max(box.selectionStart, box.selectionEnd);
    if (box.textLimit > 0 && length(box) - (end - start) + 1 > box.textLimit)
        return false;
    box.text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start), 1, character);
    box.selectionStart = box.selectionEnd = start + 1;
    return true;
}

void replaceEditText(HeadlessControl& box, std::string_view text)
{
    // The limit counts UTF-8 characters: cut before the first byte that
    // starts a character past it.
    int characters = 0;
    for (std::size_t at = 0; box.textLimit > 0 && at < text.size(); ++at) {
        const bool startsCharacter = (static_cast<unsigned char>(text[at]) & 0xc0) != 0x80;
        if (startsCharacter && ++characters > box.textLimit) {
            text = text.substr(0, at);
            break;
        }
    }
    box.text = std::string(text);
    box.selectionStart = box.selectionEnd = length(box);
}

} // namespace glyphsmith
