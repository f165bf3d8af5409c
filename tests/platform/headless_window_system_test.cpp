#include "platform/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging_handler.h"

// What only the headless backend offers, beyond the contract every backend
// keeps: clear failures when a test drives it wrongly, typing key by key, the
// window frame and canvas, the scripted boxes and their records, and the
// registry.

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

TEST_F(Headless, TheSessionRunsOnceAfterInitAndTheFirstPaint)
{
    handler.on("init", [&] { system.refreshNow(); }); // the hidden window is not painted
    Log seen;
    system.setUserSession([&] { seen = handler.log; });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogCancel);
    EXPECT_EQ(seen, Log({ "init", "paint" }));
    const std::size_t before = handler.log.size();
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError) << "a session serves one run";
    EXPECT_EQ(handler.log.size(), before) << "the run failed before building the dialog";
}

TEST_F(Headless, AFailureInsideTheSessionLeavesTheSystemUsable)
{
    system.setUserSession([&] { system.showMessage("Unexpected", "", MessageButtons::Ok); });
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError);
    EXPECT_FALSE(system.isDialogRunning());
    std::size_t before = handler.log.size();
    system.setControlText(HeightBox, "1");
    EXPECT_EQ(handler.log.size(), before) << "the ended dialog's handler was called again";
    system.setUserSession([&] { system.endDialog(DialogOk); });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogOk);
}

TEST_F(Headless, ADialogEndedDuringInitIsNeverShown)
{
    handler.on("init", [&] { system.endDialog(DialogOk); });
    bool sessionRan = false;
    system.setUserSession([&] { sessionRan = true; });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogOk);
    EXPECT_FALSE(sessionRan);
    EXPECT_EQ(handler.log, Log({ "init" }));
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

TEST_F(OpenDialog, TypingDeliversOneChangePerAcceptedKeyAndADisabledBoxTakesNone)
{
    std::size_t first = handler.log.size();
    system.userTypes(LetterNumberBox, "1a2");
    EXPECT_EQ(system.control(LetterNumberBox).text, "12") << "a digits-only box refuses letters";
    EXPECT_EQ(handler.since(first), Log({ "gained 1003", "changed 1003", "changed 1003" }));
    first = handler.log.size();
    system.userTypes(WidthBox, "5");
    system.userReplacesText(WidthBox, "6");
    EXPECT_EQ(handler.since(first), Log()) << "the disabled width box takes no focus and no text";
    EXPECT_EQ(system.focusedControl(), LetterNumberBox);
}

TEST_F(OpenDialog, TypingStopsAtTheLimitAndReplacesTheSelectionButTheProgramMaySetMore)
{
    system.limitText(CharacterBox, 1);
    system.userTypes(CharacterBox, "AB");
    EXPECT_EQ(system.control(CharacterBox).text, "A");
    system.selectText(CharacterBox, 0, 1);
    system.userTypes(CharacterBox, "B");
    EXPECT_EQ(system.control(CharacterBox).text, "B");
    system.setControlText(CharacterBox, "xyz");
    EXPECT_EQ(system.control(CharacterBox).text, "xyz");
}

TEST_F(OpenDialog, SelectionIsClampedAndOrdered)
{
    system.setControlText(HeightBox, "123");
    // start, end, and the selection wanted.
    for (auto [start, end, wantStart, wantEnd] : { std::array { 0, 1, 0, 1 }, std::array { 2, 0, 0, 2 },
             std::array { 1, -1, 1, 3 }, std::array { 0, 99, 0, 3 } }) {
        system.selectText(HeightBox, start, end);
        EXPECT_EQ(system.control(HeightBox).selectionStart, wantStart) << start << ", " << end;
        EXPECT_EQ(system.control(HeightBox).selectionEnd, wantEnd) << start << ", " << end;
    }
}

TEST_F(OpenDialog, EnterClicksAFocusedButtonTheCloseBoxCancelsAndTheMouseOutsideIsNotSeen)
{
    system.userClicks(LetterButton);
    std::size_t first = handler.log.size();
    system.userPressesEnter();
    system.userClosesWindow();
    const PixelSize client = system.clientSize();
    system.userMouse(MouseAction::Move, client.width, 10, LeftButtonHeld);
    system.userMouse(MouseAction::Move, -1, 10, LeftButtonHeld);
    system.userMouse(MouseAction::Move, client.width - 1, client.height - 1, LeftButtonHeld);
    EXPECT_EQ(handler.since(first), Log({ "command 1009", "cancel", "mouse 4 430 205 1" }));
    EXPECT_TRUE(system.isDialogRunning());
}

// --- Window and canvas ---

TEST_F(OpenDialog, TheWindowAndControlsFollowTheTemplateInAFixedFrame)
{
    EXPECT_EQ(system.control(2).bounds, (PixelRect { 372, 5, 425, 24 }));
    EXPECT_EQ(system.clientSize(), (PixelSize { 431, 206 }));
    EXPECT_EQ(system.canvas().size(), system.clientSize());
    EXPECT_EQ(system.windowRect(), (PixelRect { 0, 0, 437, 234 }));
    system.centreOnScreen();
    EXPECT_EQ(system.windowRect(), (PixelRect { 741, 423, 1178, 657 }));
    EXPECT_TRUE(system.moveRequests().empty()) << "centring is no move request";
}

