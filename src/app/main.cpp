// glyphsmith: the font editor's window on Qt.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <QApplication>

#include "app/editor_app.h"
#include "app/usage.h"
#include "font/bitmap_font.h"
#include "fontfile/freetype_font_file.h"
#include "platform/qt/qt_window_system.h"

namespace {

// Qt aborts with a long message when it finds no screen; say it in one line.
bool displayAvailable()
{
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv)
{
    // These two answer without a display, for scripts and packagers.
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(glyphsmith::EditorUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("glyphsmith %s\n", GLYPHSMITH_VERSION);
        return 0;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr,
            "glyphsmith: no display to open the editor on (DISPLAY is not set); "
            "to try it without one: xvfb-run -a %s FILE\n",
            argv[0]);
        return 1;
    }
    QApplication application(argc, argv);
    glyphsmith::QtWindowSystem windowSystem;
    // The one font, 2 MB, for the whole run.
    auto font = std::make_unique<glyphsmith::BitmapFont>();
    glyphsmith::FreeTypeFontFileReader fontFiles;
    glyphsmith::EditorApp(windowSystem, *font, &fontFiles).run();
    return 0;
}
