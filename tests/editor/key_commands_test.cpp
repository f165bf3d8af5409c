// The editor's keys through the headless backend, and the tooltips that name them.

#include <functional>

#include "editor_session.h"
#include "test_folder.h"

namespace glyphsmith {
namespace {

class Keys : public EditorSession {
protected:
    TestFolder folder;
};

TEST_F(Keys, EachKeyDoesItsCommandAndTypingStillReachesTheBoxes)
{
    struct Case {
        const char* name;
        int key;
        unsigned modifiers;
        std::function<void()> before; // runs in letter mode on letter 40 (8 x 8, pixel (0, 0) set)
        std::function<bool()> done;
    };
    bool aboutShown = false;
    // File dialogs are counted from just before the key, to see only its own.
    std::size_t before = 0;
    auto dialogs = [&] { return ws.scripts().fileDialogs().size() - before; };
    auto lastDialogIs = [&](FileDialogKind kind) {
        return dialogs() == 1 && ws.scripts().fileDialogs().back().request.kind == kind;
    };
    const std::vector<Case> cases {
        { "Ctrl+O", 'O', KeyControl, [&] { cancelFileDialog(); }, [&] { return lastDialogIs(FileDialogKind::Open); } },
        { "Ctrl+S, no file yet", 'S', KeyControl, [&] { cancelFileDialog(); },
            [&] { return lastDialogIs(FileDialogKind::Save); } },
        { "Ctrl+S, loaded file", 'S', KeyControl,
            [&] {
                ASSERT_TRUE(font->writeWfn(folder.path("loaded.wfn")).ok());
                editor->setFileNames("loaded", "wfn");
                editor->loadFontFile(folder.path("loaded.wfn"));
                glyph(40).width = 3;
            },
            [&] {
                BitmapFont saved;
                return dialogs() == 0 && saved.readWfn(folder.path("loaded.wfn")).ok() && saved.glyphs[40].width == 3;
            } },
        { "Ctrl+Shift+S", 'S', KeyControl | KeyShift, [&] { cancelFileDialog(); },
            [&] { return lastDialogIs(FileDialogKind::Save); } },
        { "Ctrl+C", 'C', KeyControl, {}, [&] { return editor->clipboardGlyph() == glyph(40); } },
        { "Ctrl+V", 'V', KeyControl, {}, [&] { return glyph(40).width == 0; } },
        { "Ctrl+Z", 'Z', KeyControl, [&] { ws.userClicks(FillButton); }, [&] { return glyph(40).cell(0, 0); } },
        { "Ctrl+Y", 'Y', KeyControl, [&] { ws.userClicks(FillButton), ws.userPressesKey('Z', KeyControl); },
            [&] { return !glyph(40).cell(0, 0); } },
        { "Ctrl+Shift+Z", 'Z', KeyControl | KeyShift,
            [&] { ws.userClicks(FillButton), ws.userPressesKey('Z', KeyControl); },
            [&] { return !glyph(40).cell(0, 0); } },
        { "Ctrl+R", 'R', KeyControl, [&] { ws.userClicks(FillButton); }, [&] { return glyph(40).cell(0, 0); } },
        { "Ctrl+F", 'F', KeyControl, {}, [&] { return !glyph(40).cell(0, 0); } },
        { "Ctrl+L", 'L', KeyControl, {}, [&] { return glyph(40).width == 10; } },
        { "Ctrl+T", 'T', KeyControl, {}, [&] { return ws.isTextPreviewShown(); } },
        { "Ctrl+Q", 'Q', KeyControl, {}, [&] { return !ws.isDialogRunning(); } },
        { "F1", KeyF1, 0, {}, [&] { return aboutShown; } },
        { "Ctrl+Left", KeyLeft, KeyControl, {}, [&] { return editor->currentLetter() == 39; } },
        { "Ctrl+Right", KeyRight, KeyControl, {}, [&] { return editor->currentLetter() == 41; } },
        { "Ctrl+Home", KeyHome, KeyControl, {}, [&] { return editor->letterMode() == 0; } },
        { "Alt+Up", KeyUp, KeyAlt, {}, [&] { return glyph(40).cell(0, 7); } },
        { "Alt+Down", KeyDown, KeyAlt, {}, [&] { return glyph(40).cell(0, 1); } },
        { "Alt+Left", KeyLeft, KeyAlt, {}, [&] { return glyph(40).cell(7, 0); } },
        { "Alt+Right", KeyRight, KeyAlt, {}, [&] { return glyph(40).cell(1, 0); } },
        { "Ctrl+Shift+Left", KeyLeft, KeyControl | KeyShift, {}, [&] { return glyph(40).width == 7; } },
        { "Ctrl+Shift+Right", KeyRight, KeyControl | KeyShift, {}, [&] { return glyph(40).width == 9; } },
        { "Ctrl+Shift+Up", KeyUp, KeyControl | KeyShift, {}, [&] { return glyph(40).height == 7; } },
        { "Ctrl+Shift+Down", KeyDown, KeyControl | KeyShift, {}, [&] { return glyph(40).height == 9; } },
        { "a digit in the letter box", '5', 0, [&] { ws.userFocuses(HeightBox), ws.userFocuses(LetterNumberBox); },
            [&] { return editor->currentLetter() == 5; } },
        { "a letter in the character box", 'B', KeyShift, [&] { ws.userFocuses(CharacterBox); },
            [&] { return editor->currentLetter() == 'B'; } },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (ws.isDialogRunning())
            ws.endDialog(DialogCancel);
        restart();
        editor = std::make_unique<EditorDialog>(ws, *font, ApplicationHooks { .startUp = {}, .about = [&] { aboutShown = true; } });
        aboutShown = false;
        glyph(40).width = glyph(40).height = 8;
        glyph(40).cell(0, 0) = 1;
        open();
        ws.userReplacesText(LetterNumberBox, "40");
        if (test.before)
            test.before();
        before = ws.scripts().fileDialogs().size();
        ws.userPressesKey(test.key, test.modifiers);
        EXPECT_TRUE(test.done());
        EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
    }
}

TEST_F(Keys, EveryButtonHasATooltipNamingWhatItDoesAndItsKey)
{
    open();
    const std::vector<std::pair<int, std::string>> expected {
        { ShiftUpButton, "Move the letter up one pixel (Alt+Up)" },
        { SaveButton, "Save the font under a name you choose (Ctrl+Shift+S)" },
        { QuitButton, "Quit Glyphsmith (Ctrl+Q) (Escape)" },
    };
    for (const auto& [button, tip] : expected)
        EXPECT_EQ(ws.control(button).toolTip, tip);
    for (int button : { LetterButton, CopyButton, PasteButton, FillButton, UndoButton, OpenButton, OutlineButton,
             AboutButton, CharacterDownButton, CharacterUpButton, WidthDownButton, WidthUpButton, HeightDownButton,
             HeightUpButton, ShiftDownButton, ShiftLeftButton, ShiftRightButton })
        EXPECT_NE(ws.control(button).toolTip.find(")"), std::string::npos) << button;
}

} // namespace
} // namespace glyphsmith
