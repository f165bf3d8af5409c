#include "platform/qt/qt_window_system.h"

#include <algorithm>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QUrl>

#include "platform/dialog_template.h"
#include "platform/qt/qt_dialog.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_item_choice.h"
#include "platform/qt/qt_message_box.h"
#include "platform/resources.h"

namespace glyphsmith {

namespace {

QImage decodeResource(int resourceId, const char* format)
{
    std::span<const std::uint8_t> bytes = embeddedResource(resourceId);
    if (bytes.empty())
        return {};
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), format);
}

// Edit boxes and captions hold UTF-8 text (captions carry file names).
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QtWindowSystem::QtWindowSystem(QtWindowSystemOptions options)
    : registry_(QCoreApplication::applicationFilePath().toStdString(), options.refreshDesktopCaches)
{
    script_.active = options.scripted;
}

QtWindowSystem::~QtWindowSystem() = default;

MessageResult QtWindowSystem::showMessage(std::string_view text, std::string_view caption, MessageButtons buttons)
{
    std::unique_ptr<QMessageBox> box = buildMessageBox(dialog_.get(), text, caption, buttons, executableName());
    return runMessageBox(*box, buttons, script_);
}

int QtWindowSystem::runModalDialog(int templateId, DialogHandler& handler)
{
    if (dialog_)
        return -1; // one dialog at a time
    std::string error;
    std::optional<DialogTemplate> dialogTemplate = loadDialogTemplate(templateId, &error);
    if (!dialogTemplate) {
        qWarning("Cannot build dialog %d: %s", templateId, error.c_str());
        return -1;
    }
    dialog_ = std::make_unique<QtDialog>(*dialogTemplate, handler);
    handler.initDialog();
    if (!dialog_->ended())
        dialog_->exec();
    int result = dialog_->result();
    dialog_.reset();
    return result;
}

void QtWindowSystem::endDialog(int result)
{
    if (dialog_)
        dialog_->endWith(result);
}

std::string QtWindowSystem::controlText(int controlId, std::size_t maxChars)
{
    QWidget* control = dialog_ ? dialog_->control(controlId) : nullptr;
    if (!control)
        return {};
    QString text = control->property("text").toString();
    return text.left(static_cast<qsizetype>(std::min<std::size_t>(maxChars, 1u << 20))).toUtf8().toStdString();
}

void QtWindowSystem::setControlText(int controlId, std::string_view text)
{
    if (dialog_)
        dialog_->setControlText(controlId, fromUtf8(text));
}

void QtWindowSystem::enableControl(int controlId, bool enabled)
{
    if (QWidget* control = dialog_ ? dialog_->control(controlId) : nullptr)
        control->setEnabled(enabled);
}

bool QtWindowSystem::isControlEnabled(int controlId)
{
    QWidget* control = dialog_ ? dialog_->control(controlId) : nullptr;
    return control && control->isEnabled();
}

void QtWindowSystem::limitText(int controlId, int maxChars)
{
    QLineEdit* box = dialog_ ? dialog_->edit(controlId) : nullptr;
    if (!box)
        return;
    // Qt cuts text already longer than the limit; that is no edit of the
    // user's, so it must not look like one.
    QSignalBlocker blocker(box);
    box->setMaxLength(maxChars > 0 ? maxChars : 32767);
}

void QtWindowSystem::selectText(int controlId, int start, int end)
{
    if (QLineEdit* box = dialog_ ? dialog_->edit(controlId) : nullptr)
        box->setSelection(start, end - start);
}

void QtWindowSystem::scrollCaretIntoView(int controlId)
{
    // A line edit keeps its cursor in view by itself; repainting shows it.
    if (QLineEdit* box = dialog_ ? dialog_->edit(controlId) : nullptr)
        box->update();
}

int QtWindowSystem::focusedControl()
{
    if (!dialog_)
        return 0;
    QWidget* focus = QApplication::focusWidget();
    // Without an active window (offscreen, or before the first activation)
    // the dialog's own focus child is the one the keyboard goes to next.
    if (!focus && !QApplication::activeWindow())
        focus = dialog_->focusWidget();
    return dialog_->controlIdOf(focus);
}

void QtWindowSystem::setToolTip(int controlId, std::string_view text)
{
    if (QWidget* control = dialog_ ? dialog_->control(controlId) : nullptr)
        control->setToolTip(fromUtf8(text));
}

std::string QtWindowSystem::setting(std::string_view name)
{
    if (script_.active) {
        auto found = scriptedSettings_.find(name);
        return found == scriptedSettings_.end() ? std::string() : found->second;
    }
    // $XDG_CONFIG_HOME/glyphsmith/glyphsmith.conf
    QSettings settings("glyphsmith", "glyphsmith");
    return settings.value(fromUtf8(name)).toString().toStdString();
}

void QtWindowSystem::setSetting(std::string_view name, std::string_view value)
{
    if (script_.active) {
        scriptedSettings_[std::string(name)] = value;
        return;
    }
    QSettings settings("glyphsmith", "glyphsmith");
    settings.setValue(fromUtf8(name), fromUtf8(value));
}

