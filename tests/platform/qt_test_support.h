#pragma once

// Helpers for the Qt backend's tests: a way to run the dialog with a piece of
// test code while it is up, and a fixture with a handler that logs its events.

#include <functional>

#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"
#include "logging_handler.h"

namespace glyphsmith {

// Runs the main dialog; `session` runs once the dialog is up and its modal
// loop runs. A dialog still open afterwards is ended with DialogCancel.
inline int runDialogWith(QtWindowSystem& system, DialogHandler& handler, const std::function<void()>& session)
{
    // The session is dropped with `guard` when the dialog never ran (ended
    // during initDialog), so it cannot fire later, in another test.
    QObject guard;
    QTimer::singleShot(0, &guard, [&system, session] {
        if (!system.dialog())
            return;
        session();
        if (system.dialog() && !system.dialog()->ended())
            system.dialog()->endWith(DialogCancel);
    });
    return system.runModalDialog(MainDialogTemplate, handler);
}

inline QtWindowSystemOptions testOptions() { return { .scripted = true, .refreshDesktopCaches = false }; }

// A scripted window system and a logging handler for one test.
class QtDialogFixture : public ::testing::Test {
protected:
    QtWindowSystem system { testOptions() };
    LoggingHandler handler;

    QtDialog& dialog() { return *system.dialog(); }
    int run(const std::function<void()>& session) { return runDialogWith(system, handler, session); }
};

} // namespace glyphsmith
