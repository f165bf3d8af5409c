#include "platform/qt/qt_text_preview.h"

#include <algorithm>

#include <cstring>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_window_system.h"

namespace glyphsmith {

QtTextPreview::QtTextPreview(QWidget* dialog)
    : QWidget(dialog, Qt::Window)
{
    setWindowTitle("Text preview");
    auto* layout = new QVBoxLayout(this);
    textBox_ = new QLineEdit(this);
    textBox_->setPlaceholderText("Type a line of text to see it in the font");
    textBox_->setAcceptDrops(false);
    layout->addWidget(textBox_);
    auto* scroll = new QScrollArea(this);
    pictureLabel_ = new QLabel;
    pictureLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(pictureLabel_);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    resize(560, 200);
    // Only what the user types is news to the editor; the program's own
    // setText is not.
    connect(textBox_, &QLineEdit::textEdited, this, [this] {
        if (onTextEdited)
            onTextEdited();
    });
}

void QtTextPreview::setPicture(const IndexedPicture& picture)
{
    QImage image(std::max(picture.width, 1), std::max(picture.height, 1), QImage::Format_Indexed8);
    QList<QRgb> colours;
    for (const Rgb& colour : picture.palette)
        colours.push_back(qRgb(colour.red, colour.green, colour.blue));
    image.setColorTable(colours);
    image.fill(0);
    if (picture.pixels.size() == static_cast<std::size_t>(picture.width) * picture.height)
        for (int y = 0; y < picture.height; ++y)
            std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * picture.width,
                static_cast<std::size_t>(picture.width));
    picture_ = image;
    pictureLabel_->setPixmap(QPixmap::fromImage(image));
}

void QtTextPreview::keyPressEvent(QKeyEvent* event)
{
    // Escape closes the window, as its close box does; the editor's own
    // Escape (Quit) belongs to the dialog.
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // The text box has taken the keys that edit text (Ctrl+Z there undoes
    // typing); what reaches the window goes to the editor.
    if (onKey && onKey(event))
        return;
    QWidget::keyPressEvent(event);
}

void QtTextPreview::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (onClosed)
        onClosed();
}

// The window system's side of the preview: the window belongs to the dialog.

void QtWindowSystem::showTextPreview(bool shown)
{
    if (!dialog_)
        return;
    QtTextPreview& preview = dialog_->textPreview();
    if (shown && !preview.isVisible()) {
        // Right of the dialog where the screen has room, else below it, else
        // above it: never over the letter being drawn if it can be helped.
        const QRect outer = dialog_->frameGeometry();
        QScreen* screen = dialog_->screen() ? dialog_->screen() : QGuiApplication::primaryScreen();
        const QRect room = screen ? screen->availableGeometry() : QRect(outer.topLeft(), QSize(4096, 4096));
        const QSize size = preview.frameGeometry().size();
        QPoint at(outer.right() + 8, outer.top());
        if (at.x() + size.width() > room.right()) {
            at = QPoint(outer.left(), outer.bottom() + 8);
            if (at.y() + size.height() > room.bottom())
                at.setY(outer.top() - 8 - size.height());
        }
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
        preview.move(at);
    }
    preview.setVisible(shown);
}

bool QtWindowSystem::isTextPreviewShown()
{
    return dialog_ && dialog_->hasTextPreview() && dialog_->textPreview().isVisible();
}

void QtWindowSystem::setTextPreviewText(std::string_view text)
{
    if (dialog_)
        dialog_->textPreview().textBox().setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

std::string QtWindowSystem::textPreviewText()
{
    return dialog_ ? dialog_->textPreview().textBox().text().toStdString() : std::string();
}

void QtWindowSystem::setTextPreviewPicture(const IndexedPicture& picture)
{
    if (dialog_)
        dialog_->textPreview().setPicture(picture);
}

void QtWindowSystem::setTextPreviewTitle(std::string_view title)
{
    if (dialog_)
        dialog_->textPreview().setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
}

} // namespace glyphsmith
