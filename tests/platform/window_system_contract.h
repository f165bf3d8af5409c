#pragma once

// The contract every window-system backend keeps, written once and run against
// each backend. A backend takes part by implementing ContractBackend (how a
// test plays the user and looks at the screen) and instantiating the suite:
//
//   INSTANTIATE_TEST_SUITE_P(Headless, WindowSystemContract,
//       ::testing::Values(BackendFactory(&makeHeadlessContractBackend)));

#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "logging_handler.h"
#include "platform/window_system.h"

namespace glyphsmith {

class ContractBackend {
public:
    virtual ~ContractBackend() = default;

    virtual WindowSystem& windowSystem() = 0;

    // Runs the main dialog (template 102) modally with `handler`. `session`
    // runs once while the dialog is up, after initDialog and after the window
    // is shown, and never when initDialog ended the dialog; if the dialog has
    // not ended when it returns, the backend ends it with DialogCancel.
    // Returns the dialog's end code.
    virtual int runDialog(DialogHandler& handler, const std::function<void()>& session) = 0;

    // What a user does, delivered exactly as the real events would be.
    virtual void userReplacesText(int controlId, std::string_view text) = 0;
    virtual void userClicks(int controlId) = 0;
    virtual void userFocuses(int controlId) = 0;
    virtual void userPressesEscape() = 0;
    virtual void userPressesEnter() = 0;
    virtual void userClosesWindow() = 0; // the close box of the caption bar
    // True while the dialog is shown and has not ended.
    virtual bool dialogIsUp() = 0;
    virtual void userMouse(MouseAction action, int x, int y, unsigned keys) = 0;
    // A key (KeyCode) with KeyModifiers bits, sent where the focus is.
    virtual void userPressesKey(int key, unsigned modifiers) = 0;
    // Files dropped on the dialog; returns once the handler has been told.
    virtual void userDropsFiles(const std::vector<std::string>& paths) = 0;
    // The text preview window, which must be shown.
    virtual void userEditsPreviewText(std::string_view text) = 0;
    virtual void userClosesTextPreview() = 0;

    // How the user answers the next list to choose from (chooseItem): the
    // item picked, -1 for OK on the item selected when it opened, or nullopt
    // for Cancel. Given before the list is shown.
    virtual void userChoosesItem(std::optional<int> item) = 0;

    // The colour the client area shows at (x, y), client pixels.
    virtual Rgb clientPixel(int x, int y) = 0;

};

using BackendFactory = std::function<std::unique_ptr<ContractBackend>()>;

// One backend and one logging handler for each test.
class WindowSystemContract : public ::testing::TestWithParam<BackendFactory> {
protected:
    WindowSystem& ws() { return backend->windowSystem(); }
    int run(const std::function<void()>& session) { return backend->runDialog(handler, session); }

    std::unique_ptr<ContractBackend> backend = GetParam()();
    LoggingHandler handler;
};

} // namespace glyphsmith
