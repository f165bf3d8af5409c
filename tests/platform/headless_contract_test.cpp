#include "platform/headless/headless_window_system.h"
#include "platform/window_system_contract.h"

// Runs the window-system contract against the headless backend.

namespace glyphsmith {
namespace {

class HeadlessContractBackend : public ContractBackend {
public:
    WindowSystem& windowSystem() override { return system_; }

    int runDialog(DialogHandler& handler, const std::function<void()>& session) override
    {
        system_.setUserSession(session);
        return system_.runModalDialog(MainDialogTemplate, handler);
    }

    void userReplacesText(int controlId, std::string_view text) override { system_.userReplacesText(controlId, text); }
    void userClicks(int controlId) override { system_.userClicks(controlId); }
    void userFocuses(int controlId) override { system_.userFocuses(controlId); }
    void userPressesEscape() override { system_.userPressesEscape(); }
    void userPressesEnter() override { system_.userPressesEnter(); }
    void userClosesWindow() override { system_.userClosesWindow(); }
    bool dialogIsUp() override { return system_.isDialogRunning() && system_.isShown(); }
    void userMouse(MouseAction action, int x, int y, unsigned keys) override { system_.userMouse(action, x, y, keys); }
    Rgb clientPixel(int x, int y) override { return system_.canvas().pixel(x, y); }
    void userPressesKey(int key, unsigned modifiers) override { system_.userPressesKey(key, modifiers); }
    void userDropsFiles(const std::vector<std::string>& paths) override { system_.userDropsFiles(paths); }
    void userEditsPreviewText(std::string_view text) override { system_.userEditsPreviewText(text); }
    void userClosesTextPreview() override { system_.userClosesTextPreview(); }
    void userChoosesItem(std::optional<int> item) override { system_.scripts().queueItemChoice(item); }

private:
    HeadlessWindowSystem system_;
};

std::unique_ptr<ContractBackend> makeHeadlessContractBackend()
{
    return std::make_unique<HeadlessContractBackend>();
}

INSTANTIATE_TEST_SUITE_P(Headless, WindowSystemContract, ::testing::Values(BackendFactory(&makeHeadlessContractBackend)));

} // namespace
} // namespace glyphsmith
