#include "platform/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging_handler.h"

// What only the headless backend offers, beyond the contract every backend
// keeps: clear failures when a test drives it wrongly, typing key by key, the
// window frame and canvas, the scripted boxes and their records, and the
// registry. What the editor's tests already drive through it (the close box,
// icons, surfaces that cannot be had) is left to them.

namespace glyphsmith {
namespace {

using Log = std::vector<std::string>;

// A headless system and a handler that logs paints too; nothing is open yet.
class Headless : public ::testing::Test {
protected:
    Headless() { handler.logPaints = true; }

    HeadlessWindowSystem system;
    LoggingHandler handler;
};

// The main dialog open, stepped event by event.
class OpenDialog : public Headless {
protected:
    void SetUp() override { system.openDialog(MainDialogTemplate, handler); }
};

// --- Running the dialog ---

TEST_F(Headless, ASessionServesOneRunAndAFailureInsideItLeavesTheSystemUsable)
{
    handler.on("init", [&] { system.refreshNow(); }); // the hidden window is not painted
    Log seen;
    system.setUserSession([&] {
        seen = handler.log;
        system.showMessage("Unexpected", "", MessageButtons::Ok);
    });
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError);
    EXPECT_EQ(seen, Log({ "init", "paint" }));
    EXPECT_FALSE(system.isDialogRunning());
    const std::size_t before = handler.log.size();
    system.setControlText(HeightBox, "1");
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError) << "a session serves one run";
    EXPECT_EQ(handler.log.size(), before) << "the ended dialog's handler was called again";
    system.setUserSession([&] { system.endDialog(DialogOk); });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogOk);
}

TEST_F(OpenDialog, UserActionsAfterTheDialogEndedAndUnknownControlsFailClearly)
{
    EXPECT_THROW(system.setControlText(4242, "x"), HeadlessScriptError);
    EXPECT_THROW(system.controlText(-1, 9), HeadlessScriptError) << "labels have no id of their own";
    system.endDialog(DialogCancel);
    EXPECT_THROW(system.userClicks(LetterButton), HeadlessScriptError);
    EXPECT_THROW(system.userMouse(MouseAction::LeftPress, 200, 100, 0), HeadlessScriptError);
    EXPECT_EQ(system.endCode(), DialogCancel);
    system.endDialog(DialogOk); // a second end only changes the result
    EXPECT_EQ(system.endCode(), DialogOk);
}

// --- Controls, keys and mouse ---

TEST_F(OpenDialog, TypingDeliversOneChangePerAcceptedKeyAndReplacesTheSelection)
{
    // The box, its text, limit (0: none) and selection before; what is typed,
    // the text after and the changes delivered.
    struct Case {
        int box;
        const char* before;
        int limit, start, end;
        const char* typed;
        const char* after;
        std::size_t changes;
    };
    const Case cases[] = {
        { LetterNumberBox, "", 0, 0, 0, "1a2", "12", 2 }, // a digits-only box refuses letters
        { CharacterBox, "", 1, 0, 0, "AB", "A", 1 },      // typing stops at the limit
        { CharacterBox, "A", 1, 0, 1, "B", "B", 1 },      // a selection makes room
        { CharacterBox, "abc", 0, 2, 0, "X", "Xc", 1 },   // selections are ordered,
        { CharacterBox, "abc", 0, 1, -1, "X", "aX", 1 },  // -1 reaches the end,
        { CharacterBox, "abc", 0, -5, 99, "X", "X", 1 },  // and they are clamped
        { WidthBox, "", 0, 0, 0, "5", "", 0 },            // a disabled box takes nothing
    };
    for (const Case& test : cases) {
        system.userFocuses(test.box);
        system.limitText(test.box, test.limit);
        system.setControlText(test.box, test.before);
        system.selectText(test.box, test.start, test.end);
        const std::size_t first = handler.log.size();
        system.userTypes(test.box, test.typed);
        EXPECT_EQ(system.control(test.box).text, test.after) << test.typed << " over " << test.before;
        EXPECT_EQ(handler.since(first).size(), test.changes) << test.typed << " over " << test.before;
    }
    system.userReplacesText(WidthBox, "6");
    EXPECT_EQ(system.control(WidthBox).text, "");
    EXPECT_EQ(system.focusedControl(), CharacterBox);
    system.limitText(CharacterBox, 1);
    system.setControlText(CharacterBox, "xyz");
    EXPECT_EQ(system.control(CharacterBox).text, "xyz") << "the limit binds only the user";
}

// --- Window and canvas ---

