#include "platform/window_system_contract.h"

#include <string>
#include <vector>

// The behaviour the editor relies on from any window-system backend. Each test
// runs the main dialog with a handler that logs every event, plays the user
// through the backend's driver and checks what the handler saw and what the
// window shows.

namespace glyphsmith {
namespace {

constexpr int LetterNumberBox = 1003;
constexpr int CharacterBox = 1008;
constexpr int WidthBox = 1001;
constexpr int HeightBox = 1000;
constexpr int LetterButton = 1009;
constexpr int QuitButton = 2;

// A point of the font view, away from every control, and a second one to
// compare its background with.
constexpr int ViewX = 200;
constexpr int ViewY = 100;
constexpr int OtherViewX = 300;
constexpr int OtherViewY = 150;

constexpr Rgb Black { 0, 0, 0 };
constexpr Rgb White { 255, 255, 255 };

// Logs every event as text ("changed 1003") and runs the hooks a test sets.
class LoggingHandler : public DialogHandler {
public:
    std::vector<std::string> log;
    std::function<void()> onInit;
    std::function<void(int)> onChanged;
    std::function<void(int)> onCommand;
    std::function<void(int)> onFocusLost;
    std::function<void()> onPaint;
    std::function<void()> onCancel;

    void initDialog() override
    {
        log.push_back("init");
        if (onInit)
            onInit();
    }
    void command(int controlId) override
    {
        log.push_back("command " + std::to_string(controlId));
        if (onCommand)
            onCommand(controlId);
    }
    void editChanged(int controlId) override
    {
        log.push_back("changed " + std::to_string(controlId));
        if (onChanged)
            onChanged(controlId);
    }
    void editFocusGained(int controlId) override { log.push_back("gained " + std::to_string(controlId)); }
    void editFocusLost(int controlId) override
    {
        log.push_back("lost " + std::to_string(controlId));
        if (onFocusLost)
            onFocusLost(controlId);
    }
    void mouse(MouseAction action, int x, int y, unsigned keys) override
    {
        log.push_back("mouse " + std::to_string(static_cast<int>(action)) + " " + std::to_string(x) + " "
            + std::to_string(y) + " " + std::to_string(keys));
    }
    void paint() override
    {
        ++paints;
        if (onPaint)
            onPaint();
    }
    Icon dragIcon() override { return Icon { AppIconResource }; }
    void cancel() override
    {
        log.push_back("cancel");
        if (onCancel)
            onCancel();
    }

    int paints = 0;

    // The entries logged from index `first` on.
    std::vector<std::string> since(std::size_t first) const
    {
        return { log.begin() + static_cast<std::ptrdiff_t>(std::min(first, log.size())), log.end() };
    }
};

// One backend and one logging handler for a test.
struct Harness {
    explicit Harness(const BackendFactory& factory) : backend(factory()) {}

    WindowSystem& ws() { return backend->windowSystem(); }
    int run(const std::function<void()>& session) { return backend->runDialog(handler, session); }

