// What only the Qt dialog does; the behaviour every backend shares is checked
// by the window-system contract suite.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
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
        EXPECT_EQ(system.clientSize(), (PixelSize { 431, 426 }));
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

TEST_F(QtDialogTest, EditTextIsUtf8AndLimitingItIsNoEdit)
{
    run([&] {
        system.setControlText(1003, "\xD0\xAF\xC3\xA9");
        EXPECT_EQ(system.controlText(1003, 9), "\xD0\xAF\xC3\xA9");
        EXPECT_EQ(system.controlText(1003, 1), "\xD0\xAF"); // limits count characters

        // Qt cuts the text to the new limit; that is no edit of the user's.
        system.setControlText(1008, "ab");
        const std::size_t first = handler.log.size();
        system.limitText(1008, 1);
        EXPECT_EQ(handler.since(first), Events());
        system.setControlText(1008, "Z");
        system.selectText(1008, 0, 1);
        EXPECT_EQ(dialog().edit(1008)->selectedText(), "Z");
    });
}

// Keys and clicks the handler must never see, and none that ends the dialog.
TEST_F(QtDialogTest, NeitherTheKeypadEnterNorQDialogsOwnAcceptNorTheMiddleButtonReachTheHandler)
{
    run([&] {
        dialog().edit(1003)->setFocus();
        const std::size_t first = handler.log.size();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
        QApplication::sendEvent(dialog().edit(1003), &enter);
        dialog().accept();
        QMouseEvent middle(QEvent::MouseButtonPress, QPointF(10, 10), dialog().canvas().mapToGlobal(QPointF(10, 10)),
            Qt::MiddleButton, Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog().canvas(), &middle);
        EXPECT_FALSE(dialog().ended());
        EXPECT_TRUE(dialog().isVisible());
        EXPECT_EQ(handler.since(first), Events());
    });
}

} // namespace
} // namespace glyphsmith
