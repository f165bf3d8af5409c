// The Qt backend in the shared window-system contract: the user's actions are
// sent as the Qt events a real user would cause.

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "platform/qt/qt_text_preview.h"

#include "platform/window_system_contract.h"
#include "qt_test_support.h"

namespace glyphsmith {

namespace {

class QtContractBackend : public ContractBackend {
public:
    QtContractBackend()
        : system_(testOptions())
    {
    }

    WindowSystem& windowSystem() override { return system_; }

    int runDialog(DialogHandler& handler, const std::function<void()>& session) override
    {
        return runDialogWith(system_, handler, session);
    }

    void userReplacesText(int controlId, std::string_view text) override
    {
        QLineEdit* box = dialog().edit(controlId);
        if (!box)
            return;
        // Select everything and type over it: one edit, as a paste would be.
        box->selectAll();
        box->insert(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }

    void userClicks(int controlId) override
    {
        // A mouse click moves the focus to the button before it is clicked.
        if (auto* button = qobject_cast<QPushButton*>(dialog().control(controlId))) {
            userFocuses(controlId);
            button->click();
        }
    }

    void userFocuses(int controlId) override
    {
        if (QWidget* control = dialog().control(controlId)) {
            dialog().activateWindow();
            control->setFocus(Qt::MouseFocusReason);
            QApplication::processEvents();
        }
    }

    void userPressesEscape() override { pressKey(Qt::Key_Escape); }
    void userPressesEnter() override { pressKey(Qt::Key_Return); }
    void userClosesWindow() override { dialog().close(); }
    bool dialogIsUp() override { return system_.dialog() && !dialog().ended() && dialog().isVisible(); }

    void userMouse(MouseAction action, int x, int y, unsigned keys) override
    {
        Qt::MouseButtons held;
        for (auto [flag, heldButton] : { std::pair { LeftButtonHeld, Qt::LeftButton },
                 { RightButtonHeld, Qt::RightButton }, { MiddleButtonHeld, Qt::MiddleButton } })
            if (keys & flag)
                held |= heldButton;
        Qt::KeyboardModifiers modifiers;
        if (keys & ShiftHeld)
            modifiers |= Qt::ShiftModifier;
        if (keys & ControlHeld)
            modifiers |= Qt::ControlModifier;

        const bool left = action == MouseAction::LeftPress || action == MouseAction::LeftDoubleClick
            || action == MouseAction::Release;
        const bool doubleClick = action == MouseAction::LeftDoubleClick || action == MouseAction::RightDoubleClick;
        const Qt::MouseButton button
            = action == MouseAction::Move ? Qt::NoButton : left ? Qt::LeftButton : Qt::RightButton;
        const QEvent::Type type = action == MouseAction::Release ? QEvent::MouseButtonRelease
            : button == Qt::NoButton                             ? QEvent::MouseMove
            : doubleClick                                        ? QEvent::MouseButtonDblClick
                                                                 : QEvent::MouseButtonPress;
        if (action != MouseAction::Release)
            held |= button;
        ClientCanvas& canvas = dialog().canvas();
        QPointF at(x, y);
        QMouseEvent event(type, at, canvas.mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(&canvas, &event);
    }

    void userPressesKey(int key, unsigned modifiers) override
    {
        // Letters and digits, and Page Up, the one named key the contract uses.
        const int qtKey = key == KeyPageUp ? Qt::Key_PageUp : key;
        Qt::KeyboardModifiers held;
        held.setFlag(Qt::ShiftModifier, modifiers & KeyShift).setFlag(Qt::ControlModifier, modifiers & KeyControl);
        held.setFlag(Qt::AltModifier, modifiers & KeyAlt);
        // A letter or digit types its character, as on a real keyboard.
        const bool types = key < KeyPageUp && !(modifiers & (KeyControl | KeyAlt));
        pressKey(qtKey, held, types ? ((modifiers & KeyShift) ? QChar(key) : QChar(key).toLower()) : QString());
    }

    void userDropsFiles(const std::vector<std::string>& paths) override
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog(), &enter);
        QDropEvent drop(QPointF(200, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dialog(), &drop);
        // The dialog tells the handler once the drop is over.
        QApplication::processEvents();
    }

    void userEditsPreviewText(std::string_view text) override
    {
        dialog().textPreview().textBox().selectAll();
        dialog().textPreview().textBox().insert(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }

    void userClosesTextPreview() override { dialog().textPreview().close(); }
    // The scripted answer is given through the list dialog itself.
    void userChoosesItem(std::optional<int> item) override { system_.script().choiceAnswers.push_back(item); }

    Rgb clientPixel(int x, int y) override
    {
        QRgb pixel = dialog().canvas().image().pixel(x, y);
        return { static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
            static_cast<std::uint8_t>(qBlue(pixel)) };
    }


private:
    QtDialog& dialog() { return *system_.dialog(); }

    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != &dialog())
            target = &dialog();
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
    }

    QtWindowSystem system_;
};

std::unique_ptr<ContractBackend> makeQtContractBackend()
{
    return std::make_unique<QtContractBackend>();
}

} // namespace

INSTANTIATE_TEST_SUITE_P(Qt, WindowSystemContract, ::testing::Values(BackendFactory(&makeQtContractBackend)));
// Until the shared contract tests are built into this executable the suite is
// empty; that is not an error.
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowSystemContract);

} // namespace glyphsmith