    std::unique_ptr<ContractBackend> backend;
    LoggingHandler handler;
};

using Log = std::vector<std::string>;

TEST_P(WindowSystemContract, InitDialogComesOnceBeforeTheSessionAndAnUnendedDialogEndsWithCancel)
{
    Harness h(GetParam());
    Log seenBySession;
    int result = h.run([&] { seenBySession = h.handler.log; });
    EXPECT_EQ(seenBySession, Log({ "init" }));
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(h.handler.log, Log({ "init" })) << "ending an unended dialog must not deliver cancel()";
}

TEST_P(WindowSystemContract, SettingATextDeliversTheChangeInsideTheCallEvenWhenUnchanged)
{
    Harness h(GetParam());
    h.run([&] {
        bool insideCall = false;
        std::vector<std::string> textsSeen;
        h.handler.onChanged = [&](int id) {
            EXPECT_TRUE(insideCall) << "notification for " << id << " came outside setControlText";
            textsSeen.push_back(h.ws().controlText(id, 9));
        };
        std::size_t first = h.handler.log.size();
        for (const char* text : { "12", "12", "" }) {
            insideCall = true;
            h.ws().setControlText(LetterNumberBox, text);
            insideCall = false;
        }
        EXPECT_EQ(h.handler.since(first), Log({ "changed 1003", "changed 1003", "changed 1003" }));
        EXPECT_EQ(textsSeen, Log({ "12", "12", "" }));
    });
}

TEST_P(WindowSystemContract, EveryEditBoxNotifiesEvenWhenDisabled)
{
    Harness h(GetParam());
    h.run([&] {
        ASSERT_FALSE(h.ws().isControlEnabled(WidthBox));
        std::size_t first = h.handler.log.size();
        for (int id : { LetterNumberBox, CharacterBox, WidthBox, HeightBox })
            h.ws().setControlText(id, "5");
        EXPECT_EQ(h.handler.since(first), Log({ "changed 1003", "changed 1008", "changed 1001", "changed 1000" }));
    });
}

TEST_P(WindowSystemContract, AUserEditNotifiesExactlyOnce)
{
    Harness h(GetParam());
    h.run([&] {
        h.backend->userReplacesText(HeightBox, "42");
        Log changes;
        for (const std::string& entry : h.handler.log)
            if (entry.starts_with("changed"))
                changes.push_back(entry);
        EXPECT_EQ(changes, Log({ "changed 1000" }));
        EXPECT_EQ(h.ws().controlText(HeightBox, 9), "42");
    });
}

TEST_P(WindowSystemContract, TextSetInsideAChangeHandlerIsNotifiedBeforeTheOuterCallReturns)
{
    Harness h(GetParam());
    h.run([&] {
        h.handler.onChanged = [&](int id) {
            if (id == LetterNumberBox) {
                h.ws().setControlText(CharacterBox, "A");
                // The nested handler has already run and the text is in place.
                EXPECT_EQ(h.handler.log.back(), "changed 1008");
                h.ws().setControlText(WidthBox, h.ws().controlText(CharacterBox, 9) + "!");
            }
            if (id == WidthBox && h.ws().controlText(WidthBox, 9) == "A!")
                h.ws().setControlText(WidthBox, "A?"); // a handler rewriting its own box
        };
        std::size_t first = h.handler.log.size();
        h.ws().setControlText(LetterNumberBox, "65");
        EXPECT_EQ(h.handler.since(first), Log({ "changed 1003", "changed 1008", "changed 1001", "changed 1001" }));
        EXPECT_EQ(h.ws().controlText(WidthBox, 9), "A?");
    });
}

TEST_P(WindowSystemContract, ControlTextIsCutToTheCharactersAskedFor)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().setControlText(HeightBox, "1234567890123");
        EXPECT_EQ(h.ws().controlText(HeightBox, 9), "123456789");
        EXPECT_EQ(h.ws().controlText(HeightBox, 100), "1234567890123");
        EXPECT_EQ(h.ws().controlText(HeightBox, 0), "");
    });
}

TEST_P(WindowSystemContract, LimitTextCapsWhatTheUserEnters)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().limitText(CharacterBox, 1);
        h.backend->userReplacesText(CharacterBox, "xyz");
        EXPECT_EQ(h.ws().controlText(CharacterBox, 9), "x");
        h.backend->userReplacesText(HeightBox, "123456"); // unlimited box keeps everything
        EXPECT_EQ(h.ws().controlText(HeightBox, 9), "123456");
    });
}

TEST_P(WindowSystemContract, ControlsAreEnabledAsTheTemplateSaysAndCanBeSwitched)
{
    Harness h(GetParam());
    h.run([&] {
        EXPECT_FALSE(h.ws().isControlEnabled(WidthBox));
        EXPECT_TRUE(h.ws().isControlEnabled(HeightBox));
        EXPECT_TRUE(h.ws().isControlEnabled(LetterButton));
        h.ws().enableControl(WidthBox, true);
        h.ws().enableControl(HeightBox, false);
        EXPECT_TRUE(h.ws().isControlEnabled(WidthBox));
        EXPECT_FALSE(h.ws().isControlEnabled(HeightBox));
    });
}

TEST_P(WindowSystemContract, ADisabledButtonIgnoresClicks)
{
    Harness h(GetParam());
    h.run([&] {
        h.ws().enableControl(LetterButton, false);
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
        h.handler.onFocusLost = [&](int) { focusWhileLosing = h.ws().focusedControl(); };
        std::size_t first = h.handler.log.size();
        h.backend->userFocuses(LetterNumberBox);
        EXPECT_EQ(h.ws().focusedControl(), LetterNumberBox);
        h.backend->userFocuses(HeightBox);
        EXPECT_EQ(h.ws().focusedControl(), HeightBox);
        EXPECT_EQ(h.handler.since(first), Log({ "gained 1003", "lost 1003", "gained 1000" }));
        EXPECT_EQ(focusWhileLosing, HeightBox) << "the focus has already moved when the old box is told";
    });
}

