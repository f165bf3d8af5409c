#include "platform/window_system_contract.h"

#include <string>
#include <vector>

#include "logging_handler.h"

// The behaviour the editor relies on from any window-system backend. Each test
// runs the main dialog with a handler that logs every event, plays the user
// through the backend's driver and checks what the handler saw and what the
// window shows.

namespace glyphsmith {
namespace {

// A point of the font view, away from every control, and a second one to
// compare its background with.
constexpr int ViewX = 200;
constexpr int ViewY = 100;
constexpr int OtherViewX = 300;
constexpr int OtherViewY = 150;

constexpr Rgb Black { 0, 0, 0 };
constexpr Rgb White { 255, 255, 255 };
constexpr Rgb Red { 200, 0, 0 };

using Log = std::vector<std::string>;

// One backend and one logging handler for a test.
struct Harness {
    explicit Harness(const BackendFactory& factory) : backend(factory()) {}

    WindowSystem& ws() { return backend->windowSystem(); }
    int run(const std::function<void()>& session) { return backend->runDialog(handler, session); }
    // The "changed" entries logged from index `first` on.
    Log changesSince(std::size_t first) const
    {
        Log changes;
        for (const std::string& entry : handler.since(first))
            if (entry.starts_with("changed"))
                changes.push_back(entry);
        return changes;
    }

    std::unique_ptr<ContractBackend> backend;
    LoggingHandler handler;
};

TEST_P(WindowSystemContract, TheSessionComesAfterInitAndTheFirstPaintAndAnUnendedDialogEndsWithCancel)
{
    Harness h(GetParam());
    Log seenBySession;
    int paintsBeforeSession = 0;
    int result = h.run([&] {
        seenBySession = h.handler.log;
        paintsBeforeSession = h.handler.paints;
    });
    EXPECT_EQ(seenBySession, Log({ "init" }));
    EXPECT_GT(paintsBeforeSession, 0) << "the window was not shown and painted before the session";
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(h.handler.log, Log({ "init" })) << "ending an unended dialog must not deliver cancel()";
}

TEST_P(WindowSystemContract, ADialogEndedDuringInitIsNeverShown)
{
    Harness h(GetParam());
    h.handler.on("init", [&] { h.ws().endDialog(DialogOk); });
    bool sessionRan = false;
    EXPECT_EQ(h.run([&] { sessionRan = true; }), DialogOk);
    EXPECT_FALSE(sessionRan);
    EXPECT_EQ(h.handler.paints, 0);
    EXPECT_EQ(h.handler.log, Log({ "init" }));
}

TEST_P(WindowSystemContract, SettingATextNotifiesInsideTheCallEvenWhenUnchangedOrDisabled)
{
    Harness h(GetParam());
    h.run([&] {
        ASSERT_FALSE(h.ws().isControlEnabled(WidthBox));
        bool insideCall = false;
        Log seen; // "id=text" as the handler read it
        h.handler.hook = [&](std::string_view event, int id) {
            if (event != "changed")
                return;
            EXPECT_TRUE(insideCall) << "notification for " << id << " came outside setControlText";
            seen.push_back(std::to_string(id) + "=" + h.ws().controlText(id, 9));
        };
        const std::pair<int, const char*> texts[] = { { LetterNumberBox, "12" }, { LetterNumberBox, "12" },
            { LetterNumberBox, "" }, { CharacterBox, "5" }, { WidthBox, "5" }, { HeightBox, "5" } };
        for (auto [id, text] : texts) {
            insideCall = true;
            h.ws().setControlText(id, text);
            insideCall = false;
        }
        EXPECT_EQ(seen, Log({ "1003=12", "1003=12", "1003=", "1008=5", "1001=5", "1000=5" }));
    });
}

TEST_P(WindowSystemContract, AUserEditNotifiesOnceAndKeepsToTheLimit)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().limitText(CharacterBox, 1);
        std::size_t first = h.handler.log.size();
        h.backend->userReplacesText(HeightBox, "1234567890123"); // an unlimited box keeps everything
        h.backend->userReplacesText(CharacterBox, "xyz");
        EXPECT_EQ(h.changesSince(first), Log({ "changed 1000", "changed 1008" }));
        EXPECT_EQ(h.ws().controlText(CharacterBox, 9), "x");
        // Reads are cut to the characters asked for.
        EXPECT_EQ(h.ws().controlText(HeightBox, 9), "123456789");
        EXPECT_EQ(h.ws().controlText(HeightBox, 100), "1234567890123");
        EXPECT_EQ(h.ws().controlText(HeightBox, 0), "");
    });
}

