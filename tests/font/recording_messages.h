#pragma once

// A MessageBoxes for tests: records every message instead of showing it, and
// answers Ok.

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/message_boxes.h"

namespace glyphsmith {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;

    bool operator==(const ShownMessage&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const ShownMessage& shown)
    {
        return out << '"' << shown.text << "\" caption \"" << shown.caption << "\" buttons "
                   << static_cast<int>(shown.buttons);
    }
};

// A box with no caption and only an Ok button, as file operations show them.
inline ShownMessage okBox(std::string text)
{
    return { std::move(text), "", MessageButtons::Ok };
}

class RecordingMessages : public MessageBoxes {
public:
    MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) override
    {
        shown.push_back({ std::string(text), std::string(caption), buttons });
        return MessageResult::Ok;
    }
    std::vector<ShownMessage> shown;
};

} // namespace glyphsmith
