#pragma once

// The text preview window on Qt: a small window of its own, a child of the
// editor's dialog (so the modal dialog does not block it), with a line of
// text at the top and the editor's picture of that text below it.

#include <functional>

#include <QWidget>

#include "platform/window_system.h"

class QLabel;
class QLineEdit;

namespace glyphsmith {

class QtTextPreview : public QWidget {
public:
    explicit QtTextPreview(QWidget* dialog);

    QLineEdit& textBox() { return *textBox_; }
    // Shows `picture` at its own size, one screen pixel per picture pixel.
    void setPicture(const IndexedPicture& picture);
    const QImage& picture() const { return picture_; }

    // The user edited the text.
    std::function<void()> onTextEdited;
    // The user closed the window.
    std::function<void()> onClosed;
    // A key the text box left alone (Ctrl+T, say); true when it was used.
    std::function<bool(QKeyEvent*)> onKey;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* textBox_ = nullptr;
    QLabel* pictureLabel_ = nullptr;
    QImage picture_;
};

} // namespace glyphsmith
