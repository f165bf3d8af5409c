#include "platform/window_system_contract.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>


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

constexpr Rgb White { 255, 255, 255 };
constexpr Rgb Red { 200, 0, 0 };

using Log = std::vector<std::string>;

TEST_P(WindowSystemContract, TheSessionComesAfterInitAndTheFirstPaintAndAnUnendedDialogEndsWithCancel)
{
    Log seenBySession;
    int paintsBeforeSession = 0;
    int result = run([&] {
        seenBySession = handler.log;
        paintsBeforeSession = handler.paints;
    });
    EXPECT_EQ(seenBySession, Log({ "init" }));
    EXPECT_GT(paintsBeforeSession, 0) << "the window was not shown and painted before the session";
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(handler.log, Log({ "init" })) << "ending an unended dialog must not deliver cancel()";
}

TEST_P(WindowSystemContract, ADialogEndedDuringInitIsNeverShown)
{
    handler.on("init", [&] { ws().endDialog(DialogOk); });
    bool sessionRan = false;
    EXPECT_EQ(run([&] { sessionRan = true; }), DialogOk);
    EXPECT_FALSE(sessionRan);
    EXPECT_EQ(handler.paints, 0);
    EXPECT_EQ(handler.log, Log({ "init" }));
}

TEST_P(WindowSystemContract, SettingATextNotifiesInsideTheCallEvenWhenUnchangedDisabledOrNested)
{
    run([&] {
        ASSERT_FALSE(ws().isControlEnabled(WidthBox));
        Log seen; // "id=text" as the handler read it
        handler.hook = [&](std::string_view event, int id) {
            if (event != "changed")
                return;
            seen.push_back(std::to_string(id) + "=" + ws().controlText(id, 9));
            if (id == LetterNumberBox && ws().controlText(id, 9) == "65") {
                ws().setControlText(CharacterBox, "A");
                EXPECT_EQ(seen.back(), "1008=A") << "the nested handler has run and the text is in place";
                ws().setControlText(WidthBox, ws().controlText(CharacterBox, 9) + "!");
            }
            if (id == WidthBox && ws().controlText(WidthBox, 9) == "A!")
                ws().setControlText(WidthBox, "A?"); // a handler rewriting its own box
        };
        for (auto [id, text] : { std::pair { LetterNumberBox, "12" }, { LetterNumberBox, "12" },
                 { LetterNumberBox, "" }, { HeightBox, "5" }, { LetterNumberBox, "65" } }) {
            const std::size_t before = seen.size();
            ws().setControlText(id, text);
            EXPECT_GT(seen.size(), before) << "no notification inside setControlText(" << id << ")";
        }
        EXPECT_EQ(seen, Log({ "1003=12", "1003=12", "1003=", "1000=5", "1003=65", "1008=A", "1001=A!", "1001=A?" }));
        EXPECT_EQ(ws().controlText(WidthBox, 9), "A?");
    });
}

TEST_P(WindowSystemContract, AUserEditNotifiesOnceAndKeepsToTheLimit)
{
    run([&] {
        ws().limitText(CharacterBox, 1);
        std::size_t first = handler.log.size();
        backend->userReplacesText(HeightBox, "1234567890123"); // an unlimited box keeps everything
        backend->userReplacesText(CharacterBox, "xyz");
        Log changes;
        std::ranges::copy_if(handler.since(first), std::back_inserter(changes),
            [](const std::string& entry) { return entry.starts_with("changed"); });
        EXPECT_EQ(changes, Log({ "changed 1000", "changed 1008" }));
        EXPECT_EQ(ws().controlText(CharacterBox, 9), "x");
        // Reads are cut to the characters asked for.
        EXPECT_EQ(ws().controlText(HeightBox, 9), "123456789");
        EXPECT_EQ(ws().controlText(HeightBox, 100), "1234567890123");
        EXPECT_EQ(ws().controlText(HeightBox, 0), "");
        // Texts are UTF-8, and the limit counts characters, not bytes.
        backend->userReplacesText(CharacterBox, "\u0416\u044F");
        EXPECT_EQ(ws().controlText(CharacterBox, 9), "\u0416");
        ws().setControlText(CharacterBox, "\u044F");
        EXPECT_EQ(ws().controlText(CharacterBox, 9), "\u044F");
    });
}

TEST_P(WindowSystemContract, CaptionAndEnabledControlsStartAsTheTemplateSaysAndADisabledButtonIgnoresClicks)
{
    run([&] {
        EXPECT_EQ(ws().caption(), "Glyphsmith");
        ws().setCaption("Glyphsmith (font.wfn)");
        EXPECT_EQ(ws().caption(), "Glyphsmith (font.wfn)");
        EXPECT_TRUE(ws().isControlEnabled(HeightBox));
        EXPECT_TRUE(ws().isControlEnabled(LetterButton));
        ws().enableControl(WidthBox, true);
        ws().enableControl(LetterButton, false);
        EXPECT_TRUE(ws().isControlEnabled(WidthBox));
        EXPECT_FALSE(ws().isControlEnabled(LetterButton));
        std::size_t first = handler.log.size();
        backend->userClicks(LetterButton);
        EXPECT_EQ(handler.since(first), Log());
    });
}

