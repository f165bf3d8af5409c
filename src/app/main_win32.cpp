// glyphsmith.exe: the font editor's window on Win32.

#include <memory>

#include "app/editor_app.h"
#include "font/bitmap_font.h"
#include "fontfile/gdi_font_file.h"
#include "platform/win32/win32_window_system.h"

int main()
{
    // Not marked DPI-aware: the dialog's layout is in fixed pixels, which
    // Windows scales as a whole on a high-resolution screen.
    glyphsmith::Win32WindowSystem windowSystem;
    // The one font, 2 MB, for the whole run.
    auto font = std::make_unique<glyphsmith::BitmapFont>();
    glyphsmith::GdiFontFileReader fontFiles;
    glyphsmith::EditorApp(windowSystem, *font, &fontFiles).run();
    return 0;
}
