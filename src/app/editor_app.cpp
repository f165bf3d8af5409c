#include "app/editor_app.h"

#include "app/about.h"
#include "app/start_up.h"
#include "editor/editor_dialog.h"

namespace glyphsmith {

EditorApp::EditorApp(WindowSystem& windowSystem, BitmapFont& font, FontFileReader* fontFiles)
    : windowSystem_(windowSystem)
    , font_(font)
    , fontFiles_(fontFiles)
{
}

void EditorApp::run()
{
    EditorDialog* editor = nullptr;
    ApplicationHooks hooks {
        .startUp = [&] {
            registerFileTypes(windowSystem_);
            openCommandLineFile(windowSystem_, *editor);
        },
        .about = [&] { showAbout(windowSystem_); },
        .fontFiles = fontFiles_,
    };
    EditorDialog dialog(windowSystem_, font_, std::move(hooks));
    editor = &dialog;
    windowSystem_.runModalDialog(MainDialogTemplate, dialog);
}

} // namespace glyphsmith