TEST_F(OpenDialog, AResizeIsRecordedAndRepaintsButAMoveAloneDoesNot)
{
    std::size_t first = handler.log.size();
    system.moveWindow({ 50, 60, 487, 294 });
    EXPECT_EQ(handler.since(first), Log()) << "same size, new place";
    system.moveWindow({ 50, 60, 600, 400 });
    EXPECT_EQ(handler.since(first), Log({ "paint" }));
    EXPECT_EQ(system.canvas().size(), (PixelSize { 544, 312 }));
    EXPECT_EQ(system.canvas().pixel(543, 311), DialogBackgroundColour);
    EXPECT_EQ(system.moveRequests(), (std::vector<PixelRect> { { 50, 60, 487, 294 }, { 50, 60, 600, 400 } }));
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

TEST_F(OpenDialog, SurfacesAreCountedAndCanBeMadeUnavailable)
{
    auto surface = system.clientSurface();
    ASSERT_TRUE(surface);
    surface->copyCellBlock(0, 0, 16, 16, 0, 0); // no bitmap loaded: nothing to copy
    EXPECT_EQ(system.canvas().pixel(0, 0), DialogBackgroundColour);
    EXPECT_EQ(system.liveSurfaceCount(), 1);
    surface.reset();
    EXPECT_EQ(system.liveSurfaceCount(), 0);
    system.setSurfaceAvailable(false);
    EXPECT_EQ(system.clientSurface(), nullptr);
}

TEST_F(OpenDialog, IconsAreRecordedAndDrawnVisibly)
{
    system.setIcons(system.loadIcon(AppIconResource), Icon { 7 });
    EXPECT_TRUE(system.bigIcon() == Icon { AppIconResource } && system.smallIcon() == Icon { 7 });
    system.clientSurface()->drawIcon(Icon { AppIconResource }, 100, 50);
    EXPECT_EQ(system.drawnIcons(), (std::vector<DrawnIcon> { { Icon { AppIconResource }, 100, 50 } }));
    EXPECT_EQ(system.canvas().pixel(116, 66), HeadlessIconColour);
    EXPECT_EQ(system.canvas().pixel(100, 50), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(system.canvas().pixel(132, 66), DialogBackgroundColour);
    EXPECT_EQ(system.userDragsMinimisedWindow(), Icon { AppIconResource }) << "the handler's drag icon";
}

// --- Scripted boxes ---

TEST_F(Headless, MessageBoxesAreRecordedWithTheCaptionShownAndRefuseAnAnswerTheyDoNotOffer)
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
}

TEST_F(Headless, FileDialogsRecordTheirRequestAndFailWhenUnscripted)
{
    FileDialogRequest request { FileDialogKind::Save, "AGS font (*.wfn)|*.wfn||", 2054, "font", "wfn" };
    EXPECT_THROW(system.fileDialog(request), HeadlessScriptError);
    system.scripts().queueFileDialogAnswer(std::nullopt);
    EXPECT_FALSE(system.fileDialog(request));
    ASSERT_EQ(system.scripts().fileDialogs().size(), 1u);
    const FileDialogRequest& seen = system.scripts().fileDialogs()[0].request;
    EXPECT_TRUE(seen.kind == request.kind && seen.filter == request.filter && seen.flags == request.flags
        && seen.initialName == request.initialName && seen.defaultExtension == request.defaultExtension);
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

// --- Registry and system font ---

TEST_F(Headless, RegistryKeysAreCreatedAlongSubkeyPathsCompareWithoutCaseAndMayFail)
{
    HeadlessRegistry& registry = system.registry();
    std::optional<RegistryKey> key = system.createClassKey("Glyphsmith");
    ASSERT_TRUE(key);
    system.setDefaultValue(*key, "", "Adventure game font file");
    system.setDefaultValue(*key, "shell\\open\\command", "C:\\Fonts\\Glyphsmith.exe %1");
    EXPECT_EQ(registry.openKeyCount(), 1);
    system.closeKey(*key);
    EXPECT_EQ(registry.openKeyCount(), 0);
    system.setDefaultValue(*key, "", "late"); // a closed key takes no values
    EXPECT_EQ(registry.defaultValue("glyphsmith"), "Adventure game font file");
    EXPECT_TRUE(registry.hasKey("Glyphsmith\\shell\\open"));
    EXPECT_FALSE(registry.defaultValue("Glyphsmith\\shell\\open"));
    EXPECT_EQ(registry.defaultValue("GLYPHSMITH\\Shell\\Open\\Command"), "C:\\Fonts\\Glyphsmith.exe %1");
    EXPECT_EQ(registry.keys().size(), 4u);
    // Opening an existing key and writing again replaces the value.
    system.setDefaultValue(system.createClassKey("GlyphSmith").value(), "", "Other");
    EXPECT_EQ(registry.defaultValue("Glyphsmith"), "Other");
    EXPECT_EQ(registry.keys().count("Glyphsmith"), 1u) << "the name keeps the case it was created with";

    registry.failCreateKey(".wfn");
    EXPECT_FALSE(system.createClassKey(".WFN"));
    EXPECT_FALSE(system.createClassKey(""));
    EXPECT_FALSE(registry.hasKey(".wfn"));
}

TEST_F(Headless, TheDefaultSystemFontCannotBeSelected)
{
    EXPECT_FALSE(system.systemFontRenderer().selectFont(12));
}

} // namespace
} // namespace glyphsmith
