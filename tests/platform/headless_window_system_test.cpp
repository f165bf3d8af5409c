#include "platform/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What only the headless backend offers: scripted boxes and their records,
// the failure of an unscripted box, typing key by key, the canvas and window
// frame, the registry and the fixed process values.

namespace glyphsmith {
namespace {

constexpr int LetterNumberBox = 1003;
constexpr int CharacterBox = 1008;
constexpr int HeightBox = 1000;
constexpr int LetterButton = 1009;

using Log = std::vector<std::string>;

class RecordingHandler : public DialogHandler {
public:
    Log log;
    std::function<void()> onInit;
    std::function<void()> onPaint;
    std::function<void(int)> onChanged;

    void initDialog() override
    {
        log.push_back("init");
        if (onInit)
            onInit();
    }
    void command(int id) override { log.push_back("command " + std::to_string(id)); }
    void editChanged(int id) override
    {
        log.push_back("changed " + std::to_string(id));
        if (onChanged)
            onChanged(id);
    }
    void editFocusGained(int id) override { log.push_back("gained " + std::to_string(id)); }
    void editFocusLost(int id) override { log.push_back("lost " + std::to_string(id)); }
    void mouse(MouseAction, int x, int y, unsigned) override
    {
        log.push_back("mouse " + std::to_string(x) + " " + std::to_string(y));
    }
    void paint() override
    {
        log.push_back("paint");
        if (onPaint)
            onPaint();
    }
    Icon dragIcon() override { return Icon { AppIconResource }; }
    void cancel() override { log.push_back("cancel"); }
};

// A headless system with the main dialog open, stepped event by event.
class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override { system.openDialog(MainDialogTemplate, handler); }

    // The log from index `first` on.
    Log since(std::size_t first) const { return { handler.log.begin() + static_cast<std::ptrdiff_t>(first), handler.log.end() }; }

    HeadlessWindowSystem system;
    RecordingHandler handler;
};

// --- Running the dialog ---

TEST(HeadlessRun, ARunWithoutAUserSessionFailsBeforeBuildingTheDialog)
{
    HeadlessWindowSystem system;
    RecordingHandler handler;
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError);
    EXPECT_TRUE(handler.log.empty());
}

TEST(HeadlessRun, TheSessionRunsOnceAfterInitAndTheFirstPaint)
{
    HeadlessWindowSystem system;
    RecordingHandler handler;
    Log seen;
    system.setUserSession([&] { seen = handler.log; });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogCancel);
    EXPECT_EQ(seen, Log({ "init", "paint" }));
    EXPECT_FALSE(system.isDialogRunning());
    EXPECT_THROW(system.runModalDialog(MainDialogTemplate, handler), HeadlessScriptError)
        << "a session serves one run only";
}

TEST(HeadlessRun, AFailureInsideTheSessionLeavesTheSystemUsable)
{
    HeadlessWindowSystem system;
    RecordingHandler handler;
    system.setUserSession([&] { system.showMessage("Unexpected", "", MessageButtons::Ok); });
    try {
        system.runModalDialog(MainDialogTemplate, handler);
        FAIL() << "the unscripted message box did not stop the run";
    } catch (const HeadlessScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("\"Unexpected\""), std::string::npos) << error.what();
    }
    EXPECT_FALSE(system.isDialogRunning());
    // The ended dialog's handler is never called again.
    std::size_t before = handler.log.size();
    system.setControlText(HeightBox, "1");
    EXPECT_EQ(handler.log.size(), before);

    system.setUserSession([&] { system.endDialog(DialogOk); });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogOk);
}

TEST(HeadlessRun, ADialogEndedDuringInitIsNeverShown)
{
    HeadlessWindowSystem system;
    RecordingHandler handler;
    handler.onInit = [&] { system.endDialog(DialogOk); };
    bool sessionRan = false;
    system.setUserSession([&] { sessionRan = true; });
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogOk);
    EXPECT_FALSE(sessionRan);
    EXPECT_EQ(handler.log, Log({ "init" }));
}

