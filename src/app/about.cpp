#include "app/about.h"

#include <filesystem>

#include "editor/editor_controls.h"
#include "platform/window_system.h"

namespace glyphsmith {

namespace {

const char* const CreditText = "Glyphsmith\n"
                               "An editor for the bitmap fonts of adventure games.\n\n"
                               "Written by the Glyphsmith developers. Press OK to read the guide.";

} // namespace

std::string documentationAddress(const std::string& executablePath)
{
    namespace fs = std::filesystem;
    const fs::path installed = fs::path(executablePath).parent_path().parent_path() / "share/doc/glyphsmith/README.md";
    std::error_code error;
    const fs::path chosen = fs::is_regular_file(installed, error) ? installed : fs::path(GLYPHSMITH_SOURCE_README);
    return "file://" + fs::absolute(chosen, error).lexically_normal().string();
}

void showAbout(WindowSystem& windowSystem)
{
    windowSystem.showMessage(CreditText, programName, MessageButtons::Ok);
    windowSystem.openWebAddress(documentationAddress(windowSystem.executablePath()));
}

} // namespace glyphsmith