TEST_P(WindowSystemContract, TextSetInsideAChangeHandlerIsNotifiedBeforeTheOuterCallReturns)
{
    Harness h(GetParam());
    h.run([&] {
        h.handler.hook = [&](std::string_view event, int id) {
            if (event == "changed" && id == LetterNumberBox) {
                h.ws().setControlText(CharacterBox, "A");
                // The nested handler has already run and the text is in place.
                EXPECT_EQ(h.handler.log.back(), "changed 1008");
                h.ws().setControlText(WidthBox, h.ws().controlText(CharacterBox, 9) + "!");
            }
            if (event == "changed" && id == WidthBox && h.ws().controlText(WidthBox, 9) == "A!")
                h.ws().setControlText(WidthBox, "A?"); // a handler rewriting its own box
        };
        std::size_t first = h.handler.log.size();
        h.ws().setControlText(LetterNumberBox, "65");
        EXPECT_EQ(h.handler.since(first), Log({ "changed 1003", "changed 1008", "changed 1001", "changed 1001" }));
        EXPECT_EQ(h.ws().controlText(WidthBox, 9), "A?");
    });
}

TEST_P(WindowSystemContract, ControlsAreEnabledAsTheTemplateSaysAndADisabledButtonIgnoresClicks)
{
    Harness h(GetParam());
    h.run([&] {
        EXPECT_TRUE(h.ws().isControlEnabled(HeightBox));
        EXPECT_TRUE(h.ws().isControlEnabled(LetterButton));
        h.ws().enableControl(WidthBox, true);
        h.ws().enableControl(LetterButton, false);
        EXPECT_TRUE(h.ws().isControlEnabled(WidthBox));
        EXPECT_FALSE(h.ws().isControlEnabled(LetterButton));
        std::size_t first = h.handler.log.size();
        h.backend->userClicks(LetterButton);
        EXPECT_EQ(h.handler.since(first), Log());
    });
}

TEST_P(WindowSystemContract, FocusMovesLoseTheOldBoxBeforeTheNewOneGainsIt)
{
    Harness h(GetParam());
    h.run([&] {
        EXPECT_EQ(h.ws().focusedControl(), 0) << "no control has the focus at start";
        int focusWhileLosing = -1;
        h.handler.on("lost", [&] { focusWhileLosing = h.ws().focusedControl(); });
        std::size_t first = h.handler.log.size();
        h.backend->userFocuses(LetterNumberBox);
        EXPECT_EQ(h.ws().focusedControl(), LetterNumberBox);
        h.backend->userFocuses(HeightBox);
        EXPECT_EQ(h.ws().focusedControl(), HeightBox);
        EXPECT_EQ(h.handler.since(first), Log({ "gained 1003", "lost 1003", "gained 1000" }));
        EXPECT_EQ(focusWhileLosing, HeightBox) << "the focus has already moved when the old box is told";
    });
}

TEST_P(WindowSystemContract, AClickedButtonTakesTheFocusThenDeliversItsCommandWhichMayEndTheDialog)
{
    Harness h(GetParam());
    int result = h.run([&] {
        h.backend->userFocuses(HeightBox);
        std::size_t first = h.handler.log.size();
        h.backend->userClicks(LetterButton);
        EXPECT_EQ(h.handler.since(first), Log({ "lost 1000", "command 1009" }));
        EXPECT_EQ(h.ws().focusedControl(), LetterButton);
        h.handler.on("command", [&] { h.ws().endDialog(DialogOk); });
        h.backend->userClicks(LetterButton);
    });
    EXPECT_EQ(result, DialogOk);
}

TEST_P(WindowSystemContract, QuitEscapeAndTheCloseBoxDeliverCancelAndEndOnlyWhenTheHandlerSaysSo)
{
    Harness h(GetParam());
    int result = h.run([&] {
        h.backend->userFocuses(HeightBox); // Escape goes to the focused box first
        std::size_t first = h.handler.log.size();
        h.backend->userPressesEscape();
        h.backend->userClosesWindow();
        h.backend->userClicks(QuitButton);
        EXPECT_EQ(h.handler.since(first), Log({ "cancel", "cancel", "lost 1000", "cancel" }));
        EXPECT_TRUE(h.backend->dialogIsUp());
        h.handler.on("cancel", [&] { h.ws().endDialog(DialogCancel); });
        h.backend->userPressesEscape();
        EXPECT_FALSE(h.backend->dialogIsUp());
    });
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(h.handler.log.back(), "cancel");
}

