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
    // Paths are UTF-8; a path made from a plain string would take it in the
    // narrow code page on Windows.
    const fs::path folder = fs::path(std::u8string(executablePath.begin(), executablePath.end())).parent_path();
    // Installed under a prefix (<prefix>/bin), or unpacked from the Windows
    // zip, which holds the guide beside the programs.
    fs::path chosen = GLYPHSMITH_SOURCE_README;
    for (const fs::path& candidate : { folder.parent_path() / "share/doc/glyphsmith/README.md", folder / "README.md" }) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            chosen = candidate;
            break;
        }
    }
    std::error_code error;
    const std::u8string path = fs::absolute(chosen, error).lexically_normal().generic_u8string();
    // A Windows path starts with its drive letter, which a file address
    // puts after a third slash: file:///C:/...
    return std::string("file://") + (path.starts_with(u8'/') ? "" : "/") + std::string(path.begin(), path.end());
}

void showAbout(WindowSystem& windowSystem)
{
    windowSystem.showMessage(CreditText, programName, MessageButtons::Ok);
    windowSystem.openWebAddress(documentationAddress(windowSystem.executablePath()));
}

} // namespace glyphsmith