TEST_F(OpenDialog, UserActionsAfterTheDialogEndedFailClearly)
{
    system.endDialog(DialogCancel);
    EXPECT_EQ(system.endCode(), DialogCancel);
    EXPECT_THROW(system.userClicks(LetterButton), HeadlessScriptError);
    EXPECT_THROW(system.userPressesEscape(), HeadlessScriptError);
    EXPECT_THROW(system.userMouse(MouseAction::LeftPress, 200, 100, 0), HeadlessScriptError);
    system.endDialog(DialogOk); // a second end only changes the result
    EXPECT_EQ(system.endCode(), DialogOk);
}

TEST_F(OpenDialog, AnUnknownControlIdFailsClearly)
{
    EXPECT_THROW(system.setControlText(4242, "x"), HeadlessScriptError);
    EXPECT_THROW(system.controlText(-1, 9), HeadlessScriptError) << "labels have no id of their own";
}

// --- Controls and keys ---

TEST_F(OpenDialog, ControlsComeFromTheTemplate)
{
    EXPECT_EQ(system.control(LetterButton).text, "Letter");
    EXPECT_TRUE(system.control(LetterButton).isButton());
    EXPECT_TRUE(system.control(LetterNumberBox).digitsOnly);
    EXPECT_FALSE(system.control(CharacterBox).digitsOnly);
    EXPECT_EQ(system.control(2).bounds, (PixelRect { 372, 5, 425, 24 }));
}

TEST_F(OpenDialog, TypingDeliversOneChangePerAcceptedKey)
{
    std::size_t first = handler.log.size();
    system.userTypes(LetterNumberBox, "1a2");
    EXPECT_EQ(system.control(LetterNumberBox).text, "12") << "a digits-only box refuses letters";
    EXPECT_EQ(since(first), Log({ "gained 1003", "changed 1003", "changed 1003" }));

    first = handler.log.size();
    system.userTypes(1001, "5");
    system.userReplacesText(1001, "6");
    EXPECT_EQ(since(first), Log()) << "the disabled width box takes no focus and no text";
    EXPECT_EQ(system.focusedControl(), LetterNumberBox);
}

TEST_F(OpenDialog, TypingStopsAtTheLimitButTheProgramMaySetMore)
{
    system.limitText(CharacterBox, 1);
    system.userTypes(CharacterBox, "AB");
    EXPECT_EQ(system.control(CharacterBox).text, "A");
    system.setControlText(CharacterBox, "xyz");
    EXPECT_EQ(system.control(CharacterBox).text, "xyz");
}

TEST_F(OpenDialog, TypingReplacesTheSelection)
{
    system.limitText(CharacterBox, 1);
    system.userTypes(CharacterBox, "A");
    system.selectText(CharacterBox, 0, 1);
    system.userTypes(CharacterBox, "B");
    EXPECT_EQ(system.control(CharacterBox).text, "B");
}

TEST_F(OpenDialog, SelectionIsClampedAndOrdered)
{
    system.setControlText(HeightBox, "123");
    struct Row {
        int start, end, wantStart, wantEnd;
    };
    for (Row row : { Row { 0, 1, 0, 1 }, Row { 2, 0, 0, 2 }, Row { 1, -1, 1, 3 }, Row { 0, 99, 0, 3 } }) {
        system.selectText(HeightBox, row.start, row.end);
        EXPECT_EQ(system.control(HeightBox).selectionStart, row.wantStart) << row.start << ", " << row.end;
        EXPECT_EQ(system.control(HeightBox).selectionEnd, row.wantEnd) << row.start << ", " << row.end;
    }
}

TEST_F(OpenDialog, EnterClicksAFocusedButtonAndTheCloseBoxCancels)
{
    system.userClicks(LetterButton);
    std::size_t first = handler.log.size();
    system.userPressesEnter();
    system.userClosesWindow();
    EXPECT_EQ(since(first), Log({ "command 1009", "cancel" }));
    EXPECT_TRUE(system.isDialogRunning());
}

TEST_F(OpenDialog, MouseEventsOutsideTheClientAreaAreNotSeen)
{
    const PixelSize client = system.clientSize();
    std::size_t first = handler.log.size();
    system.userMouse(MouseAction::Move, client.width, 10, LeftButtonHeld);
    system.userMouse(MouseAction::Move, -1, 10, LeftButtonHeld);
    system.userMouse(MouseAction::Move, client.width - 1, client.height - 1, LeftButtonHeld);
    EXPECT_EQ(since(first), Log({ "mouse 430 205" }));
}

// --- Window and canvas ---