TEST_P(WindowSystemContract, EnterEndsNothingAndOnlyAFocusedButtonTakesItAsAClick)
{
    Harness h(GetParam());
    int result = h.run([&] {
        h.handler.on("cancel", [&] { h.ws().endDialog(DialogCancel); });
        std::size_t first = h.handler.log.size();
        h.backend->userPressesEnter(); // nothing has the focus
        h.backend->userFocuses(HeightBox);
        h.backend->userPressesEnter();
        EXPECT_EQ(h.handler.since(first), Log({ "gained 1000" }));
        EXPECT_EQ(h.ws().focusedControl(), HeightBox);

        h.backend->userFocuses(LetterButton);
        first = h.handler.log.size();
        h.backend->userPressesEnter();
        EXPECT_EQ(h.handler.since(first), Log({ "command 1009" }));
        EXPECT_TRUE(h.backend->dialogIsUp());
    });
    EXPECT_EQ(result, DialogCancel);
}

TEST_P(WindowSystemContract, MouseEventsArriveWithClientCoordinatesAndKeys)
{
    Harness h(GetParam());
    h.run([&] {
        std::size_t first = h.handler.log.size();
        h.backend->userMouse(MouseAction::LeftPress, ViewX, ViewY, LeftButtonHeld);
        h.backend->userMouse(MouseAction::Move, ViewX + 3, ViewY + 5, ShiftHeld);
        h.backend->userMouse(MouseAction::RightPress, OtherViewX, OtherViewY, RightButtonHeld | ControlHeld);
        h.backend->userMouse(MouseAction::LeftDoubleClick, ViewX, ViewY, LeftButtonHeld);
        h.backend->userMouse(MouseAction::RightDoubleClick, ViewX, ViewY, RightButtonHeld | ShiftHeld);
        h.backend->userMouse(MouseAction::Move, ViewX, ViewY, LeftButtonHeld | MiddleButtonHeld | ControlHeld);
        EXPECT_EQ(h.handler.since(first), Log({ "mouse 0 200 100 1", "mouse 4 203 105 4", "mouse 2 300 150 10",
                                              "mouse 1 200 100 1", "mouse 3 200 100 6", "mouse 4 200 100 25" }));
    });
}

TEST_P(WindowSystemContract, RefreshNowErasesThenPaintsBeforeReturning)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().loadCellBitmap(CellBitmapResource);
        const Rgb background = h.backend->clientPixel(OtherViewX, OtherViewY);
        h.ws().clientSurface()->fillRect({ ViewX, ViewY, ViewX + 40, ViewY + 10 }, Red);
        ASSERT_EQ(h.backend->clientPixel(ViewX + 30, ViewY), Red);

        h.handler.on("paint", [&] { h.ws().clientSurface()->copyCellBlock(16, 0, 16, 16, ViewX, ViewY); });
        int paintsBefore = h.handler.paints;
        h.ws().refreshNow();
        EXPECT_GT(h.handler.paints, paintsBefore);
        EXPECT_EQ(h.backend->clientPixel(ViewX, ViewY), White);
        EXPECT_EQ(h.backend->clientPixel(ViewX + 30, ViewY), background) << "the old drawing was not erased";
    });
}

TEST_P(WindowSystemContract, CellBlocksLandPixelExactAndFillsColourTheirRectangle)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().loadCellBitmap(CellBitmapResource);
        const Rgb background = h.backend->clientPixel(OtherViewX, OtherViewY);
        const Rgb fill { 10, 20, 30 };
        {
            std::unique_ptr<ClientSurface> surface = h.ws().clientSurface();
            ASSERT_TRUE(surface);
            surface->copyCellBlock(0, 0, 16, 16, ViewX, ViewY);
            surface->copyCellBlock(16, 0, 16, 16, ViewX + 16, ViewY);
            surface->copyCellBlock(16, 0, 2, 2, ViewX, ViewY + 20);
            surface->fillRect({ ViewX + 40, ViewY, ViewX + 45, ViewY + 3 }, fill);
        }
        for (int y = ViewY; y < ViewY + 16; ++y) {
            for (int x = ViewX; x < ViewX + 16; ++x) {
                ASSERT_EQ(h.backend->clientPixel(x, y), Black) << x << ", " << y;
                ASSERT_EQ(h.backend->clientPixel(x + 16, y), White) << x + 16 << ", " << y;
            }
        }
        // Offsets from (ViewX, ViewY): the small block's corners, and the edges
        // just outside each block and the fill.
        const struct {
            int dx, dy;
            Rgb want;
        } points[] = { { 0, 20, White }, { 1, 21, White }, { 2, 20, background }, { 0, 22, background },
            { -1, 0, background }, { 32, 0, background }, { 0, 16, background }, { 40, 0, fill }, { 44, 2, fill },
            { 45, 0, background }, { 40, 3, background } };
        for (const auto& point : points)
            EXPECT_EQ(h.backend->clientPixel(ViewX + point.dx, ViewY + point.dy), point.want)
                << point.dx << ", " << point.dy;
    });
}