TEST_P(WindowSystemContract, FocusMovesLoseTheOldBoxFirstAndAClickedButtonTakesItThenDeliversItsCommand)
{
    int result = run([&] {
        EXPECT_EQ(ws().focusedControl(), 0) << "no control has the focus at start";
        int focusWhileLosing = -1;
        handler.on("lost", [&] { focusWhileLosing = ws().focusedControl(); });
        std::size_t first = handler.log.size();
        backend->userFocuses(LetterNumberBox);
        EXPECT_EQ(ws().focusedControl(), LetterNumberBox);
        backend->userFocuses(HeightBox);
        EXPECT_EQ(focusWhileLosing, HeightBox) << "the focus has already moved when the old box is told";
        backend->userClicks(LetterButton);
        EXPECT_EQ(handler.since(first),
            Log({ "gained 1003", "lost 1003", "gained 1000", "lost 1000", "command 1009" }));
        EXPECT_EQ(ws().focusedControl(), LetterButton);
        handler.on("command", [&] { ws().endDialog(DialogOk); });
        backend->userClicks(LetterButton);
    });
    EXPECT_EQ(result, DialogOk);
}

TEST_P(WindowSystemContract, QuitEscapeAndTheCloseBoxDeliverCancelAndEndOnlyWhenTheHandlerSaysSo)
{
    int result = run([&] {
        backend->userFocuses(HeightBox); // Escape goes to the focused box first
        std::size_t first = handler.log.size();
        backend->userPressesEscape();
        backend->userClosesWindow();
        backend->userClicks(QuitButton);
        EXPECT_EQ(handler.since(first), Log({ "cancel", "cancel", "lost 1000", "cancel" }));
        EXPECT_TRUE(backend->dialogIsUp());
        handler.on("cancel", [&] { ws().endDialog(DialogCancel); });
        backend->userPressesEscape();
        EXPECT_FALSE(backend->dialogIsUp());
    });
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(handler.log.back(), "cancel");
}

TEST_P(WindowSystemContract, EnterEndsNothingAndOnlyAFocusedButtonTakesItAsAClick)
{
    int result = run([&] {
        handler.on("cancel", [&] { ws().endDialog(DialogCancel); });
        std::size_t first = handler.log.size();
        backend->userPressesEnter(); // nothing has the focus
        backend->userFocuses(HeightBox);
        backend->userPressesEnter();
        EXPECT_EQ(handler.since(first), Log({ "gained 1000" }));
        EXPECT_EQ(ws().focusedControl(), HeightBox);

        backend->userFocuses(LetterButton);
        first = handler.log.size();
        backend->userPressesEnter();
        EXPECT_EQ(handler.since(first), Log({ "command 1009" }));
        EXPECT_TRUE(backend->dialogIsUp());
    });
    EXPECT_EQ(result, DialogCancel);
}

TEST_P(WindowSystemContract, MouseEventsArriveWithClientCoordinatesAndKeys)
{
    run([&] {
        std::size_t first = handler.log.size();
        backend->userMouse(MouseAction::LeftPress, ViewX, ViewY, LeftButtonHeld);
        backend->userMouse(MouseAction::Move, ViewX + 3, ViewY + 5, ShiftHeld);
        backend->userMouse(MouseAction::RightPress, OtherViewX, OtherViewY, RightButtonHeld | ControlHeld);
        backend->userMouse(MouseAction::LeftDoubleClick, ViewX, ViewY, LeftButtonHeld);
        backend->userMouse(MouseAction::RightDoubleClick, ViewX, ViewY, RightButtonHeld | ShiftHeld);
        backend->userMouse(MouseAction::Move, ViewX, ViewY, LeftButtonHeld | MiddleButtonHeld | ControlHeld);
        backend->userMouse(MouseAction::Release, ViewX, ViewY, 0);
        EXPECT_EQ(handler.since(first), Log({ "mouse 0 200 100 1", "mouse 4 203 105 4", "mouse 2 300 150 10",
                                              "mouse 1 200 100 1", "mouse 3 200 100 6", "mouse 4 200 100 25",
                                              "mouse 5 200 100 0" }));
    });
}

TEST_P(WindowSystemContract, KeysReachTheHandlerFirstAndTheOnesItLeavesReachTheFocusedBox)
{
    handler.takesKey = [](int key, unsigned modifiers) { return key == 'Z' && modifiers == KeyControl; };
    run([&] {
        backend->userFocuses(LetterNumberBox);
        backend->userReplacesText(LetterNumberBox, "1");
        const std::size_t first = handler.log.size();
        backend->userPressesKey('Z', KeyControl);
        backend->userPressesKey('7', 0);
        backend->userPressesKey(KeyPageUp, KeyShift);
        EXPECT_EQ(handler.since(first), Log({ "key 90 2", "key 55 0", "changed 1003", "key 256 1" }));
        EXPECT_EQ(ws().controlText(LetterNumberBox, 9), "17");
    });
}

