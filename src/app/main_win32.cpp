// glyphsmith.exe: the font editor's window on Win32.

#include <memory>

#include "app/editor_app.h"
#include "font/bitmap_font.h"
#include "platform/win32/win32_window_system.h"

int main()
{
    // Buttons and edit boxes in the look of the running Windows version.
    ::SetProcessDPIAware();
    glyphsmith::Win32WindowSystem windowSystem;
    // The one font, 2 MB, for the whole run.
    auto font = std::make_unique<glyphsmith::BitmapFont>();
    glyphsmith::EditorApp(windowSystem, *font).run();
    return 0;
}
