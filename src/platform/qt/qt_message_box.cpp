#include "platform/qt/qt_message_box.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace glyphsmith {

namespace {

QString text8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::StandardButton standardButtonFor(MessageResult result)
{
    switch (result) {
    case MessageResult::Ok: return QMessageBox::Ok;
    case MessageResult::Yes: return QMessageBox::Yes;
    case MessageResult::No: return QMessageBox::No;
    case MessageResult::Cancel: return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

ShownMessage describe(QMessageBox& box)
{
    ShownMessage shown;
    shown.text = box.text().toStdString();
    shown.caption = box.windowTitle().toStdString();
    for (QAbstractButton* button : box.buttons())
        shown.buttons.push_back(button->text().remove('&').toStdString());
    if (box.defaultButton())
        shown.defaultButton = box.defaultButton()->text().remove('&').toStdString();
    shown.hasIcon = box.icon() != QMessageBox::NoIcon;
    shown.hasOwner = box.parentWidget() != nullptr;
    return shown;
}

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* owner, std::string_view text, std::string_view caption,
    MessageButtons buttons, std::string_view applicationName)
{
    auto box = std::make_unique<QMessageBox>(owner);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(text8(text));
    box->setWindowTitle(text8(caption.empty() ? applicationName : caption));
    if (buttons == MessageButtons::Ok) {
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    } else {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
    }
    return box;
}

MessageResult runMessageBox(QMessageBox& box, MessageButtons buttons, QtModalScript& script)
{
    if (script.active) {
        script.shownMessages.push_back(describe(box));
        if (script.messageAnswers.empty())
            qFatal("A message box came with no scripted answer: \"%s\"", qPrintable(box.text()));
        MessageResult answer = script.messageAnswers.front();
        script.messageAnswers.pop_front();
        QAbstractButton* button = box.button(standardButtonFor(answer));
        if (answer == MessageResult::Cancel && buttons == MessageButtons::YesNoCancel) {
            // Cancel comes the way a user closes the box, through its close box.
            QTimer::singleShot(0, &box, [&box] { box.close(); });
        } else if (button) {
            QTimer::singleShot(0, button, [button] { button->click(); });
        } else {
            qFatal("The scripted answer has no button on the box \"%s\"", qPrintable(box.text()));
        }
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    switch (clicked ? box.standardButton(clicked) : QMessageBox::NoButton) {
    case QMessageBox::Yes: return MessageResult::Yes;
    case QMessageBox::No: return MessageResult::No;
    case QMessageBox::Ok: return MessageResult::Ok;
    default: return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    }
}

} // namespace glyphsmith
