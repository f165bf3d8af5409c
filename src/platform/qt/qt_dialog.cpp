#include "platform/qt/qt_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QDropEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QUrl>

#include "platform/qt/qt_text_preview.h"

namespace glyphsmith {

namespace {

Qt::WindowFlags windowFlagsFor(const DialogTemplate& dialogTemplate)
{
    // A top-level window rather than a transient dialog, so that it gets a
    // taskbar entry like any application window.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (dialogTemplate.hasStyle("caption"))
        flags |= Qt::WindowTitleHint;
    if (dialogTemplate.hasStyle("sysmenu"))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialogTemplate.hasStyle("minimizebox"))
        flags |= Qt::WindowMinimizeButtonHint;
    if (dialogTemplate.hasStyle("maximizebox"))
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QLineEdit* makeEdit(const ControlTemplate& control, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setFrame(control.hasStyle("border"));
    if (control.hasStyle("centre"))
        edit->setAlignment(Qt::AlignCenter);
    if (control.hasStyle("number")) {
        // Only what the user types is filtered; the program may set any text.
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    }
    edit->setContextMenuPolicy(Qt::NoContextMenu);
    // A file dropped on a box opens it, like one dropped anywhere else.
    edit->setAcceptDrops(false);
    return edit;
}

} // namespace

QFont dialogFont(const DialogTemplate& dialogTemplate)
{
    QString family = QString::fromStdString(dialogTemplate.fontName);
    if (QFontDatabase::families().contains(family))
        return QFont(family, dialogTemplate.fontPoints);
    // 8 points at 96 DPI is about 11 pixels; pixel size keeps the layout
    // independent of the screen's DPI, as the control positions are.
    QFont font;
    font.setFamily("sans-serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize((dialogTemplate.fontPoints * 96 + 36) / 72);
    return font;
}

QtDialog::QtDialog(const DialogTemplate& dialogTemplate, DialogHandler& handler)
    : QDialog(nullptr, windowFlagsFor(dialogTemplate))
    , handler_(handler)
{
    setWindowTitle(QString::fromLatin1(dialogTemplate.caption));
    setFont(dialogFont(dialogTemplate));
    // The user cannot drag the frame; the program resizes it (setClientSize).
    setFixedSize(dialogUnitsToPixelsX(dialogTemplate.width), dialogUnitsToPixelsY(dialogTemplate.height));
    setSizeGripEnabled(false);

    canvas_ = new ClientCanvas(this);
    canvas_->setGeometry(rect());
    canvas_->fitToSize();
    // Until the first show has finished, showEvent paints the whole client
    // area itself. A paint from the canvas's held-back resize event, sent
    // while Qt is still showing the children, could resize the window inside
    // that event, and Qt would then drop the canvas's new size.
    canvas_->onResized = [this] {
        if (shown_ && isVisible())
            deliverPaint();
    };
    canvas_->onMouse = [this](MouseAction action, int x, int y, unsigned keys) {
        if (handlerReachable())
            handler_.mouse(action, x, y, keys);
    };
    buildControls(dialogTemplate);

    setAcceptDrops(true);

    // Nothing has the focus when the window first shows: the dialog keeps it
    // itself until the user picks a control.
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

void QtDialog::buildControls(const DialogTemplate& dialogTemplate)
{
    QWidget* previous = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = nullptr;
        QString caption = QString::fromLatin1(control.caption);
        switch (control.kind) {
        case ControlKind::Edit: {
            QLineEdit* edit = makeEdit(control, this);
            edit->installEventFilter(this);
            int id = control.id;
            connect(edit, &QLineEdit::textChanged, this, [this, id] {
                if (handlerReachable())
                    handler_.editChanged(id);
            });
            widget = edit;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(caption, this);
            // Keys pressed while a button has the focus reach the editor too.
            button->installEventFilter(this);
            // No button is the default, so Enter in an edit box clicks nothing
            // (keyPressEvent).
            button->setAutoDefault(false);
            button->setDefault(false);
            int id = control.id;
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (!handlerReachable())
                    return;
                if (id == DialogCancel)
                    handler_.cancel();
                else if (id == DialogOk)
                    endWith(DialogOk);
                else
                    handler_.command(id);
            });
            widget = button;
            break;
        }
        case ControlKind::List: {
            auto* list = new QComboBox(this);
            list->setEditable(false);
            list->installEventFilter(this);
            int id = control.id;
            // Activated: the user's choice, by mouse or keys, never the program's.
            connect(list, &QComboBox::activated, this, [this, id] {
                if (handlerReachable())
                    handler_.listChosen(id);
            });
            widget = list;
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(caption, this);
            label->setAlignment(control.hasStyle("right")    ? Qt::AlignRight | Qt::AlignTop
                    : control.hasStyle("centre") ? Qt::AlignHCenter | Qt::AlignTop
                                                 : Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        }
        PixelRect at = toPixels(control);
        widget->setGeometry(at.left, at.top, at.width(), at.height());
        widget->setEnabled(!control.hasStyle("disabled"));
        if (control.kind != ControlKind::Label)
            widget->setFocusPolicy(control.hasStyle("tabstop") ? Qt::StrongFocus : Qt::ClickFocus);
        widgets_.push_back(widget);
        if (control.id != -1)
            controls_[control.id] = widget;
        if (previous && control.kind != ControlKind::Label)
            setTabOrder(previous, widget);
        if (control.kind != ControlKind::Label)
            previous = widget;
    }
}

QWidget* QtDialog::control(int controlId) const
{
    auto found = controls_.find(controlId);
    return found == controls_.end() ? nullptr : found->second;
}

QLineEdit* QtDialog::edit(int controlId) const
{
    return qobject_cast<QLineEdit*>(control(controlId));
}

int QtDialog::controlIdOf(const QWidget* widget) const
{
    for (; widget && widget != this; widget = widget->parentWidget())
        for (const auto& [id, control] : controls_)
            if (control == widget)
                return id;
    return 0;
}

void QtDialog::setControlText(int controlId, const QString& text)
{
    QWidget* widget = control(controlId);
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        {
            // Qt stays silent for unchanged text and would notify once more
            // for changed text; block it and notify exactly once ourselves.
            QSignalBlocker blocker(box);
            box->setText(text);
        }
        if (handlerReachable())
            handler_.editChanged(controlId);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        if (const int index = list->findText(text, Qt::MatchExactly); index >= 0)
            list->setCurrentIndex(index);
    }
}

void QtDialog::refreshNow()
{
    canvas_->erase();
    if (handlerReachable())
        deliverPaint();
    canvas_->repaint();
}

void QtDialog::deliverPaint()
{
    if (!handlerReachable())
        return;
    if (painting_) {
        // A resize made while painting asks for another paint; like the
        // window system's own repaint requests, it comes after this one ends.
        QTimer::singleShot(0, this, [this] { deliverPaint(); });
        return;
    }
    painting_ = true;
    handler_.paint();
    painting_ = false;
}

void QtDialog::setClientSize(QSize size)
{
    size = size.expandedTo(QSize(1, 1));
    setFixedSize(size);
    // The canvas follows at once, so drawing right after lands in the new area.
    canvas_->setGeometry(QRect(QPoint(0, 0), size));
    // Qt holds a resize event back while a widget is being shown, and one
    // asked for inside such an event is lost; the picture must still match
    // the widget, or the uncovered part stays unpainted on screen.
    if (canvas_->fitToSize() && shown_)
        deliverPaint();
}

void QtDialog::endWith(int result)
{
    ended_ = true;
    done(result);
}

QtTextPreview& QtDialog::textPreview()
{
    if (!textPreview_) {
        textPreview_ = new QtTextPreview(this);
        textPreview_->onTextEdited = [this] {
            if (handlerReachable())
                handler_.textPreviewChanged();
        };
        textPreview_->onClosed = [this] {
            if (handlerReachable())
                handler_.textPreviewClosed();
        };
        textPreview_->onKey = [this](QKeyEvent* event) { return offerKey(event); };
    }
    return *textPreview_;
}

bool QtDialog::offerKey(QKeyEvent* event)
{
    const int key = keyCodeFor(event->key());
    if (key < 0 || !handlerReachable())
        return false;
    return handler_.keyPressed(key, keyModifiersFor(event->modifiers()));
}

void QtDialog::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); }))
        event->acceptProposedAction();
}

