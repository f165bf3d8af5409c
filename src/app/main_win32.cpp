// glyphsmith.exe: the font editor's window on Win32.

#include <memory>
#include <string>

#include "app/editor_app.h"
#include "app/usage.h"
#include "font/bitmap_font.h"
#include "fontfile/gdi_font_file.h"
#include "platform/win32/win32_console.h"
#include "platform/win32/win32_window_system.h"

int main()
{
    // These two answer without opening the editor, for scripts and packagers.
    const std::string arguments = glyphsmith::commandLineAfterProgram(::GetCommandLineW());
    if (arguments == "--help" || arguments == "-h") {
        glyphsmith::showTextToUser(glyphsmith::EditorUsage, "Glyphsmith");
        return 0;
    }
    if (arguments == "--version") {
        glyphsmith::showTextToUser(std::string("glyphsmith ") + GLYPHSMITH_VERSION + "\n", "Glyphsmith");
        return 0;
    }

    // Not marked DPI-aware: the dialog's layout is in fixed pixels, which
    // Windows scales as a whole on a high-resolution screen.
    glyphsmith::Win32WindowSystem windowSystem;
    // The one font, for the whole run.
    auto font = std::make_unique<glyphsmith::BitmapFont>();
    glyphsmith::GdiFontFileReader fontFiles;
    glyphsmith::EditorApp(windowSystem, *font, &fontFiles).run();
    return 0;
}
