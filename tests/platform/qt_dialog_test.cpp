#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/dialog_template.h"
#include "qt_test_support.h"

namespace glyphsmith {
namespace {

class QtDialogTest : public ::testing::Test {
protected:
    QtWindowSystem system { testOptions() };
    RecordingHandler handler { system };

    QtDialog& dialog() { return *system.dialog(); }

    void sendKey(QWidget* target, int key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
};

TEST_F(QtDialogTest, EveryControlStandsWhereTheTemplatePutsIt)
{
    std::optional<DialogTemplate> dialogTemplate = loadDialogTemplate(MainDialogTemplate);
    ASSERT_TRUE(dialogTemplate);
    runDialogWith(system, handler, [&] {
        EXPECT_EQ(system.clientSize(), (PixelSize { 431, 206 }));
        EXPECT_EQ(system.caption(), "Glyphsmith");
        ASSERT_EQ(dialog().widgets().size(), dialogTemplate->controls.size());
        for (std::size_t index = 0; index < dialogTemplate->controls.size(); ++index) {
            const ControlTemplate& control = dialogTemplate->controls[index];
            PixelRect expected = toPixels(control);
            QWidget* widget = dialog().widgets()[index];
            SCOPED_TRACE(control.caption + " " + std::to_string(control.id));
            EXPECT_EQ(widget->geometry(), QRect(expected.left, expected.top, expected.width(), expected.height()));
            EXPECT_TRUE(widget->isVisible());
            EXPECT_EQ(widget->property("text").toString().toStdString(), control.caption);
            // The font view starts at x = 120, y = 32; controls stay clear of it.
            EXPECT_TRUE(expected.right <= 120 || expected.bottom <= 32);
            if (control.id != -1) {
                EXPECT_EQ(dialog().control(control.id), widget);
            }
        }
        EXPECT_FALSE(system.isControlEnabled(1001));
        EXPECT_TRUE(system.isControlEnabled(1000));
    });
}

TEST_F(QtDialogTest, SettingEditTextNotifiesExactlyOnceInsideTheCall)
{
    struct Case {
        const char* before;
        const char* after;
    };
    for (Case each : { Case { "", "" }, Case { "12", "12" }, Case { "12", "13" }, Case { "7", "" } }) {
        SCOPED_TRACE(std::string(each.before) + " -> " + each.after);
        QtWindowSystem localSystem(testOptions());
        RecordingHandler local(localSystem);
        runDialogWith(localSystem, local, [&] {
            localSystem.setControlText(1003, each.before);
            local.events.clear();
            localSystem.setControlText(1003, each.after);
            // No event loop ran in between: the notification came inside the call.
            EXPECT_EQ(local.events, std::vector<std::string> { "edit 1003" });
            EXPECT_EQ(localSystem.controlText(1003, 9), each.after);
            QApplication::processEvents();
            EXPECT_EQ(local.count("edit 1003"), 1);
        });
    }
}

TEST_F(QtDialogTest, AUserEditNotifiesExactlyOnce)
{
    runDialogWith(system, handler, [&] {
        QLineEdit* box = dialog().edit(1000);
        box->setFocus();
        handler.events.clear();
        box->selectAll();
        box->insert("42");
        EXPECT_EQ(handler.count("edit 1000"), 1);

        handler.events.clear();
        QKeyEvent key(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
        QApplication::sendEvent(box, &key);
        EXPECT_EQ(handler.count("edit 1000"), 1);
        EXPECT_EQ(system.controlText(1000, 9), "427");
    });
}

TEST_F(QtDialogTest, EditTextIsEightBitAndReadUpToTheLimit)
{
    runDialogWith(system, handler, [&] {
        system.setControlText(1003, "\xE9");
        EXPECT_EQ(system.controlText(1003, 9), "\xE9");
        system.setControlText(1003, "1234567890123");
        EXPECT_EQ(system.controlText(1003, 9), "123456789");
    });
}

TEST_F(QtDialogTest, LimitingTextIsNoEdit)
{
    runDialogWith(system, handler, [&] {
        system.setControlText(1008, "ab");
        handler.events.clear();
        system.limitText(1008, 1);
        EXPECT_TRUE(handler.events.empty());
        system.setControlText(1008, "Z");
        system.selectText(1008, 0, 1);
        EXPECT_EQ(dialog().edit(1008)->selectedText(), "Z");
    });
}

TEST_F(QtDialogTest, ButtonsDeliverCommandsAndQuitIsTheCancelCommand)
{
    handler.endOnCancel = false;
    runDialogWith(system, handler, [&] {
        qobject_cast<QPushButton*>(dialog().control(1014))->click();
        qobject_cast<QPushButton*>(dialog().control(DialogCancel))->click();
        EXPECT_FALSE(dialog().ended());
    });
    EXPECT_EQ(handler.count("command 1014"), 1);
    EXPECT_EQ(handler.count("cancel"), 1);
    EXPECT_EQ(handler.count("command 2"), 0);
}

TEST_F(QtDialogTest, EscapeAndTheCloseBoxAskTheHandlerToCancel)
{
    handler.endOnCancel = false;
    runDialogWith(system, handler, [&] {
        sendKey(&dialog(), Qt::Key_Escape);
        sendKey(dialog().edit(1003), Qt::Key_Escape);
        dialog().close();
        // The handler did not end the dialog, so it stays open.
        EXPECT_FALSE(dialog().ended());
        EXPECT_TRUE(dialog().isVisible());
    });
    EXPECT_EQ(handler.count("cancel"), 3);
}

TEST_F(QtDialogTest, EnterEndsTheDialogWithOkWithoutTheHandler)
{
    int result = runDialogWith(system, handler, [&] {
        dialog().edit(1003)->setFocus();
        handler.events.clear();
        sendKey(dialog().edit(1003), Qt::Key_Return);
        EXPECT_TRUE(dialog().ended());
    });
    EXPECT_EQ(result, DialogOk);
    EXPECT_EQ(handler.count("cancel"), 0);
}

TEST_F(QtDialogTest, EndingDuringInitialisationSkipsTheModalRun)
{
    handler.onInit = [&] { system.endDialog(DialogCancel); };
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogCancel);
    EXPECT_EQ(handler.count("paint"), 0);
}

TEST_F(QtDialogTest, NoControlHasTheFocusAtFirst)
{
    runDialogWith(system, handler, [&] {
        QApplication::processEvents();
        EXPECT_EQ(system.focusedControl(), 0);
        EXPECT_EQ(handler.count("focus 1003"), 0);
    });
}

TEST_F(QtDialogTest, FocusChangesReachTheHandler)
{
    runDialogWith(system, handler, [&] {
        dialog().activateWindow();
        QApplication::processEvents();
        dialog().edit(1003)->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(system.focusedControl(), 1003);
        dialog().edit(1000)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_EQ(system.focusedControl(), 1000);
    });
    std::vector<std::string> focusEvents;
    for (const std::string& event : handler.events)
        if (event.starts_with("focus") || event.starts_with("blur"))
            focusEvents.push_back(event);
    ASSERT_GE(focusEvents.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(focusEvents.begin(), focusEvents.begin() + 3),
        (std::vector<std::string> { "focus 1003", "blur 1003", "focus 1000" }));
}

TEST_F(QtDialogTest, MouseEventsArriveInClientPixelsWithKeyFlags)
{
    runDialogWith(system, handler, [&] {
        ClientCanvas& canvas = dialog().canvas();
        auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                        Qt::KeyboardModifiers modifiers) {
            QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, modifiers);
            QApplication::sendEvent(&canvas, &event);
        };
        handler.events.clear();
        send(QEvent::MouseButtonPress, { 130, 40 }, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        send(QEvent::MouseButtonDblClick, { 200, 50 }, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
        send(QEvent::MouseMove, { 190, 60 }, Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::ControlModifier);
        send(QEvent::MouseMove, { 5, 7 }, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        send(QEvent::MouseButtonPress, { 10, 10 }, Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
        EXPECT_EQ(handler.events, (std::vector<std::string> {
                                      "mouse 0 130 40 1",  // left press, left held
                                      "mouse 3 200 50 6",  // right double click, right and Shift
                                      "mouse 4 190 60 25", // move with left, middle and Ctrl
                                      "mouse 4 5 7 0",
                                  }));
    });
}

TEST_F(QtDialogTest, MoveWindowTakesAndGivesTheOuterRectangle)
{
    runDialogWith(system, handler, [&] {
        PixelRect before = system.windowRect();
        PixelSize client = system.clientSize();
        int frameWidth = before.width() - client.width;
        int frameHeight = before.height() - client.height;
        PixelRect wanted { 40, 30, 40 + 376 + frameWidth, 30 + 231 + frameHeight };
        system.moveWindow(wanted);
        EXPECT_EQ(system.clientSize(), (PixelSize { 376, 231 }));
        EXPECT_EQ(dialog().canvas().image().size(), QSize(376, 231));
        QApplication::processEvents();
        EXPECT_EQ(system.windowRect(), wanted);
    });
}

TEST_F(QtDialogTest, GrowingTheWindowPaintsTheNewArea)
{
    runDialogWith(system, handler, [&] {
        handler.events.clear();
        PixelRect outer = system.windowRect();
        outer.right += 100;
        system.moveWindow(outer);
        EXPECT_EQ(handler.count("paint"), 1);
    });
}

} // namespace
} // namespace glyphsmith