TEST_P(WindowSystemContract, AClickedButtonTakesTheFocusThenDeliversItsCommand)
{
    Harness h(GetParam());
    h.run([&] {
        h.backend->userFocuses(HeightBox);
        std::size_t first = h.handler.log.size();
        h.backend->userClicks(LetterButton);
        EXPECT_EQ(h.handler.since(first), Log({ "lost 1000", "command 1009" }));
        EXPECT_EQ(h.ws().focusedControl(), LetterButton);
    });
}

TEST_P(WindowSystemContract, QuitButtonAndEscapeDeliverCancelAndEndOnlyWhenTheHandlerSaysSo)
{
    Harness h(GetParam());
    int result = h.run([&] {
        std::size_t first = h.handler.log.size();
        h.backend->userClicks(QuitButton);
        h.backend->userPressesEscape();
        EXPECT_EQ(h.handler.since(first), Log({ "cancel", "cancel" }));
        h.handler.onCancel = [&] { h.ws().endDialog(DialogCancel); };
        h.backend->userPressesEscape();
    });
    EXPECT_EQ(result, DialogCancel);
    EXPECT_EQ(h.handler.log.back(), "cancel");
}

TEST_P(WindowSystemContract, EnterEndsTheDialogWithOkAndReachesNoHandler)
{
    Harness h(GetParam());
    int result = h.run([&] {
        h.backend->userFocuses(HeightBox);
        h.handler.onCancel = [&] { h.ws().endDialog(DialogCancel); };
        std::size_t first = h.handler.log.size();
        h.backend->userPressesEnter();
        for (const std::string& entry : h.handler.since(first))
            EXPECT_TRUE(entry != "cancel" && !entry.starts_with("command")) << entry;
    });
    EXPECT_EQ(result, DialogOk);
}

TEST_P(WindowSystemContract, EndDialogFromACommandGivesItsResult)
{
    Harness h(GetParam());
    h.handler.onCommand = [&](int id) {
        if (id == LetterButton)
            h.ws().endDialog(DialogOk);
    };
    EXPECT_EQ(h.run([&] { h.backend->userClicks(LetterButton); }), DialogOk);
}

TEST_P(WindowSystemContract, MouseEventsArriveWithClientCoordinatesAndKeys)
{
    Harness h(GetParam());
    h.run([&] {
        std::size_t first = h.handler.log.size();
        h.backend->userMouse(MouseAction::LeftPress, ViewX, ViewY, LeftButtonHeld);
        h.backend->userMouse(MouseAction::Move, ViewX + 3, ViewY + 5, ShiftHeld);
        h.backend->userMouse(MouseAction::RightPress, OtherViewX, OtherViewY, RightButtonHeld | ControlHeld);
        EXPECT_EQ(h.handler.since(first), Log({ "mouse 0 200 100 1", "mouse 4 203 105 4", "mouse 2 300 150 10" }));
    });
}