TEST_F(OpenDialog, TheWindowWrapsTheTemplateSizeInAFixedFrame)
{
    EXPECT_EQ(system.clientSize(), (PixelSize { 431, 206 }));
    EXPECT_EQ(system.windowRect(), (PixelRect { 0, 0, 437, 234 }));
    system.centreOnScreen();
    EXPECT_EQ(system.windowRect(), (PixelRect { 741, 423, 1178, 657 }));
    EXPECT_TRUE(system.moveRequests().empty()) << "centring is no move request";
}

TEST_F(OpenDialog, ShowingErasesTheCanvasToTheDialogBackground)
{
    EXPECT_EQ(system.canvas().size(), system.clientSize());
    EXPECT_EQ(system.eraseCount(), 1);
    EXPECT_EQ(system.paintCount(), 1);
    for (int y = 0; y < system.canvas().size().height; y += 7)
        for (int x = 0; x < system.canvas().size().width; x += 7)
            ASSERT_EQ(system.canvas().pixel(x, y), DialogBackgroundColour) << x << ", " << y;
}

TEST(HeadlessWindow, RefreshingAHiddenWindowPaintsNothing)
{
    HeadlessWindowSystem system;
    RecordingHandler handler;
    handler.onInit = [&] { system.refreshNow(); };
    system.openDialog(MainDialogTemplate, handler);
    EXPECT_EQ(handler.log, Log({ "init", "paint" })) << "only the showing paints";
}

TEST_F(OpenDialog, AResizeIsRecordedAndRepaintsButAMoveAloneDoesNot)
{
    std::size_t first = handler.log.size();
    system.moveWindow({ 50, 60, 487, 294 });
    EXPECT_EQ(since(first), Log()) << "same size, new place";
    system.moveWindow({ 50, 60, 600, 400 });
    EXPECT_EQ(since(first), Log({ "paint" }));
    EXPECT_EQ(system.canvas().size(), (PixelSize { 544, 312 }));
    EXPECT_EQ(system.canvas().pixel(543, 311), DialogBackgroundColour);
    EXPECT_EQ(system.moveRequests(), (std::vector<PixelRect> { { 50, 60, 487, 294 }, { 50, 60, 600, 400 } }));
}

TEST_F(OpenDialog, AResizeFromPaintMaySettleButNotLoopForever)
{
    handler.onPaint = [&] { system.moveWindow({ 10, 10, 500, 300 }); };
    system.refreshNow(); // resizes once, the nested paint asks for the same size
    EXPECT_EQ(system.windowRect(), (PixelRect { 10, 10, 500, 300 }));

    int grow = 0;
    handler.onPaint = [&] {
        ++grow;
        system.moveWindow({ 10, 10, 500 + grow, 300 });
    };
    EXPECT_THROW(system.refreshNow(), HeadlessScriptError);
}

