#pragma once

// Modal message boxes, the only way a failure reaches the user.

#include <string_view>

namespace glyphsmith {

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageResult { Ok, Yes, No, Cancel };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Shows `text` modally and returns the button chosen. An empty caption
    // means none was given: the box then shows the application's name. Closing
    // a Yes/No/Cancel box or pressing Escape answers Cancel. The box shows no
    // icon and its first button is the default.
    virtual MessageResult showMessage(std::string_view text, std::string_view caption, MessageButtons buttons) = 0;
};

} // namespace glyphsmith
