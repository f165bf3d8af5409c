#include "app/editor_app.h"

#include "app/about.h"
#include "app/start_up.h"
#include "editor/editor_dialog.h"

namespace glyphsmith {

EditorApp::EditorApp(WindowSystem& windowSystem, BitmapFont& font)
    : windowSystem_(windowSystem)
    , font_(font)
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
    };
    EditorDialog dialog(windowSystem_, font_, std::move(hooks));
    editor = &dialog;
    windowSystem_.runModalDialog(MainDialogTemplate, dialog);
}

} // namespace glyphsmith