void QtDialog::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    // The open may ask about unsaved changes; let the drag finish first, so
    // the program the file came from is not kept waiting for the answer.
    QTimer::singleShot(0, this, [this, paths] {
        if (handlerReachable())
            handler_.filesDropped(paths);
    });
}

void QtDialog::keyPressEvent(QKeyEvent* event)
{
    // A key a control left alone comes up here; the filter has offered it already.
    const bool offered = controlIdOf(focusWidget()) != 0;
    if (!offered && offerKey(event))
        return;
    if (event->matches(QKeySequence::Cancel)) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A focused push button takes Enter as its click; anywhere else Enter
        // does nothing here, so it can never close the window and lose edits.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void QtDialog::accept() { }

void QtDialog::reject()
{
    if (handlerReachable())
        handler_.cancel();
}

void QtDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    shown_ = true;
    refreshNow();
}

void QtDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    canvas_->setGeometry(rect());
}

bool QtDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The editor's keys come before the box or button with the focus; keys
    // it leaves alone go on to that control as usual.
    if (event->type() == QEvent::KeyPress && offerKey(static_cast<QKeyEvent*>(event)))
        return true;
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) && handlerReachable()
        && qobject_cast<QLineEdit*>(watched)) {
        int id = controlIdOf(qobject_cast<QWidget*>(watched));
        if (id != 0) {
            if (event->type() == QEvent::FocusIn)
                handler_.editFocusGained(id);
            else
                handler_.editFocusLost(id);
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace glyphsmith