TEST_P(WindowSystemContract, RefreshNowErasesThenPaintsBeforeReturning)
{
    Harness h(GetParam());
    h.handler.onInit = [&] { h.ws().loadCellBitmap(CellBitmapResource); };
    h.run([&] {
        const Rgb background = h.backend->clientPixel(OtherViewX, OtherViewY);
        {
            std::unique_ptr<ClientSurface> surface = h.ws().clientSurface();
            ASSERT_TRUE(surface);
            surface->fillRect({ ViewX, ViewY, ViewX + 40, ViewY + 10 }, Rgb { 200, 0, 0 });
        }
        ASSERT_EQ(h.backend->clientPixel(ViewX + 30, ViewY), (Rgb { 200, 0, 0 }));

        h.handler.onPaint = [&] {
            std::unique_ptr<ClientSurface> surface = h.ws().clientSurface();
            ASSERT_TRUE(surface);
            surface->copyCellBlock(16, 0, 16, 16, ViewX, ViewY);
        };
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
    h.handler.onInit = [&] { h.ws().loadCellBitmap(CellBitmapResource); };
    h.run([&] {
        const Rgb background = h.backend->clientPixel(OtherViewX, OtherViewY);
        {
            std::unique_ptr<ClientSurface> surface = h.ws().clientSurface();
            ASSERT_TRUE(surface);
            surface->copyCellBlock(0, 0, 16, 16, ViewX, ViewY);
            surface->copyCellBlock(16, 0, 16, 16, ViewX + 16, ViewY);
            surface->copyCellBlock(16, 0, 2, 2, ViewX, ViewY + 20);
            surface->fillRect({ ViewX + 40, ViewY, ViewX + 45, ViewY + 3 }, Rgb { 10, 20, 30 });
        }
        for (int y = ViewY; y < ViewY + 16; ++y) {
            for (int x = ViewX; x < ViewX + 16; ++x) {
                ASSERT_EQ(h.backend->clientPixel(x, y), Black) << x << ", " << y;
                ASSERT_EQ(h.backend->clientPixel(x + 16, y), White) << x + 16 << ", " << y;
            }
        }
        for (int y = ViewY + 20; y < ViewY + 22; ++y)
            for (int x = ViewX; x < ViewX + 2; ++x)
                EXPECT_EQ(h.backend->clientPixel(x, y), White) << x << ", " << y;
        EXPECT_EQ(h.backend->clientPixel(ViewX + 2, ViewY + 20), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX, ViewY + 22), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX - 1, ViewY), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX + 32, ViewY), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX, ViewY + 16), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX + 40, ViewY), (Rgb { 10, 20, 30 }));
        EXPECT_EQ(h.backend->clientPixel(ViewX + 44, ViewY + 2), (Rgb { 10, 20, 30 }));
        EXPECT_EQ(h.backend->clientPixel(ViewX + 45, ViewY), background);
        EXPECT_EQ(h.backend->clientPixel(ViewX + 40, ViewY + 3), background);
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

TEST_P(WindowSystemContract, MoveWindowSetsTheOuterRectangleAndTheClientFollows)
{
    Harness h(GetParam());
    h.run([&] {
        const PixelRect first { 100, 80, 600, 400 };
        h.ws().moveWindow(first);
        EXPECT_EQ(h.ws().windowRect(), first);
        const PixelSize firstClient = h.ws().clientSize();
        EXPECT_GT(firstClient.width, 0);
        EXPECT_LE(firstClient.width, first.width());
        EXPECT_LE(firstClient.height, first.height());

        const PixelRect second { 120, 90, 820, 590 };
        h.ws().moveWindow(second);
        EXPECT_EQ(h.ws().windowRect(), second);
        const PixelSize secondClient = h.ws().clientSize();
        EXPECT_EQ(secondClient.width - firstClient.width, second.width() - first.width());
        EXPECT_EQ(secondClient.height - firstClient.height, second.height() - first.height());
    });
}

TEST_P(WindowSystemContract, MessageBoxesReturnTheAnswersTheUserGives)
{
    Harness h(GetParam());
    h.run([&] {
        h.backend->answerNextMessage(MessageResult::Yes);
        EXPECT_EQ(h.ws().showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), MessageResult::Yes);
        h.backend->answerNextMessage(MessageResult::Cancel);
        EXPECT_EQ(h.ws().showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), MessageResult::Cancel);
        h.backend->answerNextMessage(MessageResult::No);
        EXPECT_EQ(h.ws().showMessage("Save?", "Save changes?", MessageButtons::YesNoCancel), MessageResult::No);
        h.backend->answerNextMessage(MessageResult::Ok);
        EXPECT_EQ(h.ws().showMessage("Error writing file.", "", MessageButtons::Ok), MessageResult::Ok);
    });
}

TEST_P(WindowSystemContract, FileDialogsReturnTheChosenFileOrNothingWhenCancelled)
{
    Harness h(GetParam());
    h.run([&] {
        FileDialogRequest request { FileDialogKind::Open, "AGS font (*.wfn)|*.wfn||", 6148, "font", "wfn" };
        FileDialogAnswer chosen { "/fonts/agsfnt1.wfn", "agsfnt1.wfn", "agsfnt1", "wfn" };
        h.backend->answerNextFileDialog(chosen);
        std::optional<FileDialogAnswer> answer = h.ws().fileDialog(request);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->path, chosen.path);
        EXPECT_EQ(answer->name, chosen.name);
        EXPECT_EQ(answer->title, chosen.title);
        EXPECT_EQ(answer->extension, chosen.extension);

        h.backend->answerNextFileDialog(std::nullopt);
        request.kind = FileDialogKind::Save;
        EXPECT_FALSE(h.ws().fileDialog(request));
    });
}

} // namespace

// Each backend instantiates the suite under its own name.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowSystemContract);

} // namespace glyphsmith
