#include "platform/qt/qt_text_preview.h"

#include <cstring>

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

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

} // namespace glyphsmith