TEST_P(WindowSystemContract, CaptionStartsFromTheTemplateAndCanBeSet)
{
    Harness h(GetParam());
    h.run([&] {
        EXPECT_EQ(h.ws().caption(), "Glyphsmith");
        h.ws().setCaption("Glyphsmith (font.wfn)");
        EXPECT_EQ(h.ws().caption(), "Glyphsmith (font.wfn)");
    });
}

TEST_P(WindowSystemContract, MoveWindowSetsTheOuterRectangleAndOnlyAResizePaintsKeepingWhatWasDrawn)
{
    Harness h(GetParam());
    h.run([&] {
        const PixelRect first { 100, 80, 600, 400 };
        const PixelRect moved { 120, 90, 620, 410 };
        const PixelRect grown { 120, 90, 820, 590 };
        h.ws().moveWindow(first);
        EXPECT_EQ(h.ws().windowRect(), first);
        const PixelSize client = h.ws().clientSize();
        EXPECT_GT(client.width, 0);
        EXPECT_LE(client.width, first.width());
        EXPECT_LE(client.height, first.height());
        const Rgb background = h.backend->clientPixel(client.width - 1, client.height - 1);
        h.ws().clientSurface()->fillRect({ 0, 0, client.width, client.height }, Red);
        const int paints = h.handler.paints;
        h.ws().moveWindow(moved);
        EXPECT_EQ(h.ws().windowRect(), moved);
        EXPECT_EQ(h.handler.paints, paints) << "a move alone repainted";
        h.ws().moveWindow(grown);
        EXPECT_EQ(h.ws().windowRect(), grown);
        EXPECT_EQ(h.handler.paints, paints + 1);
        const PixelSize bigger = h.ws().clientSize();
        EXPECT_EQ((PixelSize { bigger.width - client.width, bigger.height - client.height }), (PixelSize { 200, 180 }));
        EXPECT_EQ(h.backend->clientPixel(client.width - 1, client.height - 1), Red) << "the old drawing was lost";
        EXPECT_EQ(h.backend->clientPixel(bigger.width - 1, bigger.height - 1), background);
    });
}

TEST_P(WindowSystemContract, MessageBoxesReturnTheAnswersTheUserGives)
{
    Harness h(GetParam());
    h.run([&] {
        for (MessageResult answer : { MessageResult::Yes, MessageResult::Cancel, MessageResult::No }) {
            h.backend->answerNextMessage(answer);
            EXPECT_EQ(h.ws().showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), answer);
        }
        h.backend->answerNextMessage(MessageResult::Ok);
        EXPECT_EQ(h.ws().showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    });
}

TEST_P(WindowSystemContract, FileDialogsReturnTheChosenFileOrNothingWhenCancelled)
{
    Harness h(GetParam());
    h.run([&] {
        FileDialogRequest request { FileDialogKind::Open, "AGS font (*.wfn)|*.wfn||", 6148, "font", "wfn" };
        const FileDialogAnswer chosen { "/fonts/agsfnt1.wfn", "agsfnt1.wfn", "agsfnt1", "wfn" };
        h.backend->answerNextFileDialog(chosen);
        std::optional<FileDialogAnswer> answer = h.ws().fileDialog(request);
        ASSERT_TRUE(answer);
        EXPECT_EQ(Log({ answer->path, answer->name, answer->title, answer->extension }),
            Log({ chosen.path, chosen.name, chosen.title, chosen.extension }));

        h.backend->answerNextFileDialog(std::nullopt);
        request.kind = FileDialogKind::Save;
        EXPECT_FALSE(h.ws().fileDialog(request));
    });
}

} // namespace

// Each backend instantiates the suite under its own name.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowSystemContract);

} // namespace glyphsmith
