#pragma once

// Helpers for the Qt backend's tests: a handler that records every event it
// gets, and a way to run the dialog with a piece of test code while it is up.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <QTimer>

#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace glyphsmith {

// Records each event as a short line ("edit 1003", "mouse 2 130 40 1").
class RecordingHandler : public DialogHandler {
public:
    explicit RecordingHandler(WindowSystem& system)
        : system_(system)
    {
    }

    std::vector<std::string> events;
    std::function<void()> onInit;
    std::function<void()> onPaint;
    bool endOnCancel = true;

    void initDialog() override
    {
        events.push_back("init");
        if (onInit)
            onInit();
    }
    void command(int id) override { events.push_back("command " + std::to_string(id)); }
    void editChanged(int id) override { events.push_back("edit " + std::to_string(id)); }
    void editFocusGained(int id) override { events.push_back("focus " + std::to_string(id)); }
    void editFocusLost(int id) override { events.push_back("blur " + std::to_string(id)); }
    void mouse(MouseAction action, int x, int y, unsigned keys) override
    {
        events.push_back("mouse " + std::to_string(static_cast<int>(action)) + " " + std::to_string(x) + " "
            + std::to_string(y) + " " + std::to_string(keys));
    }
    void paint() override
    {
        events.push_back("paint");
        if (onPaint)
            onPaint();
    }
    Icon dragIcon() override { return { AppIconResource }; }
    void cancel() override
    {
        events.push_back("cancel");
        if (endOnCancel)
            system_.endDialog(DialogCancel);
    }

    int count(const std::string& event) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), event));
    }

private:
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

inline QtWindowSystemOptions testOptions()
{
    return { .scripted = true, .refreshDesktopCaches = false };
}

} // namespace glyphsmith
