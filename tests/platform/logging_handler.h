#pragma once

// A dialog handler for window-system tests: it logs every event as a short
// line ("changed 1003", "mouse 0 200 100 1") and then runs the test's hook.
// Paints are counted, and logged only when asked, since a real window may
// paint whenever it likes.

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window_system.h"

namespace glyphsmith {

// Controls of the main dialog that the window-system tests drive.
inline constexpr int LetterNumberBox = 1003;
inline constexpr int CharacterBox = 1008;
inline constexpr int WidthBox = 1001;
inline constexpr int HeightBox = 1000;
inline constexpr int LetterButton = 1009;
inline constexpr int QuitButton = 2;
inline constexpr int EncodingList = 1028;

class LoggingHandler : public DialogHandler {
public:
    std::vector<std::string> log;
    int paints = 0;
    bool logPaints = false;
    // Runs after each event with its name ("changed", "paint", ...) and control id (0 for none).
    std::function<void(std::string_view event, int id)> hook;

    void initDialog() override { note("init"); }
    void command(int id) override { note("command", id); }
    void editChanged(int id) override { note("changed", id); }
    void editFocusGained(int id) override { note("gained", id); }
    void editFocusLost(int id) override { note("lost", id); }
    void mouse(MouseAction action, int x, int y, unsigned keys) override
    {
        note("mouse " + std::to_string(static_cast<int>(action)) + " " + std::to_string(x) + " " + std::to_string(y)
            + " " + std::to_string(keys));
    }
    void paint() override
    {
        ++paints;
        if (logPaints)
            log.push_back("paint");
        if (hook)
            hook("paint", 0);
    }
    Icon dragIcon() override { return Icon { AppIconResource }; }
    void cancel() override { note("cancel"); }
    bool keyPressed(int key, unsigned modifiers) override
    {
        note("key " + std::to_string(key) + " " + std::to_string(modifiers));
        return takesKey && takesKey(key, modifiers);
    }
    void filesDropped(const std::vector<std::string>& paths) override { note("dropped " + paths.front()); }
    void listChosen(int id) override { note("chosen", id); }
    void textPreviewChanged() override { note("preview changed"); }
    void textPreviewClosed() override { note("preview closed"); }

    // Which keys keyPressed reports as used; none when unset.
    std::function<bool(int key, unsigned modifiers)> takesKey;

    // Sets the hook to run `action` on every `event`, whatever the control.
    void on(std::string_view event, std::function<void()> action)
    {
        hook = [event, action](std::string_view got, int) {
            if (got == event)
                action();
        };
    }

    // The entries logged from index `first` on.
    std::vector<std::string> since(std::size_t first) const
    {
        return { log.begin() + static_cast<std::ptrdiff_t>(std::min(first, log.size())), log.end() };
    }

private:
    void note(const std::string& event, int id = 0)
    {
        log.push_back(id ? event + " " + std::to_string(id) : event);
        if (hook)
            hook(event, id);
    }
};

} // namespace glyphsmith
