#pragma once

// The application: creates the editor dialog with the start-up steps and the
// About box, and runs it modally until it ends.

namespace glyphsmith {

class BitmapFont;
class FontFileReader;
class WindowSystem;

class EditorApp {
public:
    // `fontFiles` reads the desktop font files Open accepts; null leaves them
    // to the readers used before there was one.
    EditorApp(WindowSystem& windowSystem, BitmapFont& font, FontFileReader* fontFiles = nullptr);

    // Runs the editor until the user quits.
    void run();

private:
    WindowSystem& windowSystem_;
    BitmapFont& font_;
    FontFileReader* fontFiles_;
};

} // namespace glyphsmith
