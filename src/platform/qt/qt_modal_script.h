#pragma once

// Answers for the modal boxes, for tests and the snapshot tool: with a script
// active, message boxes and file dialogs are answered from it instead of
// waiting for a user, and what they would have shown is recorded. A box that
// comes while the script is active but holds no answer for it stops the
// program with a message rather than blocking.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace glyphsmith {

struct ShownMessage {
    std::string text;
    std::string caption;            // as the box shows it
    std::vector<std::string> buttons; // button texts in the order shown
    std::string defaultButton;
    bool hasIcon = false;
    bool hasOwner = false;
};

struct QtModalScript {
    bool active = false;

    std::deque<MessageResult> messageAnswers;
    std::deque<std::optional<FileDialogAnswer>> fileAnswers;
    // The item picked from each list (-1: the one selected when it opened),
    // nullopt to cancel it.
    std::deque<std::optional<int>> choiceAnswers;

    std::vector<ShownMessage> shownMessages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<ItemChoiceRequest> choiceRequests;
    // Web addresses asked for; with a script active none is opened.
    std::vector<std::string> openedAddresses;
};

} // namespace glyphsmith
