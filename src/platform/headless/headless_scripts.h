#pragma once

// The modal boxes of the headless backend. Nobody sits at the screen, so a
// test queues the user's answers in advance; every box shown is recorded with
// the answer it got. A box with no answer queued throws HeadlessScriptError at
// once, so a test that forgot one fails with a clear message instead of
// waiting for a user.

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace glyphsmith {

// A test drove the headless backend somewhere it cannot go on: an unscripted
// box, a control that does not exist, an event after the dialog ended.
class HeadlessScriptError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

struct ShownMessage {
    std::string text;
    std::string caption;      // as passed; empty when none was given
    std::string shownCaption; // what the box showed: the caption, or the application's name
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult answer = MessageResult::Ok;
};

struct ShownFileDialog {
    FileDialogRequest request;
    std::optional<FileDialogAnswer> answer; // nullopt when cancelled
};

struct ShownItemChoice {
    ItemChoiceRequest request;
    std::optional<int> answer; // nullopt when cancelled
};

// A scripted answer to a list that takes the item selected when it opened.
inline constexpr int KeepSelectedItem = -1;

// The four texts a file dialog gives back for `path`, split at its last "/"
// or "\\" and at the last "." of the name.
FileDialogAnswer fileDialogAnswerFor(std::string_view path);

class HeadlessScripts {
public:
    void queueMessageAnswer(MessageResult answer) { messageAnswers_.push_back(answer); }
    void queueFileDialogAnswer(std::optional<FileDialogAnswer> answer) { fileAnswers_.push_back(std::move(answer)); }
    // The item the user picks from the next list (KeepSelectedItem for the
    // one selected), or nullopt to cancel it.
    void queueItemChoice(std::optional<int> answer) { choiceAnswers_.push_back(answer); }

    // Takes the next queued answer. Throws HeadlessScriptError when none is
    // queued or the answer is not one of the box's buttons.
    MessageResult answerMessage(std::string_view text, std::string_view caption, std::string_view applicationName,
        MessageButtons buttons);
    std::optional<FileDialogAnswer> answerFileDialog(const FileDialogRequest& request);
    // Throws HeadlessScriptError when no answer is queued or it names no item.
    std::optional<int> answerItemChoice(const ItemChoiceRequest& request);

    const std::vector<ShownMessage>& messages() const { return messages_; }
    const std::vector<ShownFileDialog>& fileDialogs() const { return fileDialogs_; }
    const std::vector<ShownItemChoice>& itemChoices() const { return itemChoices_; }
    // Answers queued and not used yet; a finished test normally expects 0.
    std::size_t unusedAnswers() const { return messageAnswers_.size() + fileAnswers_.size() + choiceAnswers_.size(); }

private:
    std::deque<MessageResult> messageAnswers_;
    std::deque<std::optional<FileDialogAnswer>> fileAnswers_;
    std::vector<ShownMessage> messages_;
    std::vector<ShownFileDialog> fileDialogs_;
    std::deque<std::optional<int>> choiceAnswers_;
    std::vector<ShownItemChoice> itemChoices_;
};

} // namespace glyphsmith
