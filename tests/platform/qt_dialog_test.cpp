// What only the Qt dialog does; the behaviour every backend shares is checked
// by the window-system contract suite.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "platform/dialog_template.h"
#include "qt_test_support.h"

namespace glyphsmith {
namespace {

using QtDialogTest = QtDialogFixture;
using Events = std::vector<std::string>;

TEST_F(QtDialogTest, EveryControlStandsWhereTheTemplatePutsIt)
{
    std::optional<DialogTemplate> dialogTemplate = loadDialogTemplate(MainDialogTemplate);
    ASSERT_TRUE(dialogTemplate);
    run([&] {
        EXPECT_EQ(system.clientSize(), (PixelSize { 431, 206 }));
        ASSERT_EQ(dialog().widgets().size(), dialogTemplate->controls.size());
        for (std::size_t index = 0; index < dialogTemplate->controls.size(); ++index) {
            const ControlTemplate& control = dialogTemplate->controls[index];
            const PixelRect expected = toPixels(control);
            QWidget* widget = dialog().widgets()[index];
            SCOPED_TRACE(control.caption + " " + std::to_string(control.id));
            EXPECT_EQ(widget->geometry(), QRect(expected.left, expected.top, expected.width(), expected.height()));
            EXPECT_TRUE(widget->isVisible());
            EXPECT_EQ(widget->property("text").toString().toStdString(), control.caption);
            EXPECT_EQ(dialog().control(control.id), control.id == -1 ? nullptr : widget);
        }
    });
}

TEST_F(QtDialogTest, EditTextIsEightBitAndLimitingItIsNoEdit)
{
    run([&] {
        system.setControlText(1003, "\xE9");
        EXPECT_EQ(system.controlText(1003, 9), "\xE9");

        // Qt cuts the text to the new limit; that is no edit of the user's.
        system.setControlText(1008, "ab");
        handler.events.clear();
        system.limitText(1008, 1);
        EXPECT_EQ(handler.events, Events());
        system.setControlText(1008, "Z");
        system.selectText(1008, 0, 1);
        EXPECT_EQ(dialog().edit(1008)->selectedText(), "Z");
    });
}

TEST_F(QtDialogTest, EscapeInAnEditBoxAndTheCloseBoxAskTheHandlerToCancel)
{
    handler.endOnCancel = false;
    run([&] {
        handler.events.clear();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(dialog().edit(1003), &escape);
        dialog().close();
        // The handler did not end the dialog, so it stays open.
        EXPECT_FALSE(dialog().ended());
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(handler.events, (Events { "cancel", "cancel" }));
    });
}

TEST_F(QtDialogTest, NeitherTheKeypadEnterNorQDialogsOwnAcceptEndTheDialog)
{
    run([&] {
        dialog().edit(1003)->setFocus();
        handler.events.clear();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
        QApplication::sendEvent(dialog().edit(1003), &enter);
        dialog().accept();
        EXPECT_FALSE(dialog().ended());
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(handler.events, Events());
    });
}

TEST_F(QtDialogTest, EndingDuringInitialisationSkipsTheModalRun)
{
    handler.onInit = [&] { system.endDialog(DialogCancel); };
    EXPECT_EQ(system.runModalDialog(MainDialogTemplate, handler), DialogCancel);
    EXPECT_EQ(handler.events, Events { "init" }) << "the dialog was never shown";
}

// Left and right presses, Shift and Ctrl are in the contract suite.
TEST_F(QtDialogTest, DoubleClicksAndTheMiddleButtonReachTheHandlerAsFlagsOnly)
{
    run([&] {
        ClientCanvas& canvas = dialog().canvas();
        auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                        Qt::KeyboardModifiers modifiers) {
            QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, modifiers);
            QApplication::sendEvent(&canvas, &event);
        };
        handler.events.clear();
        send(QEvent::MouseButtonDblClick, { 200, 50 }, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
        send(QEvent::MouseMove, { 190, 60 }, Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::ControlModifier);
        send(QEvent::MouseButtonPress, { 10, 10 }, Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
        EXPECT_EQ(handler.events, (Events { "mouse 3 200 50 6", "mouse 4 190 60 25" }));
    });
}

TEST_F(QtDialogTest, ResizingTheWindowResizesTheCanvasAndPaintsOnce)
{
    run([&] {
        const PixelRect before = system.windowRect();
        const PixelSize client = system.clientSize();
        const int frameWidth = before.width() - client.width;
        const int frameHeight = before.height() - client.height;
        handler.events.clear();
        system.moveWindow({ 40, 30, 40 + 376 + frameWidth, 30 + 231 + frameHeight });
        EXPECT_EQ(system.clientSize(), (PixelSize { 376, 231 }));
        EXPECT_EQ(dialog().canvas().image().size(), QSize(376, 231));
        EXPECT_EQ(handler.events, Events { "paint" });
    });
}

} // namespace
} // namespace glyphsmith
