#pragma once

// Message boxes on Qt: exactly the given text and caption, OK or
// Yes/No/Cancel, no icon, the first button the default; closing the box or
// pressing Escape answers Cancel when there is a Cancel button.

#include <memory>
#include <string_view>

#include "platform/message_boxes.h"
#include "platform/qt/qt_modal_script.h"

class QMessageBox;
class QWidget;

namespace glyphsmith {

// `applicationName` is the caption shown when `caption` is empty.
std::unique_ptr<QMessageBox> buildMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
    MessageButtons buttons, std::string_view applicationName);

// Runs the box to its end and says which button ended it. With `script`
// active the scripted answer is given through the box itself (a click, or
// closing it for Cancel) as soon as its modal loop runs.
MessageResult runMessageBox(QMessageBox& box, MessageButtons buttons, QtModalScript& script);

} // namespace glyphsmith
