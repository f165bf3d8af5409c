#pragma once

// Helpers for the Qt backend's tests: a handler that records every event it
// gets, and a way to run the dialog with a piece of test code while it is up.

#include <functional>
#include <string>
#include <vector>

#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace glyphsmith {

// Records each event as a short line ("edit 1003", "mouse 2 130 40 1").
class RecordingHandler : public DialogHandler {
public:
    explicit RecordingHandler(WindowSystem& system) : system_(system) {}

    std::vector<std::string> events;
    std::function<void()> onInit;
    bool endOnCancel = true;

    void initDialog() override
    {
        events.push_back("init");
        if (onInit)
            onInit();
    }
    void command(int id) override { note("command", id); }
    void editChanged(int id) override { note("edit", id); }
    void editFocusGained(int id) override { note("focus", id); }
    void editFocusLost(int id) override { note("blur", id); }
    void mouse(MouseAction action, int x, int y, unsigned keys) override
    {
        note("mouse " + std::to_string(static_cast<int>(action)) + " " + std::to_string(x) + " "
                + std::to_string(y),
            static_cast<int>(keys));
    }
    void paint() override { events.push_back("paint"); }
    Icon dragIcon() override { return { AppIconResource }; }
    void cancel() override
    {
        events.push_back("cancel");
        if (endOnCancel)
            system_.endDialog(DialogCancel);
    }

private:
    void note(const std::string& what, int number) { events.push_back(what + " " + std::to_string(number)); }

    WindowSystem& system_;
};

// Runs the main dialog; `session` runs once the dialog is up and its modal
// loop runs. A dialog still open afterwards is ended with DialogCancel.
inline int runDialogWith(QtWindowSystem& system, DialogHandler& handler, const std::function<void()>& session)
{
    QTimer::singleShot(0, [&system, session] {
        if (!system.dialog())
            return;
        session();
        if (system.dialog() && !system.dialog()->ended())
            system.dialog()->endWith(DialogCancel);
    });
    return system.runModalDialog(MainDialogTemplate, handler);
}

inline QtWindowSystemOptions testOptions() { return { .scripted = true, .refreshDesktopCaches = false }; }

// A scripted window system and a recording handler for one test.
class QtDialogFixture : public ::testing::Test {
protected:
    QtWindowSystem system { testOptions() };
    RecordingHandler handler { system };

    QtDialog& dialog() { return *system.dialog(); }
    int run(const std::function<void()>& session) { return runDialogWith(system, handler, session); }
};

} // namespace glyphsmith
