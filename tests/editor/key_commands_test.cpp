// The editor's keys through the headless backend, and the tooltips that name them.

#include <functional>

#include "editor_session.h"

namespace glyphsmith {
namespace {

using Keys = EditorSession;

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
    auto shown = [&](FileDialogKind kind) { return ws.scripts().fileDialogs().back().request.kind == kind; };
    auto cancel = [&] { cancelFileDialog(); };
    auto fillThenUndo = [&] { ws.userClicks(FillButton), ws.userPressesKey('Z', KeyControl); };
    const std::vector<Case> cases {
        { "Ctrl+O", 'O', KeyControl, cancel, [&] { return shown(FileDialogKind::Open); } },
        { "Ctrl+S, no file yet", 'S', KeyControl, cancel, [&] { return shown(FileDialogKind::Save); } },
        { "Ctrl+Shift+S", 'S', KeyControl | KeyShift, cancel, [&] { return shown(FileDialogKind::Save); } },
        { "Ctrl+C", 'C', KeyControl, {}, [&] { return editor->clipboardGlyph() == glyph(40); } },
        { "Ctrl+V", 'V', KeyControl, {}, [&] { return glyph(40) == Glyph {}; } }, // nothing copied yet
        { "Ctrl+Z", 'Z', KeyControl, [&] { ws.userClicks(FillButton); }, [&] { return glyph(40).cell(0, 0); } },
        { "Ctrl+Y", 'Y', KeyControl, fillThenUndo, [&] { return !glyph(40).cell(0, 0); } },
        { "Ctrl+Shift+Z", 'Z', KeyControl | KeyShift, fillThenUndo, [&] { return !glyph(40).cell(0, 0); } },
        { "Ctrl+R", 'R', KeyControl, [&] { ws.userClicks(FillButton); }, [&] { return glyph(40).cell(0, 0); } },
        { "Ctrl+F", 'F', KeyControl, [&] { glyph(40).pixels.fill(~std::uint64_t { 0 }); },
            [&] { return glyph(40) == Glyph { .height = 8, .width = 8 }; } },
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
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (ws.isDialogRunning())
            ws.endDialog(DialogCancel);
        restart();
        editor = std::make_unique<EditorDialog>(ws, *font, ApplicationHooks { {}, [&] { aboutShown = true; } });
        aboutShown = false;
        glyph(40).width = glyph(40).height = 8;
        glyph(40).cell(0, 0) = 1;
        open();
        ws.userReplacesText(LetterNumberBox, "40");
        if (test.before)
            test.before();
        ws.userPressesKey(test.key, test.modifiers);
        EXPECT_TRUE(test.done());
        EXPECT_EQ(ws.scripts().unusedAnswers(), 0u);
    }
}

TEST_F(Keys, EveryButtonHasATooltipNamingWhatItDoesAndItsKey)
{
    open();
    EXPECT_EQ(ws.control(ShiftUpButton).toolTip, "Move the letter up one pixel (Alt+Up)");
    EXPECT_EQ(ws.control(QuitButton).toolTip, "Quit Glyphsmith (Ctrl+Q or Escape)");
    for (const HeadlessControl& control : ws.controls())
        EXPECT_TRUE(!control.isButton() || control.toolTip.ends_with(")")) << control.text;
}

} // namespace
} // namespace glyphsmith
