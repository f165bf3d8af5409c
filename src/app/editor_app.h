#pragma once

// The application: creates the editor dialog with the start-up steps and the
// About box, and runs it modally until it ends.

namespace glyphsmith {

class BitmapFont;
class WindowSystem;

class EditorApp {
public:
    EditorApp(WindowSystem& windowSystem, BitmapFont& font);

    // Runs the editor until the user quits.
    void run();

private:
    WindowSystem& windowSystem_;
    BitmapFont& font_;
};

} // namespace glyphsmith