TEST_F(OpenDialog, BlockCopiesAreClippedToTheCanvasAndTheBitmap)
{
    system.loadCellBitmap(CellBitmapResource);
    const PixelSize client = system.clientSize();
    auto surface = system.clientSurface();
    ASSERT_TRUE(surface);
    surface->copyCellBlock(16, 0, 16, 16, client.width - 2, client.height - 2);
    surface->copyCellBlock(0, 0, 16, 16, -14, -14);
    surface->copyCellBlock(30, 0, 16, 1, 200, 50); // only 2 columns lie inside the bitmap
    surface->copyCellBlock(0, 0, 1 << 30, 1 << 30, 1 << 30, 1 << 30);
    EXPECT_EQ(system.canvas().pixel(client.width - 1, client.height - 1), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(system.canvas().pixel(1, 1), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(system.canvas().pixel(2, 2), DialogBackgroundColour);
    EXPECT_EQ(system.canvas().pixel(201, 50), (Rgb { 255, 255, 255 }));
    EXPECT_EQ(system.canvas().pixel(202, 50), DialogBackgroundColour);
    EXPECT_EQ(system.liveSurfaceCount(), 1);
    surface.reset();
    EXPECT_EQ(system.liveSurfaceCount(), 0);
}

TEST_F(OpenDialog, IconsAreRecordedAndDrawnVisibly)
{
    system.setIcons(system.loadIcon(AppIconResource), system.loadIcon(AppIconResource));
    EXPECT_EQ(system.bigIcon(), Icon { AppIconResource });
    system.clientSurface()->drawIcon(Icon { AppIconResource }, 100, 50);
    EXPECT_EQ(system.drawnIcons(), (std::vector<DrawnIcon> { { Icon { AppIconResource }, 100, 50 } }));
    EXPECT_EQ(system.canvas().pixel(116, 66), HeadlessIconColour);
    EXPECT_EQ(system.canvas().pixel(100, 50), (Rgb { 0, 0, 0 }));
    EXPECT_EQ(system.canvas().pixel(132, 66), DialogBackgroundColour);
}

TEST_F(OpenDialog, DraggingTheMinimisedWindowAsksTheHandlerForItsIcon)
{
    system.setMinimised(true);
    EXPECT_TRUE(system.isMinimised());
    EXPECT_EQ(system.userDragsMinimisedWindow(), Icon { AppIconResource });
}

TEST_F(OpenDialog, NoSurfaceWhenDrawingIsMadeUnavailable)
{
    system.setSurfaceAvailable(false);
    EXPECT_EQ(system.clientSurface(), nullptr);
}

// --- Scripted boxes ---

TEST(HeadlessScripts, MessageBoxesAreRecordedWithTheCaptionShown)
{
    HeadlessWindowSystem system;
    system.setExecutableName("Editor");
    system.scripts().queueMessageAnswer(MessageResult::No);
    system.scripts().queueMessageAnswer(MessageResult::Ok);
    EXPECT_EQ(system.showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), MessageResult::No);
    EXPECT_EQ(system.showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    ASSERT_EQ(system.scripts().messages().size(), 2u);
    EXPECT_EQ(system.scripts().messages()[0].shownCaption, "Save changes?");
    EXPECT_EQ(system.scripts().messages()[1].text, "Error writing file.");
    EXPECT_EQ(system.scripts().messages()[1].caption, "");
    EXPECT_EQ(system.scripts().messages()[1].shownCaption, "Editor");
    EXPECT_EQ(system.scripts().unusedAnswers(), 0u);
}

TEST(HeadlessScripts, AnAnswerTheBoxDoesNotOfferFailsAndStaysQueued)
{
    HeadlessWindowSystem system;
    system.scripts().queueMessageAnswer(MessageResult::Yes);
    EXPECT_THROW(system.showMessage("Error writing file.", "", MessageButtons::Ok), HeadlessScriptError);
    EXPECT_TRUE(system.scripts().messages().empty());
    EXPECT_EQ(system.scripts().unusedAnswers(), 1u);
}

TEST(HeadlessScripts, FileDialogsRecordTheirRequestAndFailWhenUnscripted)
{
    HeadlessWindowSystem system;
    FileDialogRequest request { FileDialogKind::Save, "AGS font (*.wfn)|*.wfn||", 2054, "font", "wfn" };
    EXPECT_THROW(system.fileDialog(request), HeadlessScriptError);

    system.scripts().queueFileDialogAnswer(fileDialogAnswerFor("/fonts/x.bmp"));
    system.scripts().queueFileDialogAnswer(std::nullopt);
    EXPECT_EQ(system.fileDialog(request)->path, "/fonts/x.bmp");
    EXPECT_FALSE(system.fileDialog(request));
    ASSERT_EQ(system.scripts().fileDialogs().size(), 2u);
    const FileDialogRequest& recorded = system.scripts().fileDialogs()[0].request;
    EXPECT_EQ(recorded.kind, FileDialogKind::Save);
    EXPECT_EQ(recorded.filter, request.filter);
    EXPECT_EQ(recorded.flags, 2054u);
    EXPECT_EQ(recorded.initialName, "font");
    EXPECT_EQ(recorded.defaultExtension, "wfn");
    EXPECT_FALSE(system.scripts().fileDialogs()[1].answer);
}

TEST(HeadlessScripts, AnswersForAPathSplitNameTitleAndExtension)
{
    struct Row {
        const char* path;
        const char* name;
        const char* title;
        const char* extension;
    };
    for (Row row : { Row { "/a/b/Font.WFN", "Font.WFN", "Font", "WFN" }, Row { "C:\\Games\\font.001", "font.001", "font", "001" },
             Row { "/a.b/FONT", "FONT", "FONT", "" }, Row { "x.tar.gz", "x.tar.gz", "x.tar", "gz" } }) {
        FileDialogAnswer answer = fileDialogAnswerFor(row.path);
        EXPECT_EQ(answer.path, row.path);
        EXPECT_EQ(answer.name, row.name) << row.path;
        EXPECT_EQ(answer.title, row.title) << row.path;
        EXPECT_EQ(answer.extension, row.extension) << row.path;
    }
}

// --- Registry, shell, process ---

TEST(HeadlessRegistry, SubkeyPathsAreCreatedAndKeysCompareWithoutCase)
{
    HeadlessWindowSystem system;
    std::optional<RegistryKey> key = system.createClassKey("Glyphsmith");
    ASSERT_TRUE(key);
    system.setDefaultValue(*key, "", "Adventure game font file");
    system.setDefaultValue(*key, "shell\\open\\command", "C:\\Fonts\\Glyphsmith.exe %1");
    EXPECT_EQ(system.registry().openKeyCount(), 1);
    system.closeKey(*key);
    EXPECT_EQ(system.registry().openKeyCount(), 0);

    HeadlessRegistry& registry = system.registry();
    EXPECT_EQ(registry.defaultValue("glyphsmith"), "Adventure game font file");
    EXPECT_TRUE(registry.hasKey("Glyphsmith\\shell\\open"));
    EXPECT_FALSE(registry.defaultValue("Glyphsmith\\shell\\open"));
    EXPECT_EQ(registry.defaultValue("GLYPHSMITH\\Shell\\Open\\Command"), "C:\\Fonts\\Glyphsmith.exe %1");
    EXPECT_EQ(registry.keys().size(), 4u);

    // Opening an existing key and writing again replaces the value.
    std::optional<RegistryKey> again = system.createClassKey("GlyphSmith");
    ASSERT_TRUE(again);
    system.setDefaultValue(*again, "", "Other");
    EXPECT_EQ(registry.defaultValue("Glyphsmith"), "Other");
    EXPECT_EQ(registry.keys().count("Glyphsmith"), 1u) << "the name keeps the case it was created with";
}

TEST(HeadlessRegistry, AFailingKeyGivesNothingAndClosedKeysTakeNoValues)
{
    HeadlessWindowSystem system;
    system.registry().failCreateKey(".wfn");
    EXPECT_FALSE(system.createClassKey(".WFN"));
    EXPECT_FALSE(system.createClassKey(""));
    EXPECT_FALSE(system.registry().hasKey(".wfn"));

    std::optional<RegistryKey> key = system.createClassKey(".0");
    ASSERT_TRUE(key);
    system.closeKey(*key);
    system.setDefaultValue(*key, "", "late");
    EXPECT_FALSE(system.registry().defaultValue(".0"));
}

TEST(HeadlessProcess, FixedValuesCanBeChangedAndWebAddressesAreRecorded)
{
    HeadlessWindowSystem system;
    EXPECT_EQ(system.currentDirectory(), "C:\\Fonts");
    EXPECT_EQ(system.executableName(), "Glyphsmith");
    EXPECT_EQ(system.commandLine(), "");
    system.setCurrentDirectory("D:\\Tools");
    system.setExecutableName("Editor");
    system.setCommandLine("\"D:\\Fonts\\agsfnt1.wfn\"");
    EXPECT_EQ(system.currentDirectory(), "D:\\Tools");
    EXPECT_EQ(system.executableName(), "Editor");
    EXPECT_EQ(system.commandLine(), "\"D:\\Fonts\\agsfnt1.wfn\"");

    system.openWebAddress("https://example.org/");
    EXPECT_EQ(system.openedAddresses(), std::vector<std::string> { "https://example.org/" });
}

TEST(HeadlessProcess, TheDefaultSystemFontCannotBeSelectedAndARendererCanBeSet)
{
    HeadlessWindowSystem system;
    EXPECT_FALSE(system.systemFontRenderer().selectFont(12));

    class AlwaysFont : public SystemFontRenderer {
    public:
        bool selectFont(int) override { return true; }
        void drawCharacter(int, RenderSquare&) override {}
    } renderer;
    system.setSystemFontRenderer(&renderer);
    EXPECT_EQ(&system.systemFontRenderer(), &renderer);
    system.setSystemFontRenderer(nullptr);
    EXPECT_FALSE(system.systemFontRenderer().selectFont(12));
}

} // namespace
} // namespace glyphsmith