void QtWindowSystem::setCaption(std::string_view caption)
{
    if (dialog_)
        dialog_->setWindowTitle(fromUtf8(caption));
}

std::string QtWindowSystem::caption()
{
    return dialog_ ? dialog_->windowTitle().toStdString() : std::string();
}

void QtWindowSystem::centreOnScreen()
{
    if (!dialog_)
        return;
    QScreen* screen = dialog_->screen() ? dialog_->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer = dialog_->frameGeometry();
    outer.moveCenter(screen->availableGeometry().center());
    dialog_->move(outer.topLeft());
}

PixelRect QtWindowSystem::windowRect()
{
    if (!dialog_)
        return {};
    QRect outer = dialog_->frameGeometry();
    return { outer.x(), outer.y(), outer.x() + outer.width(), outer.y() + outer.height() };
}

void QtWindowSystem::moveWindow(PixelRect outer)
{
    if (!dialog_)
        return;
    QRect frame = dialog_->frameGeometry();
    QRect inside = dialog_->geometry();
    int frameWidth = frame.width() - inside.width();
    int frameHeight = frame.height() - inside.height();
    QSize client(outer.width() - frameWidth, outer.height() - frameHeight);
    bool resized = client.expandedTo(QSize(1, 1)) != dialog_->size();
    dialog_->move(outer.left, outer.top);
    dialog_->setClientSize(client);
    // A resize paints the new parts through the canvas; a plain move only
    // needs the picture shown again.
    if (!resized)
        dialog_->canvas().update();
}

PixelSize QtWindowSystem::clientSize()
{
    return dialog_ ? PixelSize { dialog_->width(), dialog_->height() } : PixelSize {};
}

void QtWindowSystem::refreshNow()
{
    if (dialog_)
        dialog_->refreshNow();
}

bool QtWindowSystem::isMinimised()
{
    return dialog_ && dialog_->isMinimized();
}

Icon QtWindowSystem::loadIcon(int resourceId)
{
    if (!icons_.count(resourceId)) {
        QImage image = decodeResource(resourceId, "ICO");
        if (image.isNull())
            return {};
        icons_[resourceId] = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return { resourceId };
}

void QtWindowSystem::setIcons(Icon big, Icon small)
{
    if (!dialog_)
        return;
    QIcon icon;
    for (Icon each : { big, small })
        if (QImage image = iconImage(each); !image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    dialog_->setWindowIcon(icon);
}

QImage QtWindowSystem::iconImage(Icon icon) const
{
    auto found = icons_.find(icon.resourceId);
    return found == icons_.end() ? QImage() : found->second;
}

PixelSize QtWindowSystem::systemIconSize()
{
    int size = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
    return { size, size };
}

void QtWindowSystem::loadCellBitmap(int resourceId)
{
    QImage image = decodeResource(resourceId, "BMP");
    cellBitmap_ = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_RGB32);
}

std::unique_ptr<ClientSurface> QtWindowSystem::clientSurface()
{
    if (!dialog_)
        return nullptr;
    return std::make_unique<CanvasSurface>(dialog_->canvas(), cellBitmap_, [this](Icon icon) { return iconImage(icon); });
}

SystemFontRenderer& QtWindowSystem::systemFontRenderer()
{
    return fontRenderer_;
}

std::optional<FileDialogAnswer> QtWindowSystem::fileDialog(const FileDialogRequest& request)
{
    if (!script_.active)
        return showFileDialog(dialog_.get(), request);
    script_.fileRequests.push_back(request);
    if (script_.fileAnswers.empty())
        qFatal("A file dialog came with no scripted answer (filter \"%s\")", request.filter.c_str());
    std::optional<FileDialogAnswer> answer = script_.fileAnswers.front();
    script_.fileAnswers.pop_front();
    return answer;
}

std::optional<int> QtWindowSystem::chooseItem(const ItemChoiceRequest& request)
{
    return runItemChoice(dialog_.get(), request, script_);
}

std::optional<RegistryKey> QtWindowSystem::createClassKey(std::string_view name)
{
    return registry_.createClassKey(name);
}

void QtWindowSystem::setDefaultValue(RegistryKey key, std::string_view subkeyPath, std::string_view value)
{
    registry_.setDefaultValue(key, subkeyPath, value);
}

void QtWindowSystem::closeKey(RegistryKey key)
{
    registry_.closeKey(key);
}

void QtWindowSystem::openWebAddress(std::string_view address)
{
    if (script_.active) {
        script_.openedAddresses.emplace_back(address);
        return;
    }
    QDesktopServices::openUrl(QUrl(fromUtf8(address)));
}

std::string QtWindowSystem::currentDirectory()
{
    return QDir::currentPath().toStdString();
}

std::string QtWindowSystem::executableName()
{
    QString path = QCoreApplication::applicationFilePath();
    if (path.isEmpty() && !QCoreApplication::arguments().isEmpty())
        path = QCoreApplication::arguments().first();
    return QFileInfo(path).completeBaseName().toStdString();
}

std::string QtWindowSystem::executablePath()
{
    return QCoreApplication::applicationFilePath().toStdString();
}

std::string QtWindowSystem::commandLine()
{
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    return arguments.join(' ').toStdString();
}

} // namespace glyphsmith