TEST_F(OpenDialog, TheClientLiesInAFixedFrameAndTheMouseOutsideItIsNotSeen)
{
    EXPECT_EQ(system.clientSize(), (PixelSize { 431, 426 }));
    EXPECT_EQ(system.windowRect(), (PixelRect { 0, 0, 437, 454 }));
    system.centreOnScreen();
    EXPECT_EQ(system.windowRect(), (PixelRect { 741, 313, 1178, 767 }));
    system.moveWindow({ 50, 60, 600, 400 });
    EXPECT_EQ(system.canvas().size(), (PixelSize { 544, 312 }));
    EXPECT_EQ(system.moveRequests(), (std::vector<PixelRect> { { 50, 60, 600, 400 } })) << "centring is no request";

    const std::size_t first = handler.log.size();
    for (auto [x, y] : { std::pair { 544, 10 }, { -1, 10 }, { 10, 312 }, { 10, -1 }, { 543, 311 } })
        system.userMouse(MouseAction::Move, x, y, 0);
    EXPECT_EQ(handler.since(first), Log({ "mouse 4 543 311 0" }));
}

TEST_F(OpenDialog, AResizeFromPaintMaySettleButNotLoopForever)
{
    bool growing = false;
    int grow = 0;
    handler.on("paint", [&] { system.moveWindow({ 10, 10, 500 + (growing ? ++grow : 0), 300 }); });
    system.refreshNow(); // resizes once, the nested paint asks for the same size
    EXPECT_EQ(system.windowRect(), (PixelRect { 10, 10, 500, 300 }));
    growing = true;
    EXPECT_THROW(system.refreshNow(), HeadlessScriptError);
}

TEST_F(OpenDialog, SurfacesAreCountedAndDrawIconsVisiblyButNoBlockWithoutABitmap)
{
    auto surface = system.clientSurface();
    EXPECT_EQ(system.liveSurfaceCount(), 1);
    surface->copyCellBlock(0, 0, 16, 16, 0, 0);
    EXPECT_EQ(system.canvas().pixel(0, 0), DialogBackgroundColour);
    surface->drawIcon(Icon { AppIconResource }, 100, 50);
    EXPECT_EQ(system.canvas().pixel(116, 66), HeadlessIconColour);
    EXPECT_EQ(system.canvas().pixel(100, 50), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(system.canvas().pixel(132, 66), DialogBackgroundColour);
    surface.reset();
    EXPECT_EQ(system.liveSurfaceCount(), 0);
}

// --- Scripted boxes ---

TEST_F(Headless, BoxesAreRecordedAndFailWhenUnscriptedOrGivenAnAnswerTheyDoNotOffer)
{
    system.setExecutableName("Editor");
    system.scripts().queueMessageAnswer(MessageResult::No);
    system.scripts().queueMessageAnswer(MessageResult::Ok);
    system.scripts().queueMessageAnswer(MessageResult::Yes);
    EXPECT_EQ(system.showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), MessageResult::No);
    EXPECT_EQ(system.showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_THROW(system.showMessage("Error writing file.", "", MessageButtons::Ok), HeadlessScriptError);
    Log recorded;
    for (const ShownMessage& shown : system.scripts().messages())
        recorded.push_back(shown.text + "|" + shown.caption + "|" + shown.shownCaption);
    EXPECT_EQ(recorded, Log({ "Save?|Save changes?|Save changes?", "Error writing file.||Editor" }));
    EXPECT_EQ(system.scripts().unusedAnswers(), 1u) << "the refused answer stays queued";

    FileDialogRequest request { FileDialogKind::Save, "AGS font (*.wfn)|*.wfn||", 2054, "font", "wfn" };
    EXPECT_THROW(system.fileDialog(request), HeadlessScriptError);
    system.scripts().queueFileDialogAnswer(std::nullopt);
    EXPECT_FALSE(system.fileDialog(request));
    EXPECT_EQ(system.scripts().fileDialogs().size(), 1u) << "the unscripted dialog was not recorded";
}

TEST(HeadlessScripts, AnswersForAPathSplitNameTitleAndExtension)
{
    // Path, name, title, extension.
    for (const Log& row : { Log { "/a/b/Font.WFN", "Font.WFN", "Font", "WFN" },
             Log { "C:\\Games\\font.001", "font.001", "font", "001" }, Log { "/a.b/FONT", "FONT", "FONT", "" },
             Log { "x.tar.gz", "x.tar.gz", "x.tar", "gz" } }) {
        FileDialogAnswer answer = fileDialogAnswerFor(row[0]);
        EXPECT_EQ(Log({ answer.path, answer.name, answer.title, answer.extension }), row);
    }
}

// --- Registry ---

// Start-up's tests check the keys made along subkey paths and keys that cannot
// be made; these are the rules of the real registry that they do not reach.
TEST_F(Headless, RegistryKeysCompareWithoutCaseAndAClosedKeyTakesNoValue)
{
    RegistryKey key = system.createClassKey("Glyphsmith").value();
    system.setDefaultValue(system.createClassKey("GLYPHSMITH").value(), "Shell\\Open", "opened again");
    system.closeKey(key);
    system.setDefaultValue(key, "", "late");
    EXPECT_EQ(system.registry().keys(), (std::map<std::string, std::optional<std::string>> {
                                            { "Glyphsmith", std::nullopt },
                                            { "Glyphsmith\\Shell", std::nullopt },
                                            { "Glyphsmith\\Shell\\Open", "opened again" } }));
    EXPECT_FALSE(system.createClassKey(""));
}

} // namespace
} // namespace glyphsmith