TEST_P(WindowSystemContract, DroppedFilesThePreviewWindowAndSettingsReachTheirOwners)
{
    run([&] {
        std::size_t first = handler.log.size();
        backend->userDropsFiles({ "/fonts/a.wfn", "/fonts/b.0" });
        EXPECT_EQ(handler.since(first), Log({ "dropped /fonts/a.wfn" }));

        EXPECT_FALSE(ws().isTextPreviewShown());
        ws().showTextPreview(true);
        first = handler.log.size();
        ws().setTextPreviewText("caf\xC3\xA9");
        EXPECT_EQ(ws().textPreviewText(), "caf\xC3\xA9");
        ws().setTextPreviewPicture({ 2, 1, { { 0, 0, 0 } }, { 0, 0 } });
        backend->userEditsPreviewText("na\xC3\xAFve");
        EXPECT_EQ(ws().textPreviewText(), "na\xC3\xAFve");
        backend->userClosesTextPreview();
        EXPECT_FALSE(ws().isTextPreviewShown());
        EXPECT_EQ(handler.since(first), Log({ "preview changed", "preview closed" }));

        ws().setSetting("previewText", "\xC3\xA9t\xC3\xA9");
        EXPECT_EQ(ws().setting("previewText"), "\xC3\xA9t\xC3\xA9");
        EXPECT_EQ(ws().setting("unknown"), "");
    });
}

TEST_P(WindowSystemContract, AListGivesTheItemChosenOrNothingWhenCancelled)
{
    run([&] {
        const ItemChoiceRequest request{ "Fonts of KQ4", "Choose the font to edit:",
            { "Font 0: SCI0, stored", "Font 1: SCI0, LZW, patched", "Font 4: SCI0, Huffman" }, 1 };
        backend->userChoosesItem(2);
        EXPECT_EQ(ws().chooseItem(request), std::optional<int>(2));
        backend->userChoosesItem(-1);
        EXPECT_EQ(ws().chooseItem(request), std::optional<int>(1));
        backend->userChoosesItem(std::nullopt);
        EXPECT_EQ(ws().chooseItem(request), std::nullopt);
        // The dialog goes on as before.
        EXPECT_TRUE(backend->dialogIsUp());
    });
}

TEST_P(WindowSystemContract, RefreshNowErasesThenPaintsBeforeReturning)
{
    run([&] {
        ws().loadCellBitmap(CellBitmapResource);
        const Rgb background = backend->clientPixel(OtherViewX, OtherViewY);
        ws().clientSurface()->fillRect({ ViewX, ViewY, ViewX + 40, ViewY + 10 }, Red);
        ASSERT_EQ(backend->clientPixel(ViewX + 30, ViewY), Red);

        handler.on("paint", [&] { ws().clientSurface()->copyCellBlock(16, 0, 16, 16, ViewX, ViewY); });
        int paintsBefore = handler.paints;
        ws().refreshNow();
        EXPECT_GT(handler.paints, paintsBefore);
        EXPECT_EQ(backend->clientPixel(ViewX, ViewY), White);
        EXPECT_EQ(backend->clientPixel(ViewX + 30, ViewY), background) << "the old drawing was not erased";
    });
}

TEST_P(WindowSystemContract, MoveWindowSetsTheOuterRectangleAndOnlyAResizePaintsKeepingWhatWasDrawn)
{
    run([&] {
        const PixelRect first { 100, 80, 600, 400 };
        const PixelRect moved { 120, 90, 620, 410 };
        const PixelRect grown { 120, 90, 820, 590 };
        ws().moveWindow(first);
        EXPECT_EQ(ws().windowRect(), first);
        const PixelSize client = ws().clientSize();
        EXPECT_GT(client.width, 0);
        EXPECT_LE(client.width, first.width());
        EXPECT_LE(client.height, first.height());
        const Rgb background = backend->clientPixel(client.width - 1, client.height - 1);
        ws().clientSurface()->fillRect({ 0, 0, client.width, client.height }, Red);
        const int paints = handler.paints;
        ws().moveWindow(moved);
        EXPECT_EQ(ws().windowRect(), moved);
        EXPECT_EQ(handler.paints, paints) << "a move alone repainted";
        ws().moveWindow(grown);
        EXPECT_EQ(ws().windowRect(), grown);
        EXPECT_EQ(handler.paints, paints + 1);
        const PixelSize bigger = ws().clientSize();
        EXPECT_EQ((PixelSize { bigger.width - client.width, bigger.height - client.height }), (PixelSize { 200, 180 }));
        EXPECT_EQ(backend->clientPixel(client.width - 1, client.height - 1), Red) << "the old drawing was lost";
        EXPECT_EQ(backend->clientPixel(bigger.width - 1, bigger.height - 1), background);
    });
}

} // namespace

// Each backend instantiates the suite under its own name.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowSystemContract);

} // namespace glyphsmith
