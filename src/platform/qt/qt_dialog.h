#pragma once

// The editor's modal dialog on Qt, built from a dialog template: a fixed-size
// window whose whole inside is the client area, a canvas filling it, and the
// template's controls placed above the canvas at their pixel positions. It
// turns Qt's events into DialogHandler calls.

#include <map>
#include <vector>

#include <QDialog>

#include "platform/dialog_handler.h"
#include "platform/dialog_template.h"
#include "platform/qt/qt_client_canvas.h"

class QLineEdit;

namespace glyphsmith {

class QtTextPreview;

// The KeyCode for a Qt key: letters, digits and the named keys; -1 for Tab,
// Enter and Escape, which the dialog keeps for itself; KeyOther for the rest.
int keyCodeFor(int qtKey);
unsigned keyModifiersFor(Qt::KeyboardModifiers modifiers);

class QtDialog : public QDialog {
public:
    QtDialog(const DialogTemplate& dialogTemplate, DialogHandler& handler);

    ClientCanvas& canvas() { return *canvas_; }
    // The control with `controlId`, or null; labels have none.
    QWidget* control(int controlId) const;
    QLineEdit* edit(int controlId) const;
    // The id of `widget` or of the control that holds it; 0 when none.
    int controlIdOf(const QWidget* widget) const;
    // Every control's widget, labels included, in template order.
    const std::vector<QWidget*>& widgets() const { return widgets_; }

    // Sets an edit box's text and delivers its change notification exactly
    // once, whether or not the text differs. A drop-down list chooses the item
    // of that text, if it has one; other controls just take the text.
    void setControlText(int controlId, const QString& text);

    // The text preview window, made at the first use.
    QtTextPreview& textPreview();
    bool hasTextPreview() const { return textPreview_ != nullptr; }

    // Erases the canvas, delivers paint() and shows the result before returning.
    void refreshNow();
    // Makes the client area `size` pixels, keeping the frame fixed to it.
    void setClientSize(QSize size);

    // Ends the modal run with `result`; no event reaches the handler after.
    void endWith(int result);
    bool ended() const { return ended_; }
    // QDialog's own OK path; it ends nothing, only the handler ends the dialog.
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Escape and the close box arrive here: both are the cancel command.
    void reject() override;

private:
    void buildControls(const DialogTemplate& dialogTemplate);
    void deliverPaint();
    // Offers a key press to the handler; true when the handler used it.
    bool offerKey(QKeyEvent* event);
    bool handlerReachable() const { return !ended_; }

    DialogHandler& handler_;
    ClientCanvas* canvas_ = nullptr;
    QtTextPreview* textPreview_ = nullptr;
    std::map<int, QWidget*> controls_;
    std::vector<QWidget*> widgets_;
    bool ended_ = false;
    bool painting_ = false;
    // Set once the first showEvent has run.
    bool shown_ = false;
};

// The font the dialog's controls use: the template's font where installed,
// otherwise a small sans-serif font of about the same size.
QFont dialogFont(const DialogTemplate& dialogTemplate);

} // namespace glyphsmith
