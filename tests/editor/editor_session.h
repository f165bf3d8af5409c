#pragma once

// An editor dialog running on the headless window system, for tests that play
// the user and look at the result.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "editor/editor_controls.h"
#include "editor/editor_dialog.h"
#include "platform/headless/headless_window_system.h"

namespace glyphsmith {

class EditorSession : public ::testing::Test {
protected:
    EditorSession() { restart(); }

    // A new font and a new editor, for a test that opens the dialog again.
    void restart()
    {
        font = std::make_unique<BitmapFont>();
        editor = std::make_unique<EditorDialog>(ws, *font, ApplicationHooks { .startUp = [this] { startUp(); }, .about = {} });
    }

    // Opens the dialog; `beforeShow` runs where the start-up steps run.
    void open(std::function<void()> beforeShow = {})
    {
        beforeShow_ = std::move(beforeShow);
        ws.openDialog(MainDialogTemplate, *editor);
    }

    std::string text(int controlId) { return ws.control(controlId).text; }
    bool enabled(int controlId) const { return ws.control(controlId).enabled; }
    Glyph& glyph(int code) { return font->glyphs[code]; }

    // The next file dialog picks `path`; the four texts are split from it.
    void answerFileDialog(const std::string& path) { ws.scripts().queueFileDialogAnswer(fileDialogAnswerFor(path)); }
    void cancelFileDialog() { ws.scripts().queueFileDialogAnswer(std::nullopt); }
    void answerMessage(MessageResult answer) { ws.scripts().queueMessageAnswer(answer); }
    std::vector<std::string> messageTexts()
    {
        std::vector<std::string> texts;
        for (const ShownMessage& shown : ws.scripts().messages())
            texts.push_back(shown.text);
        return texts;
    }

    HeadlessWindowSystem ws;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<EditorDialog> editor;

private:
    void startUp()
    {
        if (beforeShow_)
            beforeShow_();
    }
    std::function<void()> beforeShow_;
};

} // namespace glyphsmith
